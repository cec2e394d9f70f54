#include "datagen/fixedincomefactory.h"

#include "datagen/calendar.h"
#include "datagen/pricing.h"
#include "datagen/vocabulary.h"

#include <cstdio>

namespace datagen {

namespace {

std::string digits(long long value, int width) {
  char text[24];
  std::snprintf(text, sizeof text, "%0*lld", width, value);
  return text;
}

struct PolicyBank {
  const char* shortName;
  const char* fullName;
  const char* issuerCode;
  int detail;
};
const PolicyBank kPolicyBanks[] = {
    {"国开", "国家开发银行", "CDB", 201},
    {"进出", "中国进出口银行", "EXIM", 202},
    {"农发", "中国农业发展银行", "ADBC", 203},
};

const char* const kCityInvestment[] = {"城投", "城建", "交投"};

}  // namespace

std::string CFixedIncomeFactory::chineseNumber(int value) {
  static const char* const kDigits[] = {"零", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
  if (value <= 0) return kDigits[0];
  std::string text;
  const int hundreds = value / 100 % 10;
  const int tens = value / 10 % 10;
  const int ones = value % 10;
  if (hundreds > 0) text += std::string(kDigits[hundreds]) + "百";
  if (tens > 0) {
    if (!(hundreds == 0 && tens == 1)) text += kDigits[tens];
    text += "十";
  } else if (hundreds > 0 && ones > 0) {
    text += "零";
  }
  if (ones > 0) text += kDigits[ones];
  return text;
}

long long CFixedIncomeFactory::codesPerYear(SegmentKind kind) {
  switch (kind) {
    case SegmentKind::InterBankTreasury:
      return 99;
    case SegmentKind::InterBankPolicyBank:
      return 3 * 99;
    case SegmentKind::InterBankLocalGovernment:
      return 999;
    case SegmentKind::InterBankEnterprise:
      return 999;
    default:
      return 9999;
  }
}

long long CFixedIncomeFactory::codeCount(SegmentKind kind) { return codesPerYear(kind) * kYears; }

CFixedIncomeFactory::BondIdentity CFixedIncomeFactory::identity(SegmentKind kind, int year,
                                                                long long sequence,
                                                                CRandomSource& random) {
  BondIdentity id;
  id.year = year;
  const std::string yy = digits(year % 100, 2);
  const std::string yearText = std::to_string(year) + "年";
  switch (kind) {
    case SegmentKind::InterBankTreasury: {
      id.sequence = static_cast<int>(sequence % 99) + 1;
      const bool discount = id.sequence >= 70;
      id.code = yy + "00" + digits(id.sequence, 2);
      id.shortName = yy + (discount ? "贴现国债" : "附息国债") + digits(id.sequence, 2);
      id.fullName = yearText + (discount ? "记账式贴现(" : "记账式附息(") +
                    chineseNumber(id.sequence) + "期)国债";
      id.issuerName = "中华人民共和国财政部";
      id.issuerCode = "MOF";
      id.industry = "政府";
      id.bondType = 1;
      id.bondTypeDetail = discount ? 102 : 101;
      id.issuerAttribute = 6;
      id.issuerType = 1;
      id.terms = discount ? std::vector<double>{0.25, 0.5}
                          : std::vector<double>{1, 2, 3, 5, 7, 10, 30, 50};
      break;
    }
    case SegmentKind::InterBankPolicyBank: {
      const PolicyBank& bank = kPolicyBanks[sequence / 99 % 3];
      id.sequence = static_cast<int>(sequence % 99) + 1;
      id.code = yy + digits(2 + sequence / 99 % 3, 2) + digits(id.sequence, 2);
      id.shortName = yy + bank.shortName + digits(id.sequence, 2);
      id.fullName =
          std::string(bank.fullName) + yearText + "第" + chineseNumber(id.sequence) + "期金融债券";
      id.issuerName = bank.fullName;
      id.issuerCode = bank.issuerCode;
      id.industry = "金融";
      id.bondType = 2;
      id.bondTypeDetail = bank.detail;
      id.issuerAttribute = 8;
      id.issuerType = 2;
      id.terms = {1, 2, 3, 5, 7, 10};
      break;
    }
    case SegmentKind::InterBankLocalGovernment: {
      const Word& province = random.pick(CVocabulary::provinces());
      const bool special = random.chance(0.5);
      id.sequence = static_cast<int>(sequence % 999) + 1;
      id.code = yy + "05" + digits(id.sequence, 3);
      id.shortName = yy + province.text + "债" + digits(id.sequence % 100, 2);
      id.fullName = yearText + province.text + (special ? "专项债券(" : "一般债券(") +
                    chineseNumber(id.sequence % 100 == 0 ? 1 : id.sequence % 100) + "期)";
      id.issuerName = std::string(province.text) + "人民政府";
      id.issuerCode = "LG" + digits(id.sequence % 100, 2);
      id.industry = "政府";
      id.bondType = 3;
      id.bondTypeDetail = special ? 302 : 301;
      id.issuerAttribute = 7;
      id.issuerType = 3;
      id.terms = {3, 5, 7, 10, 15, 20, 30};
      break;
    }
    case SegmentKind::InterBankEnterprise: {
      id.sequence = static_cast<int>(sequence % 999) + 1;
      id.code = yy + "80" + digits(id.sequence, 3);
      id.cityInvestment = random.chance(0.4);
      const int issue = static_cast<int>(random.between(1, 3));
      if (id.cityInvestment) {
        // Local-government financing vehicles: city investment companies.
        const std::string place = random.pick(CVocabulary::provinces()).text;
        const std::string vehicle = kCityInvestment[random.below(3)];
        id.shortName = yy + place + vehicle + "债" + digits(issue, 2);
        id.issuerName = place + "城市建设投资集团有限公司";
        id.industry = "城投";
        id.issuerAttribute = 2;
        id.bondTypeDetail = 402;
      } else {
        const std::string brand = random.pick(CVocabulary::companyBrands()).text;
        id.shortName = yy + brand + "债" + digits(issue, 2);
        id.issuerName = brand + "集团有限公司";
        id.industry = random.chance(0.5) ? "公用事业" : "交通运输";
        id.issuerAttribute = random.chance(0.6) ? 1 : 3;
        id.bondTypeDetail = 401;
      }
      id.fullName = yearText + id.issuerName + "公司债券(第" + chineseNumber(issue) + "期)";
      id.issuerCode = "E" + digits(id.sequence, 6);
      id.bondType = 4;
      id.issuerType = 4;
      id.terms = {3, 5, 7, 10};
      break;
    }
    case SegmentKind::InterBankMediumTermNote:
    case SegmentKind::InterBankCommercialPaper: {
      const bool note = kind == SegmentKind::InterBankMediumTermNote;
      id.sequence = static_cast<int>(sequence % 9999) + 1;
      id.code = (note ? "10" : "01") + yy + "8" + digits(id.sequence, 4);
      const std::string brand = random.pick(CVocabulary::companyBrands()).text;
      const int issue = static_cast<int>(random.between(1, 20));
      id.shortName = yy + brand + (note ? "MTN" : "SCP") + digits(issue, 3);
      id.issuerName = brand + (random.chance(0.5) ? "集团有限公司" : "股份有限公司");
      id.fullName = id.issuerName + yearText + "度第" + chineseNumber(issue) +
                    (note ? "期中期票据" : "期超短期融资券");
      id.issuerCode = "C" + digits(id.sequence, 6);
      id.industry = random.chance(0.5) ? "电力" : "建筑";
      id.bondType = note ? 5 : 7;
      id.bondTypeDetail = note ? (random.chance(0.2) ? 502 : 501) : 701;
      id.issuerAttribute = random.chance(0.7) ? 1 : 3;
      id.issuerType = 4;
      id.terms = note ? std::vector<double>{2, 3, 5} : std::vector<double>{0.25, 0.5, 0.74};
      break;
    }
    default: {
      id.sequence = static_cast<int>(sequence % 9999) + 1;
      id.code = "112" + yy + digits(id.sequence, 4);
      const std::string brand = random.pick(CVocabulary::companyBrands()).text;
      const int issue = static_cast<int>(random.between(1, 300));
      id.shortName = yy + brand + "银行CD" + digits(issue, 3);
      id.issuerName = brand + "银行股份有限公司";
      id.fullName = id.issuerName + yearText + "第" + digits(issue, 3) + "期同业存单";
      id.issuerCode = "B" + digits(id.sequence, 6);
      id.industry = "金融";
      id.bondType = 10;
      id.bondTypeDetail = 1001;
      id.issuerAttribute = 9;
      id.issuerType = 5;
      id.terms = {0.25, 0.5, 0.75, 1};
      break;
    }
  }
  return id;
}

void CFixedIncomeFactory::makeInterBankBond(const CodeSegment& segment, long long ordinal,
                                            CRandomSource& random, InterBankBondRecord& r) {
  r = InterBankBondRecord();
  const long long perYear = codesPerYear(segment.kind);
  const int year = kFirstYear + static_cast<int>(ordinal / perYear);
  const BondIdentity id = identity(segment.kind, year, ordinal % perYear, random);

  // Most bonds trade on the local-currency market; a share is listed under
  // the inter-bank market of the foreign-currency list.
  r.market = random.chance(0.9) ? "NIB" : "BANK";
  r.bondCode = id.code;
  r.bondName = id.shortName;
  r.shortPinyin = CVocabulary::initialsOf(id.shortName);
  const double term = random.pick(id.terms);
  const bool discount = id.bondTypeDetail == 102 || id.bondType == 10 || id.bondType == 7;
  r.termYears = term;
  const int issue = nextBusinessDay(dayNumber(year, 1, 1) + static_cast<int>(random.below(360)));
  const int valueDate = issue + static_cast<int>(random.between(0, 2));
  const int end = nextBusinessDay(valueDate + static_cast<int>(std::lround(term * 365.25)));
  r.issueDate = formatDate(issue);
  r.firstValueDate = formatDate(valueDate);
  r.endDate = formatDate(end);
  r.lastTradeDate = formatDate(end - 3);

  double rate = 0;
  switch (id.bondType) {
    case 1:
      rate = random.uniform(1.6, 3.2);
      break;
    case 2:
      rate = random.uniform(1.8, 3.5);
      break;
    case 3:
      rate = random.uniform(2.0, 3.6);
      break;
    case 4:
      rate = random.uniform(2.5, 6.5);
      break;
    case 5:
      rate = random.uniform(2.2, 5.5);
      break;
    default:
      rate = random.uniform(1.6, 2.9);
      break;
  }
  r.couponRate = roundTo(rate, 4);
  r.denomination = 100;
  r.currentDenomination = 100;
  if (discount) {
    // Discount paper: issued below par, repays 100, pays no coupon.
    r.couponPaymentType = 3;
    r.interestRateType = 0;
    r.paymentsPerYear = 0;
    r.issuePrice = roundTo(100.0 / (1.0 + rate / 100.0 * term), 4);
  } else {
    r.couponPaymentType = 1;
    r.interestRateType = random.chance(0.05) ? 1 : 0;
    r.paymentsPerYear = id.bondType == 1 && term >= 10 ? 2 : 1;
    r.issuePrice = 100;
    // City investment bonds often amortise their principal in the later years.
    if (id.cityInvestment && random.chance(0.5)) {
      r.currentDenomination = static_cast<double>(random.pick(std::vector<int>{80, 60, 40}));
      r.interestRateType = 2;
    }
  }
  r.interestDays = random.chance(0.9) ? 365 : 360;
  r.prevCleanClose = roundTo(r.issuePrice + random.uniform(-2.5, 3.5), 4);

  // Treasury and some local government bonds are also listed on the
  // exchanges, under their own codes.
  if (id.bondType == 1) {
    r.shCode = ordinal < 1000 ? "019" + digits(ordinal, 3) : "010" + digits(ordinal - 1000, 3);
    r.shName = id.code.substr(0, 2) + "国债" + id.code.substr(4, 2);
    r.szCode = "10" + id.code.substr(0, 2) + id.code.substr(4, 2);
    r.szName = "国债" + id.code.substr(0, 2) + id.code.substr(4, 2);
  } else if (id.bondType == 3 && random.chance(0.3)) {
    r.shCode = "13" + digits(ordinal % 10000, 4);
    r.shName = id.shortName;
  }
}

}  // namespace datagen
