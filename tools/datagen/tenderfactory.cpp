#include "datagen/tenderfactory.h"

#include "datagen/calendar.h"
#include "datagen/fixedincomefactory.h"
#include "datagen/pricing.h"

#include <cmath>
#include <cstdio>

namespace datagen {

namespace {

constexpr int kTenderTradeType = 0x8000000;

const char* const kUnderwriters[] = {
    "中信证券股份有限公司",     "中信建投证券股份有限公司", "国泰君安证券股份有限公司",
    "华泰证券股份有限公司",     "中国国际金融股份有限公司", "中国工商银行股份有限公司",
    "中国建设银行股份有限公司", "中国银行股份有限公司",     "招商银行股份有限公司",
    "兴业银行股份有限公司",     "交通银行股份有限公司",     "平安银行股份有限公司",
};

const char* const kGuarantors[] = {"中国投融资担保股份有限公司", "中债信用增进投资股份有限公司",
                                   "重庆三峡融资担保集团股份有限公司"};

std::string digits(long long value, int width) {
  char text[24];
  std::snprintf(text, sizeof text, "%0*lld", width, value);
  return text;
}

}  // namespace

const std::vector<std::string>& CTenderFactory::traderNames() {
  static const std::vector<std::string> names = {"zhangwei", "lina",    "wangfang", "liuyang",
                                                 "chenjing", "zhaolei", "sunli",    "zhoujie"};
  return names;
}

std::vector<CodeSegment> CTenderFactory::segments() {
  const auto segment = [](SegmentKind kind, double weight) {
    CodeSegment s;
    s.kind = kind;
    s.marketId = "NIB";
    s.size = CFixedIncomeFactory::codesPerYear(kind);
    s.weight = weight;
    return s;
  };
  return {segment(SegmentKind::InterBankTreasury, 6),
          segment(SegmentKind::InterBankPolicyBank, 30),
          segment(SegmentKind::InterBankLocalGovernment, 25),
          segment(SegmentKind::InterBankEnterprise, 12),
          segment(SegmentKind::InterBankMediumTermNote, 17),
          segment(SegmentKind::InterBankCommercialPaper, 10)};
}

void CTenderFactory::makeBond(const CodeSegment& segment, long long ordinal, int year,
                              int offsetDays, CRandomSource& random, TenderBondRecord& b) {
  b = TenderBondRecord();
  const auto id = CFixedIncomeFactory::identity(segment.kind, year, ordinal, random);
  b.bondCode = id.code;
  b.shortName = id.shortName;
  b.fullName = id.fullName;
  b.actionText = "投标";
  b.issuerName = id.issuerName;
  b.issuerCode = id.issuerCode;
  b.industry = id.industry;
  b.bondType = id.bondType;
  b.bondTypeDetail = id.bondTypeDetail;
  b.issuerAttribute = id.issuerAttribute;
  b.issuerType = id.issuerType;
  b.lgfvFlag = id.cityInvestment ? 2 : 1;

  const bool government = id.bondType == 1 || id.bondType == 3;
  const bool policyBank = id.bondType == 2;
  // Treasury and local government bonds are tendered across the inter-bank
  // market and the exchanges and listed there too.
  b.crossMarket = government && random.chance(0.8);
  b.tenderMarket = b.crossMarket ? 4 : 1;
  b.preMarket = id.bondType == 1 || policyBank ? 1 : 0;
  b.issueType = policyBank && random.chance(0.4) ? 3 : 1;
  b.raiseType = id.bondType == 4 && random.chance(0.3) ? 2 : 1;
  b.listingCode = b.crossMarket ? "019" + digits(ordinal % 1000, 3) : b.bondCode;
  b.subscriptionCode = b.crossMarket ? "75" + digits(ordinal % 10000, 4) : b.bondCode;
  b.leadUnderwriter = policyBank   ? id.issuerName
                      : government ? std::string()
                                   : kUnderwriters[random.below(std::size(kUnderwriters))];
  b.issueTarget = government || policyBank ? "承销团成员"
                  : id.bondType == 4       ? "合格机构投资者"
                                           : "全国银行间债券市场机构投资者";

  const double term = random.pick(id.terms);
  b.termYears = term;
  b.termDays = static_cast<int>(std::lround(term * 365.0));
  b.faceValue = 100;
  double rate = 0;
  switch (id.bondType) {
    case 1:
      rate = random.uniform(1.5, 2.6);
      break;
    case 2:
      rate = random.uniform(1.7, 2.8);
      break;
    case 3:
      rate = random.uniform(1.9, 2.9);
      break;
    case 4:
      rate = random.uniform(2.4, 5.8);
      break;
    case 5:
      rate = random.uniform(2.1, 4.6);
      break;
    default:
      rate = random.uniform(1.7, 2.6);
      break;
  }
  rate = roundTo(rate, 2);
  const bool discount = id.bondTypeDetail == 102;
  if (discount) {
    // Discount bills are tendered by price.
    b.tenderTarget = 2;
    b.issuePrice = roundTo(100.0 / (1.0 + rate / 100.0 * term), 3);
    b.bidRangeLow = roundTo(b.issuePrice - 0.3, 3);
    b.bidRangeHigh = roundTo(b.issuePrice + 0.2, 3);
    b.bidStep = 0.005;
  } else {
    b.tenderTarget = id.bondTypeDetail == 502 ? 3 : 1;
    b.issuePrice = 100;
    b.bidRangeLow = roundTo(rate - random.uniform(0.2, 0.5), 2);
    b.bidRangeHigh = roundTo(rate + random.uniform(0.2, 0.5), 2);
    b.bidStep = 0.01;
  }
  b.referenceRate = rate;
  b.expectedYield = roundTo(rate + random.uniform(-0.05, 0.05), 4);
  b.tenderingType = id.bondType == 1 ? 3 : random.chance(0.8) ? 1 : 2;

  // Sizes are in ten thousands of yuan.
  switch (id.bondType) {
    case 1:
      b.plannedIssueSize = static_cast<int>(random.between(30, 150)) * 100000;
      break;
    case 2:
      b.plannedIssueSize = static_cast<int>(random.between(10, 80)) * 50000;
      break;
    case 3:
      b.plannedIssueSize = static_cast<int>(random.between(5, 300)) * 10000;
      break;
    default:
      b.plannedIssueSize = static_cast<int>(random.between(5, 40)) * 10000;
      break;
  }
  b.minSubscriptionAmount = government || policyBank ? 100 : 1000;
  static const int kBasicUnits[] = {1000, 5000, 10000, 100000};
  b.basicBidUnit = kBasicUnits[random.below(std::size(kBasicUnits))];
  b.minBidVolume = b.basicBidUnit;
  b.maxBidVolume = std::max(b.minBidVolume, b.plannedIssueSize / 100 * 35);
  b.actualRaisedAmount = 0;

  if (government || policyBank) {
    b.issuerRating = "AAA";
    b.issueRating = "AAA";
  } else {
    static const char* const kRatings[] = {"AAA", "AAA", "AA+", "AA"};
    b.issuerRating = kRatings[random.below(4)];
    b.issueRating = id.bondType == 7 ? "A-1" : b.issuerRating;
  }
  b.guarantor = id.cityInvestment && random.chance(0.3) ? kGuarantors[random.below(3)] : "";

  // The calendar of an issue: tender, (book closes), issue period, payment
  // and value date, listing a few days later, maturity after the term.
  const int tender = offsetDays;
  const int tenderEnd = tender + (id.bondType >= 4 && random.chance(0.5) ? 1 : 0);
  const int issueEnd = tenderEnd + static_cast<int>(random.between(1, 2));
  const int payment = issueEnd;
  const int listing = payment + static_cast<int>(random.between(2, 5));
  b.tenderDate = relativeDate(tender);
  b.tenderEndDate = relativeDate(tenderEnd);
  b.issueStartDate = relativeDate(tender);
  b.issueEndDate = relativeDate(issueEnd);
  b.paymentDate = relativeDate(payment);
  b.valueDate = relativeDate(payment);
  b.listingDate = relativeDate(listing);
  b.maturityDate = relativeDate(payment + b.termDays);
  if (offsetDays < 0) b.actualRaisedAmount = b.plannedIssueSize;
}

void CTenderFactory::applyWorkflow(TenderCommandPattern pattern, CRandomSource& random,
                                   TenderBondRecord& b) {
  b.trader.clear();
  b.internalAmount = 0;
  b.externalAmount = 0;
  b.winBidAmount = 0;
  const auto amount = [&](double low, double high) {
    return roundTo(random.uniform(low, high), 4);
  };
  switch (pattern) {
    case TenderCommandPattern::NoCommands:
    case TenderCommandPattern::StringParameterOnly:
    case TenderCommandPattern::AllRevoked:
      break;
    case TenderCommandPattern::Approving:
      b.internalAmount = random.chance(0.5) ? amount(0.5, 5) : 0;
      break;
    case TenderCommandPattern::ApprovingAndRunning:
    case TenderCommandPattern::Running:
    case TenderCommandPattern::RevokedWithUnlisted:
      b.trader = random.pick(traderNames());
      b.internalAmount = amount(0.5, 8);
      b.externalAmount = random.chance(0.6) ? amount(0.2, 5) : 0;
      break;
    case TenderCommandPattern::Locked:
      b.trader = random.pick(traderNames());
      b.internalAmount = amount(0.5, 8);
      b.externalAmount = amount(0.2, 5);
      break;
    case TenderCommandPattern::FinishedAmongRevoked:
      b.trader = random.pick(traderNames());
      b.internalAmount = amount(0.5, 8);
      b.externalAmount = amount(0.2, 5);
      b.winBidAmount = roundTo(b.internalAmount * random.uniform(0.2, 1.0), 4);
      break;
  }
}

int CTenderFactory::minimumCommands(TenderCommandPattern pattern) {
  switch (pattern) {
    case TenderCommandPattern::NoCommands:
      return 0;
    case TenderCommandPattern::ApprovingAndRunning:
    case TenderCommandPattern::FinishedAmongRevoked:
    case TenderCommandPattern::RevokedWithUnlisted:
      return 2;
    default:
      return 1;
  }
}

void CTenderFactory::appendCommands(TenderCommandPattern pattern, const TenderBondRecord& bond,
                                    int count, CRandomSource& random,
                                    std::vector<OrderCommandRecord>& out) {
  count = std::max(count, minimumCommands(pattern));
  const std::size_t first = out.size();
  for (int i = 0; i < count; ++i) {
    OrderCommandRecord c;
    c.tradeType = kTenderTradeType;
    c.userName = bond.trader.empty() ? random.pick(traderNames()) : bond.trader;
    c.accountId = "8800" + digits(static_cast<long long>(random.between(1, 99)), 4);
    c.tenderParamForm = pattern == TenderCommandPattern::StringParameterOnly
                            ? TenderParamForm::String
                            : TenderParamForm::Document;
    c.bondCode = bond.bondCode;
    c.direction = i % 2 == 0 ? "execution" : "allocation";
    const double low = bond.bidRangeLow == kNoValueDouble ? 2.0 : bond.bidRangeLow;
    const double high = bond.bidRangeHigh == kNoValueDouble ? low : bond.bidRangeHigh;
    const double step = bond.bidStep == kNoValueDouble ? 0.01 : bond.bidStep;
    c.bidRate = roundToTick(random.uniform(low, high), step);
    c.bidVolume = roundTo(static_cast<double>(random.between(1, 50)) / 10.0, 1);
    c.passBackText = "TB|" + bond.bondCode + "|" + c.direction;
    out.push_back(c);
  }
  // Statuses by pattern; the decisive one goes to a random position so that
  // it is not always the first command of its bond.
  const auto statusAt = [&](std::size_t index) -> int& { return out[first + index].status; };
  const std::size_t n = static_cast<std::size_t>(count);
  const std::size_t decisive = n == 0 ? 0 : static_cast<std::size_t>(random.below(n));
  for (std::size_t i = 0; i < n; ++i) {
    switch (pattern) {
      case TenderCommandPattern::Approving:
        statusAt(i) = 0;
        break;
      case TenderCommandPattern::ApprovingAndRunning:
        statusAt(i) = i == 0 ? 0 : i == 1 ? 2 : (random.chance(0.5) ? 0 : 2);
        break;
      case TenderCommandPattern::Running:
        statusAt(i) = i == decisive ? 2 : 5;
        break;
      case TenderCommandPattern::Locked:
        statusAt(i) = i == decisive ? 204 : 5;
        break;
      case TenderCommandPattern::FinishedAmongRevoked:
        statusAt(i) = i == decisive ? 201 : 5;
        break;
      case TenderCommandPattern::AllRevoked:
        statusAt(i) = 5;
        break;
      case TenderCommandPattern::RevokedWithUnlisted:
        statusAt(i) = i == decisive ? 3 : 5;
        break;
      case TenderCommandPattern::StringParameterOnly:
        statusAt(i) = random.chance(0.5) ? 0 : 2;
        break;
      case TenderCommandPattern::NoCommands:
        break;
    }
  }
  if (pattern == TenderCommandPattern::ApprovingAndRunning && n >= 2 && random.chance(0.5)) {
    std::swap(statusAt(0), statusAt(1));
  }
}

OrderCommandRecord CTenderFactory::otherCommand(CRandomSource& random) {
  OrderCommandRecord c;
  c.userName = random.pick(traderNames());
  c.accountId = "8800" + digits(static_cast<long long>(random.between(1, 99)), 4);
  c.side = random.chance(0.5) ? "buy" : "sell";
  static const int kStatuses[] = {0, 2, 2, 5, 201};
  c.status = kStatuses[random.below(5)];
  if (random.chance(0.7)) {
    c.tradeType = 0x1;
    c.marketId = random.chance(0.5) ? "SH" : "SZ";
    c.stockCode = c.marketId == "SH" ? digits(600000 + random.below(4000), 6)
                                     : digits(1 + random.below(3000), 6);
    c.price = roundTo(random.logUniform(3.0, 120.0), 2);
    c.volume = static_cast<int>(random.between(1, 200)) * 100;
  } else {
    c.tradeType = 0x2;
    c.marketId = "SHFE";
    c.stockCode = "rb" + digits(2500 + random.between(1, 12), 4);
    c.price = static_cast<double>(random.between(3200, 4000));
    c.volume = static_cast<int>(random.between(1, 50));
  }
  c.passBackText = "ORD|" + c.marketId + "|" + c.stockCode;
  return c;
}

}  // namespace datagen
