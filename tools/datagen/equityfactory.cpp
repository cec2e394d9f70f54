#include "datagen/equityfactory.h"

#include "datagen/pricing.h"
#include "datagen/vocabulary.h"

#include <cstdio>
#include <iterator>

namespace datagen {

namespace {

constexpr long long kProfitable = 2;         // attribute bit 1
constexpr long long kVotingDifference = 16;  // attribute bit 4
constexpr long long kCleanPrice = 16777216;  // attribute bit 24

const char* const kChineseMonths[12] = {"一", "二", "三", "四", "五",   "六",
                                        "七", "八", "九", "十", "十一", "十二"};

std::string twoDigits(long long value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02lld", value % 100);
  return text;
}

// Exchange pledged-repo codes and their names (the overnight to 182-day
// general collateral repos). Real codes, fixed lists.
struct RepoCode {
  const char* code;
  const char* name;
  int days;
};
const RepoCode kShanghaiRepos[] = {
    {"204001", "GC001", 1},  {"204002", "GC002", 2},  {"204003", "GC003", 3},
    {"204004", "GC004", 4},  {"204007", "GC007", 7},  {"204014", "GC014", 14},
    {"204028", "GC028", 28}, {"204091", "GC091", 91}, {"204182", "GC182", 182}};
const RepoCode kShenzhenRepos[] = {
    {"131810", "R-001", 1},  {"131811", "R-002", 2},  {"131800", "R-003", 3},
    {"131809", "R-004", 4},  {"131801", "R-007", 7},  {"131802", "R-014", 14},
    {"131803", "R-028", 28}, {"131805", "R-091", 91}, {"131806", "R-182", 182}};

// Hong Kong's tick table: the tick grows with the price band.
double hongKongTick(double price) {
  if (price < 0.25) return 0.001;
  if (price < 0.5) return 0.005;
  if (price < 10) return 0.01;
  if (price < 20) return 0.02;
  if (price < 100) return 0.05;
  if (price < 200) return 0.1;
  if (price < 500) return 0.2;
  return 0.5;
}

void setLimits(InstrumentRecord& r, double percent, int decimals) {
  r.upperLimit = roundTo(r.preClose * (1.0 + percent), decimals);
  r.lowerLimit = roundTo(r.preClose * (1.0 - percent), decimals);
}

}  // namespace

std::string CEquityFactory::companyName(CRandomSource& random) {
  // Draws in a fixed order (operands of + are unsequenced, and compilers
  // differ): the committed sample data set depends on it.
  const char* industry = random.pick(CVocabulary::companyIndustries()).text;
  const char* brand = random.pick(CVocabulary::companyBrands()).text;
  return std::string(brand) + industry;
}

long long CEquityFactory::pledgedRepoCount(const std::string& marketId) {
  return marketId == "SZ" ? std::size(kShenzhenRepos) : std::size(kShanghaiRepos);
}

void CEquityFactory::make(const CodeSegment& segment, long long ordinal, int tradeType,
                          CRandomSource& random, InstrumentRecord& r) {
  r = InstrumentRecord();
  r.tradeType = tradeType;
  r.marketId = segment.marketId;
  r.code = CCodeSpace::numericCode(segment, ordinal);
  switch (segment.kind) {
    case SegmentKind::MainBoardStock:
    case SegmentKind::StarStock:
    case SegmentKind::StarCdr:
    case SegmentKind::GemStock:
      makeShare(segment, random, r);
      break;
    case SegmentKind::GovernmentBond:
    case SegmentKind::LocalGovernmentBond:
    case SegmentKind::CorporateBond:
    case SegmentKind::ConvertibleBond:
    case SegmentKind::PledgedRepo:
    case SegmentKind::FiccBond:
    case SegmentKind::FiccAgreedRepo:
    case SegmentKind::FiccOther:
      makeBond(segment, ordinal, random, r);
      break;
    case SegmentKind::ExchangeTradedFund:
    case SegmentKind::ListedOpenFund:
      makeFund(segment, random, r);
      break;
    case SegmentKind::NeeqStock:
    case SegmentKind::BeijingStock:
      makeNeeqShare(segment, random, r);
      break;
    default:
      makeHongKong(segment, random, r);
      break;
  }
}

void CEquityFactory::makeShare(const CodeSegment& segment, CRandomSource& random,
                               InstrumentRecord& r) {
  const bool star = segment.kind == SegmentKind::StarStock || segment.kind == SegmentKind::StarCdr;
  const bool growthBoard = star || segment.kind == SegmentKind::GemStock;
  std::string name = companyName(random);
  double limit = growthBoard ? 0.20 : 0.10;
  r.attributeFlags = kProfitable;
  r.priceTick = 0.01;
  r.faceValue = 1.0;
  r.preClose = roundTo(random.logUniform(star ? 8.0 : 2.5, star ? 420.0 : 180.0), 2);

  if (star) {
    // Sci-tech board names carry -U while the company is not yet profitable
    // and -W with differential voting rights; depositary receipts end in D.
    const bool unprofitable = random.chance(0.12);
    const bool votingDifference = segment.kind == SegmentKind::StarCdr || random.chance(0.03);
    std::string suffix;
    if (unprofitable) {
      suffix += "U";
      r.attributeFlags &= ~kProfitable;
    }
    if (votingDifference) {
      suffix += "W";
      r.attributeFlags |= kVotingDifference;
    }
    if (segment.kind == SegmentKind::StarCdr) suffix += "D";
    if (!suffix.empty()) name += "-" + suffix;
    r.stockKind = segment.kind == SegmentKind::StarCdr ? 1173 : 1172;
    r.maxLimitOrderVolume = 100000;
  } else if (random.chance(0.004)) {
    // A share in its delisting arrangement period trades under "<brand>退".
    name = std::string(random.pick(CVocabulary::companyBrands()).text) + "退";
    r.stockKind = 1193;
    r.attributeFlags &= ~kProfitable;
    r.maxLimitOrderVolume = 1000000;
  } else if (!growthBoard && random.chance(0.04)) {
    // Risk-warned shares: the limit narrows to 5% on the main boards.
    name = (random.chance(0.3) ? "*ST" : "ST") + name;
    r.attributeFlags &= ~kProfitable;
    limit = 0.05;
    r.maxLimitOrderVolume = 1000000;
  } else {
    r.maxLimitOrderVolume = segment.kind == SegmentKind::GemStock ? 300000 : 1000000;
  }
  r.name = name;
  setLimits(r, limit, 2);
  r.totalCapital =
      std::round(random.logUniform(growthBoard ? 4e7 : 1.5e8, growthBoard ? 4e9 : 3e10));
  r.floatCapital = std::round(r.totalCapital * random.uniform(0.25, 1.0));
}

void CEquityFactory::makeBond(const CodeSegment& segment, long long ordinal, CRandomSource& random,
                              InstrumentRecord& r) {
  const std::string year = twoDigits(random.between(16, 26));
  const std::string issue = twoDigits(random.between(1, 60));
  r.isExchangeBond = true;
  r.faceValue = 100.0;
  r.priceTick = 0.001;
  r.attributeFlags = kCleanPrice;
  r.preClose = roundTo(random.uniform(96.0, 106.0), 3);
  r.accruedInterest = roundTo(random.uniform(0.0, 3.6), 5);
  switch (segment.kind) {
    case SegmentKind::GovernmentBond:
      r.name = year + "国债" + issue;
      r.bondKindText = "国债";
      break;
    case SegmentKind::LocalGovernmentBond:
      r.name = year + random.pick(CVocabulary::provinces()).text + "债" + issue;
      r.bondKindText = "地方政府债";
      break;
    case SegmentKind::CorporateBond:
    case SegmentKind::FiccBond:
      if (segment.kind == SegmentKind::FiccBond &&
          (segment.first == 10000 || segment.first == 100000)) {
        // The platform's share of the treasury ranges.
        r.name = year + "国债" + issue;
        r.bondKindText = "国债";
      } else if (random.chance(0.15)) {
        r.name = year + random.pick(CVocabulary::companyBrands()).text + "债" + issue;
        r.bondKindText = "企业债";
      } else {
        r.name = year + random.pick(CVocabulary::companyBrands()).text + issue;
        r.bondKindText = "公司债";
        // Privately placed corporate bonds are for professional investors.
        if (random.chance(0.3)) r.qualifiedInvestor = 1;
      }
      break;
    case SegmentKind::ConvertibleBond:
      // Convertibles trade at the full price with a 20% band.
      r.name = std::string(random.pick(CVocabulary::companyBrands()).text) + "转债";
      r.bondKindText = "可转债";
      r.attributeFlags = 0;
      r.preClose = roundTo(random.logUniform(92.0, 185.0), 3);
      r.accruedInterest = roundTo(random.uniform(0.0, 1.8), 5);
      setLimits(r, 0.20, 3);
      return;
    case SegmentKind::PledgedRepo: {
      // Repo "prices" are annual rates; they have no price limits.
      const RepoCode& repo =
          segment.marketId == "SZ" ? kShenzhenRepos[ordinal % 9] : kShanghaiRepos[ordinal % 9];
      r.code = repo.code;
      r.name = repo.name;
      r.bondKindText = "质押式回购";
      r.attributeFlags = 0;
      r.priceTick = 0.005;
      r.preClose = roundToTick(random.uniform(1.2, 3.6) + repo.days * 0.002, 0.005);
      r.accruedInterest = kNoValueDouble;
      return;
    }
    case SegmentKind::FiccAgreedRepo: {
      const long long days = ordinal % 365 + 1;
      r.name = "协议回购" + std::to_string(days) + "天";
      r.productCode = "AGREE_REPO";
      r.bondKindText = "协议回购";
      r.attributeFlags = 0;
      r.priceTick = 0.0001;
      r.preClose = roundTo(random.uniform(1.5, 3.8), 4);
      r.accruedInterest = kNoValueDouble;
      return;
    }
    case SegmentKind::FiccOther: {
      // Asset-backed and other fixed-income products that the fixed-income
      // list leaves out (its filter keeps bonds and agreed repos only).
      static const char* const kKinds[] = {"ABS", "NCD", "CRMW"};
      r.productCode = kKinds[random.below(3)];
      r.name = year + random.pick(CVocabulary::companyBrands()).text + issue +
               (r.productCode == "ABS" ? "A" : "");
      r.bondKindText = "资产支持证券";
      r.qualifiedInvestor = 1;
      break;
    }
    default:
      break;
  }
  if (segment.kind == SegmentKind::FiccBond) r.productCode = "BOND";
  setLimits(r, 0.10, 3);
}

void CEquityFactory::makeFund(const CodeSegment& segment, CRandomSource& random,
                              InstrumentRecord& r) {
  if (segment.kind == SegmentKind::ExchangeTradedFund) {
    r.name = std::string(random.pick(CVocabulary::etfIndexes()).text) + "ETF";
    // Newer funds append the manager to tell same-index funds apart.
    if (random.chance(0.5)) {
      const Word& company = random.pick(CVocabulary::fundCompanies());
      if (std::string_view(company.initials).size() == 2) r.name += company.text;
    }
  } else {
    const char* theme =
        random.pick(CVocabulary::fundThemes()).text;  // drawn first, see companyName
    const char* company = random.pick(CVocabulary::fundCompanies()).text;
    r.name = std::string(company) + theme + "LOF";
  }
  r.priceTick = 0.001;
  r.preClose = roundTo(random.logUniform(0.45, 6.5), 3);
  setLimits(r, 0.10, 3);
  r.maxLimitOrderVolume = 1000000;
}

void CEquityFactory::makeNeeqShare(const CodeSegment& segment, CRandomSource& random,
                                   InstrumentRecord& r) {
  r.name = companyName(random);
  r.priceTick = 0.01;
  r.faceValue = 1.0;
  r.attributeFlags = random.chance(0.7) ? kProfitable : 0;
  if (segment.kind == SegmentKind::BeijingStock) {
    r.neeqLayer = 3;
    r.preClose = roundTo(random.logUniform(3.0, 60.0), 2);
    setLimits(r, 0.30, 2);
    r.totalCapital = std::round(random.logUniform(5e7, 1.2e9));
  } else {
    // Innovation layer (1) or basic layer (2); both trade with a 50% band
    // in call auctions.
    r.neeqLayer = random.chance(0.3) ? 1 : 2;
    r.preClose = roundTo(random.logUniform(0.3, 30.0), 2);
    setLimits(r, 0.50, 2);
    r.totalCapital = std::round(random.logUniform(1e7, 6e8));
  }
  r.floatCapital = std::round(r.totalCapital * random.uniform(0.2, 1.0));
}

void CEquityFactory::makeHongKong(const CodeSegment& segment, CRandomSource& random,
                                  InstrumentRecord& r) {
  r.currency = "HKD";
  const std::string brand = random.pick(CVocabulary::companyBrands()).text;
  if (segment.kind == SegmentKind::HongKongWarrant ||
      segment.kind == SegmentKind::HongKongCallableContract) {
    // 平安法兴24六购A: underlying, issuer, year, month of expiry, call/put
    // (or bull/bear), series letter.
    const bool callable = segment.kind == SegmentKind::HongKongCallableContract;
    const char* direction =
        callable ? (random.chance(0.5) ? "牛" : "熊") : (random.chance(0.6) ? "购" : "沽");
    // Drawn last part first, in a fixed order (see companyName).
    const char series = static_cast<char>('A' + random.below(26));
    const char* month = kChineseMonths[random.below(12)];
    const std::string year = twoDigits(random.between(26, 28));
    const char* issuer = random.pick(CVocabulary::warrantIssuers()).text;
    r.name = brand + issuer + year + month + direction + series;
    r.preClose = roundToTick(random.logUniform(0.01, 1.8), 0.001, true);
    r.priceTick = hongKongTick(r.preClose);
    r.preClose = roundToTick(r.preClose, r.priceTick, true);
    r.volumeMultiple = random.chance(0.5) ? 10000 : 5000;
    return;
  }
  r.name = brand + random.pick(CVocabulary::hongKongSuffixes()).text;
  if (random.chance(0.03)) r.name += random.chance(0.5) ? "-W" : "-SW";
  const double price = random.logUniform(0.15, 650.0);
  r.priceTick = hongKongTick(price);
  r.preClose = roundToTick(price, r.priceTick, true);
  static const int kLots[] = {100, 200, 400, 500, 1000, 2000};
  r.volumeMultiple = kLots[random.below(6)];
  r.totalCapital = std::round(random.logUniform(2e8, 2.2e10));
  r.floatCapital = std::round(r.totalCapital * random.uniform(0.3, 1.0));
}

}  // namespace datagen
