#include "datagen/fundfactory.h"

#include "datagen/pricing.h"
#include "datagen/vocabulary.h"

namespace datagen {

namespace {

// mxservice::EOTCFundType values (enums.json holds their names).
enum FundType {
  Equity = 1,
  Mixed = 2,
  Bond = 3,
  Money = 4,
  Index = 5,
  Qdii = 6,
  Fof = 7,
  Commodity = 8
};

std::string managerOf(const std::string& company) { return company + "基金管理有限公司"; }

}  // namespace

void CFundFactory::make(const CodeSegment& segment, long long ordinal, CRandomSource& random,
                        FundPlanRecord& f) {
  f = FundPlanRecord();
  InstrumentRecord& r = f.base;
  r.tradeType = 0x200;
  r.marketId = "OTC";
  if (segment.kind == SegmentKind::OtcPrivateFund) {
    // Private funds are registered under codes like SGJ123.
    const long long letters = ordinal / 1000;
    char code[8] = {'S', static_cast<char>('A' + letters / 26 % 26),
                    static_cast<char>('A' + letters % 26), 0};
    r.code = code + std::to_string(1000 + ordinal % 1000).substr(1);
  } else {
    r.code = CCodeSpace::numericCode(segment, ordinal);
  }

  if (segment.kind != SegmentKind::OtcFund) {
    const std::string brand = random.pick(CVocabulary::companyBrands()).text;
    const std::string theme = random.pick(CVocabulary::fundThemes()).text;
    const std::string series = std::to_string(random.between(1, 30));
    if (segment.kind == SegmentKind::OtcAssetPlan) {
      f.baseInfoType = 2;
      r.name = brand + theme + series + "号集合资管计划";
      f.fundManager = brand + "证券资产管理有限公司";
    } else {
      f.baseInfoType = 3;
      r.name = brand + theme + series + "号私募证券投资基金";
      f.fundManager = brand + "投资管理有限公司";
    }
    f.prStatus = random.chance(0.6) ? 4 : 0;
    f.prevUnitNetValue = roundTo(random.logUniform(0.6, 3.0), 4);
    f.minSubscriptionAmount = random.chance(0.8) ? 1000000 : 300000;
    f.maxSubscriptionAmount = random.chance(0.5) ? 0 : 50000000;
    f.redemptionSettleDays = static_cast<int>(random.between(3, 10));
    f.minRedemptionUnits = 10000;
    f.latestNetValue = roundTo(f.prevUnitNetValue * random.uniform(0.97, 1.03), 4);
    return;
  }

  f.baseInfoType = 1;
  // Where a name takes two draws, they are made in a fixed order (operands
  // of + are unsequenced): the committed sample data set depends on it.
  const std::string company = random.pick(CVocabulary::fundCompanies()).text;
  const double roll = random.uniform(0, 1);
  std::string name;
  if (roll < 0.30) {
    f.fundType = Mixed;
    const char* kind = random.chance(0.7) ? "混合" : "灵活配置";  // drawn first
    name = company + random.pick(CVocabulary::fundThemes()).text + kind;
  } else if (roll < 0.42) {
    f.fundType = Equity;
    name = company + random.pick(CVocabulary::fundThemes()).text + "股票";
  } else if (roll < 0.62) {
    f.fundType = Bond;
    const char* kind = random.chance(0.3) ? "债券定开" : "债券";  // drawn first
    name = company + random.pick(CVocabulary::fundThemes()).text + kind;
  } else if (roll < 0.70) {
    f.fundType = Money;
    name = company + (random.chance(0.5) ? "天天" : "现金") + "货币";
  } else if (roll < 0.88) {
    f.fundType = Index;
    const char* kind = random.chance(0.6) ? "ETF联接" : "指数";  // drawn first
    name = company + random.pick(CVocabulary::etfIndexes()).text + kind;
  } else if (roll < 0.94) {
    static const char* const kOverseas[] = {"纳指", "标普", "恒生"};
    f.fundType = Qdii;
    name = company + kOverseas[random.below(3)] + "QDII";
  } else if (roll < 0.98) {
    f.fundType = Fof;
    name = company + random.pick(CVocabulary::fundThemes()).text + "FOF";
  } else {
    f.fundType = Commodity;
    name = company + "黄金ETF联接";
  }
  // Share classes: A front load, C sales service fee, E for some platforms.
  const double shareClass = random.uniform(0, 1);
  if (shareClass < 0.45) {
    name += "A";
  } else if (shareClass < 0.85) {
    name += "C";
  } else if (shareClass < 0.9) {
    name += "E";
  }
  r.name = name;

  // Subscription / redemption status: mostly open; some suspended, closed or
  // still in their offering period.
  const double status = random.uniform(0, 1);
  f.prStatus = status < 0.72   ? 0
               : status < 0.82 ? 1
               : status < 0.86 ? 2
               : status < 0.9  ? 3
               : status < 0.95 ? 4
                               : 5;
  f.prevUnitNetValue = f.fundType == Money ? 1.0 : roundTo(random.logUniform(0.45, 4.8), 4);
  f.latestNetValue =
      f.fundType == Money ? 1.0 : roundTo(f.prevUnitNetValue * random.uniform(0.97, 1.03), 4);
  // No daily cap is written as 0 (shown as "not available"); QDII funds are
  // capped by their foreign-exchange quota.
  if (f.fundType == Qdii) {
    f.maxSubscriptionAmount = random.chance(0.5) ? 1000 : 10000;
  } else {
    const double cap = random.uniform(0, 1);
    f.maxSubscriptionAmount = cap < 0.45 ? 0 : cap < 0.7 ? 1e6 : cap < 0.9 ? 1e7 : 1e8;
  }
  static const double kMinimums[] = {1, 10, 100, 1000};
  f.minSubscriptionAmount = kMinimums[random.below(4)];
  f.redemptionSettleDays = f.fundType == Money  ? 1
                           : f.fundType == Qdii ? static_cast<int>(random.between(7, 10))
                                                : static_cast<int>(random.between(2, 4));
  f.minRedemptionUnits = random.chance(0.7) ? 1 : 10;
  // Dividend modes (mxservice::EOTCFundBonusType): 0 reinvest, 1 cash.
  if (f.fundType == Money) {
    f.bonusTypes = {0};
  } else if (random.chance(0.8)) {
    f.bonusTypes = {0, 1};
  } else {
    f.bonusTypes = {1};
  }
  f.supportConversion = random.chance(0.75);
  f.fundManager = managerOf(company);
  f.transferAgent = random.chance(0.3) ? "中国证券登记结算有限责任公司" : f.fundManager;
}

}  // namespace datagen
