#include "model/columntable.h"

#include "model/cellvalues.h"

namespace LW {

namespace {

using S = ECellSource;
using F = ECellFormat;

constexpr quint8 T = COLUMN_KIND_TEXT;
constexpr quint8 D = COLUMN_KIND_DOUBLE;
constexpr quint8 I = COLUMN_KIND_INT;

// Every column title of the lists is a literal in the tables below.
const char kFavourite[] = "添加自选";
constexpr CColumnDesc kFavouriteColumn{kFavourite, false, T, S::Favourite};

const CColumnDesc kStock[] = {
    {"市场代码", false, T, S::MarketCode},
    {"股票代码", false, T, S::Code},
    {"股票名称", false, T, S::Name},
    {"最小价格", true, D, S::Tick, F::D4},
    {"昨收盘", true, D, S::PreClose, F::D4},
    {"涨停价", true, D, S::UpperLimit, F::D4},
    {"跌停价", true, D, S::LowerLimit, F::D4},
    {"前结算", true, D, S::PreSettlement, F::DP},
    {"是否为双转单", false, T, S::DoubleTurnLoan},
    {"实际占款天数", true, I, S::CapitalDays, F::DashFInt},
    {"流通股本", true, D, S::FloatCapital, F::D0},
    {"总股本", true, D, S::TotalCapital, F::D0},
    {"尚未盈利", false, T, S::NotYetProfitable},
    {"存在投票权差异", false, T, S::VotingDifference},
    {"面值", false, D, S::FaceValue, F::D4},
    {"应计利息", true, D, S::AccruedInterest, F::D5},
    {"计价方式", false, T, S::PricingMethod},
    kFavouriteColumn,
};

// The fee columns (14-21) are drawn as numbers but hold texts such as
// "0.50/万", so they sort as text; likewise the last-date column.
const CColumnDesc kFuture[] = {
    {"合约代码", false, T, S::Code},
    {"合约名称", false, T, S::Name},
    {"品种代码", false, T, S::ProductCode},
    {"交易所代码", false, T, S::MarketCode},
    {"交易所名称", false, T, S::ExchangeName},
    {"合约乘数", true, I, S::Multiplier, F::Int},
    {"最小价格", true, D, S::Tick, F::D3},
    {"最后日期", true, T, S::LastDate},
    {"多头保证金率", true, D, S::LongMargin, F::D3},
    {"空头保证金率", true, D, S::ShortMargin, F::D3},
    {"涨停价", true, D, S::UpperLimit, F::DP},
    {"跌停价", true, D, S::LowerLimit, F::DP},
    {"前结算", true, D, S::PreSettlement, F::DP},
    {"手续费收取方式", false, T, S::FeeMode},
    {"开仓手续费率", true, T, S::Fee},
    {"开仓手续费", true, T, S::Fee},
    {"平仓手续费率", true, T, S::Fee},
    {"平仓手续费", true, T, S::Fee},
    {"日内开仓手续费率", true, T, S::Fee},
    {"日内开仓手续费", true, T, S::Fee},
    {"日内平仓手续费率", true, T, S::Fee},
    {"日内平仓手续费", true, T, S::Fee},
    {"单笔最大手数", true, I, S::MaxLimitOrder, F::Int},
    kFavouriteColumn,
};

const CColumnDesc kCode[] = {
    {"市场", false, T, S::MarketCodeOrName},
    {"代码", false, T, S::Code},
    {"名称", false, T, S::Name},
    {"最小价格", true, D, S::Tick, F::D3},
    {"昨收盘", true, D, S::PreClose, F::DP},
    {"涨停价", true, D, S::UpperLimit, F::DP},
    {"跌停价", true, D, S::LowerLimit, F::DP},
    {"前结算", true, D, S::PreSettlement, F::DP},
    kFavouriteColumn,
};

const CColumnDesc kCredit[] = {
    {"市场代码", false, T, S::MarketCode},
    {"股票代码", false, T, S::Code},
    {"股票名称", false, T, S::Name},
    {"最小价格", true, D, S::Tick, F::D4},
    {"昨收盘", true, D, S::PreClose, F::D4},
    {"涨停价", true, D, S::UpperLimit, F::D4},
    {"跌停价", true, D, S::LowerLimit, F::D4},
    {"前结算", true, D, S::PreSettlement, F::DP},
    {"流通股本", true, D, S::FloatCapital, F::D0},
    {"总股本", true, D, S::TotalCapital, F::D0},
    {"应计利息", true, D, S::AccruedInterest, F::D5},
    {"计价方式", false, T, S::PricingMethod},
    kFavouriteColumn,
};

const CColumnDesc kFutureOption[] = {
    {"合约代码", false, T, S::Code},
    {"合约名称", false, T, S::Name},
    {"交易所代码", false, T, S::MarketCode},
    {"交易所名称", false, T, S::ExchangeName},
    {"合约乘数", true, I, S::Multiplier, F::Int},
    {"最小价格", true, D, S::Tick, F::D3},
    {"涨停价", true, D, S::UpperLimit, F::DP},
    {"跌停价", true, D, S::LowerLimit, F::DP},
    {"前结算", true, D, S::PreSettlement, F::DP},
    kFavouriteColumn,
};

// The sell-side maximum volumes (16, 17) sort as text while the buy-side ones
// sort as integers; the lists have always sorted that way.
const CColumnDesc kStockOption[] = {
    {"合约代码", false, T, S::Code},
    {"合约名称", false, T, S::Name},
    {"品种代码", false, T, S::ProductCode},
    {"交易所代码", false, T, S::MarketCode},
    {"交易所名称", false, T, S::ExchangeName},
    {"标的代码", false, T, S::UnderlyingCode},
    {"最后日期", false, T, S::LastDate},
    {"最小价格", true, D, S::Tick, F::D4},
    {"合约单位", true, D, S::ContractUnit, F::D2},
    {"保证金单位", true, D, S::MarginUnit, F::D2},
    {"涨停价", true, D, S::UpperLimit, F::D4},
    {"跌停价", true, D, S::LowerLimit, F::D4},
    {"前结算", true, D, S::PreSettlement, F::D4},
    {"行权价格", false, D, S::Strike, F::D4},
    {"市价买入单笔最大量", false, I, S::MaxMarketBuy, F::DashInt},
    {"限价买入单笔最大量", false, I, S::MaxLimitBuy, F::DashInt},
    {"市价卖出单笔最大量", false, T, S::MaxMarketSell, F::DashInt},
    {"限价卖出单笔最大量", false, T, S::MaxLimitSell, F::DashInt},
    kFavouriteColumn,
};

// The broker edition prices in the exchange's own units, so it has no
// pricing-unit column (13) and its favourites column moves up by one.
constexpr int kOuterPricingUnitColumn = 13;
const CColumnDesc kOuterFuture[] = {
    {"合约代码", false, T, S::Code},
    {"合约名称", false, T, S::Name},
    {"交易所代码", false, T, S::ExchangeCodeText},
    {"交易所名称", false, T, S::ExchangeNameText},
    {"品种代码", false, T, S::ProductCode},
    {"品种名称", false, T, S::ProductName},
    {"合约乘数", true, D, S::OuterMultiplier, F::OuterMultiplier},
    {"昨收盘", true, D, S::PreClose, F::FixedMin6},
    {"前结算", true, D, S::PreSettlement, F::FixedMin6},
    {"最小价格", true, D, S::Tick, F::FixedP},
    {"到期日", false, T, S::LastDate},
    {"交割日", false, T, S::DeliveryDate},
    {"币种", false, T, S::Currency},
    {"计价单位", false, T, S::PricingUnit},
    kFavouriteColumn,
};

const CColumnDesc kHkStock[] = {
    {"市场代码", false, T, S::MarketCode},
    {"股票代码", false, T, S::Code},
    {"股票名称", false, T, S::Name},
    {"最小价格", true, D, S::Tick, F::D3},
    {"昨收盘", true, D, S::PreClose, F::D3},
    {"合约乘数", true, I, S::Multiplier, F::Int},
    {"流通股本", true, D, S::FloatCapital, F::D0},
    {"总股本", true, D, S::TotalCapital, F::D0},
    kFavouriteColumn,
};

const CColumnDesc kNeeq[] = {
    {"市场代码", false, T, S::MarketName},       {"股票代码", false, T, S::Code},
    {"股票名称", false, T, S::NameWithTick},     {"最小价格", true, D, S::Tick, F::D3},
    {"昨收盘", true, D, S::PreClose, F::D3},     {"涨停价", true, D, S::UpperLimit, F::D3},
    {"跌停价", true, D, S::LowerLimit, F::D3},   {"流通股本", true, D, S::FloatCapital, F::D0},
    {"总股本", true, D, S::TotalCapital, F::D0}, kFavouriteColumn,
};

// The fund-only columns (4, 11, 12, 13) show "-" for other plan kinds.
const CColumnDesc kOtcFund[] = {
    {"合约代码", false, T, S::FundCode},
    {"合约名称", false, T, S::FundName},
    {"合约市场", false, T, S::FundMarket},
    {"合约类型", false, T, S::FundBaseInfoType},
    {"基金类型", false, T, S::FundType, F::Text, FUND_PLAN_IS_FUND},
    {"昨日单位净值", true, D, S::FundPrevNetValue, F::D4},
    {"申赎状态", false, T, S::FundPrStatus},
    {"最高申购金额", true, D, S::FundMaxSubscription, F::FundAmount},
    {"最低申购金额", true, D, S::FundMinSubscription, F::FundAmount},
    {"赎回交收天数", false, I, S::FundRedemptionDays, F::DashFInt},
    {"最低赎回份额", true, D, S::FundMinRedemption, F::FundAmount},
    {"分红方式", false, T, S::FundBonusTypes, F::Text, FUND_PLAN_IS_FUND},
    {"是否支持转换", false, T, S::FundConversion, F::Text, FUND_PLAN_IS_FUND},
    {"所属TA", false, T, S::FundTransferAgent, F::Text, FUND_PLAN_IS_FUND},
    {"管理人", false, T, S::FundManager},
    {"近期披露净值", false, D, S::FundLatestNetValue, F::FundAmount},
    kFavouriteColumn,
};

const CColumnDesc kSecondFuture[] = {
    {"合约代码", false, T, S::Code},
    {"合约名称", false, T, S::Name},
    {"品种代码", false, T, S::ProductCode},
    {"交易所代码", false, T, S::MarketCode},
    {"交易所名称", false, T, S::ExchangeName},
    {"合约乘数", true, I, S::Multiplier, F::Int},
    {"最小价格", true, D, S::Tick, F::D2},
    {"最后日期", false, T, S::LastDate},
    {"前结算", true, D, S::PreSettlement, F::DP},
    kFavouriteColumn,
};

const CColumnDesc kInterBank[] = {
    {"交易市场", false, T, S::IbMarket, F::InterBankMarket},
    {"银行间债券代码", false, T, S::IbCode},
    {"银行间债券名称", false, T, S::IbName},
    {"上交所代码", false, T, S::IbShCode},
    {"上交所名称", false, T, S::IbShName},
    {"深交所代码", false, T, S::IbSzCode},
    {"深交所名称", false, T, S::IbSzName},
    {"发行日期", false, T, S::IbIssueDate},
    {"结束日期", false, T, S::IbEndDate},
    {"原始起息日期", false, T, S::IbFirstValueDate},
    {"交易截止日期", false, T, S::IbLastTradeDate},
    {"期限", false, T, S::IbTermText},
    {"发行价", false, D, S::IbIssuePrice, F::D4},
    {"面额", false, D, S::IbDenomination, F::D4},
    {"当前面额", false, D, S::IbCurrentDenomination, F::D4},
    {"付息类型", false, T, S::IbCouponType},
    {"利率类型", false, T, S::IbRateType},
    {"票面利率(%)", false, D, S::IbCouponRate, F::D4},
    {"年付息次数", false, I, S::IbPaymentsPerYear, F::Int},
    {"计息天数", false, I, S::IbInterestDays, F::Int},
    {"前收净价", false, D, S::IbPrevCleanClose, F::D4},
    kFavouriteColumn,
};

constexpr unsigned kF = MIXED_FUTURE;
constexpr unsigned kSO = MIXED_STOCK_OPTION;
constexpr unsigned kFO = MIXED_FUTURE_OPTION;
constexpr unsigned kFR = MIXED_FOREIGN;
constexpr unsigned kG = MIXED_GOLD;
constexpr unsigned kS = MIXED_STOCK;
constexpr unsigned kNQ = MIXED_NEEQ;
constexpr unsigned kHG = MIXED_SH_HK_CONNECT;
constexpr unsigned kSG = MIXED_SZ_HK_CONNECT;
constexpr unsigned kFI = MIXED_FOREIGN_INTER_BANK;

// A mixed-list column holds a value only for the market kinds it names.
const CColumnDesc kMixed[] = {
    {"合约代码", false, T, S::Code},
    {"合约名称", false, T, S::Name},
    {"品种代码", false, T, S::ProductCode, F::Text, kF | kSO | kFO | kFR},
    {"交易所代码", false, T, S::MarketCode},
    {"交易所名称", false, T, S::ExchangeName, F::Text, kF | kSO | kFO | kFR | kG},
    {"昨收盘", true, D, S::PreClose, F::DashD3, kS | kNQ | kHG | kSG | kFI},
    {"合约乘数", true, I, S::Multiplier, F::DashFInt, kF | kFO | kG | kHG | kSG | kFI | kFR},
    {"最小价格", true, D, S::Tick, F::DashD4},
    {"最后日期", false, T, S::LastDate, F::Text, kF | kSO | kFO | kFR},
    {"多头保证金率", true, D, S::LongMargin, F::DashD2, kFO},
    {"空头保证金率", true, D, S::ShortMargin, F::DashD2, kFO},
    {"标的代码", false, T, S::UnderlyingCode, F::Text, kSO},
    {"合约单位", true, D, S::ContractUnit, F::DashD2, kSO},
    {"保证金单位", true, D, S::MarginUnit, F::DashD2, kSO},
    {"涨停价", true, D, S::UpperLimit, F::DashD4, kS | kSO | kFO | kHG | kSG | kFI | kFR | kNQ},
    {"跌停价", true, D, S::LowerLimit, F::DashD4, kS | kSO | kFO | kHG | kSG | kFI | kFR | kNQ},
    {"前结算", true, D, S::PreSettlement, F::DashD4, kS | kSO | kFO | kHG | kSG | kFI | kFR},
    {"行权价格", false, D, S::Strike, F::DashD4, kSO},
    // No source holds a per-order maximum for every market of the mixed
    // list, so the column stays "-".
    {"最大单笔量", false, I, S::Dash, F::DashFInt},
    {"实际占款天数", true, I, S::CapitalDays, F::DashFInt, kS},
    {"流通股本", true, D, S::FloatCapital, F::DashD0, kS | kNQ | kHG | kSG},
    {"总股本", true, D, S::TotalCapital, F::DashD0, kS | kNQ | kHG | kSG},
    kFavouriteColumn,
};

// Every tender column is text: the amounts and rates are written when the
// value is made (CColumnSetDesc::textCells), and the workflow columns (3-8)
// read the fields the tender workflow updates.
const CColumnDesc kBondTender[] = {
    {"债券代码", false, T, S::TenderCode},
    {"债券简称", false, T, S::TenderShortName},
    {"债券全称", false, T, S::TenderFullName},
    {"操作", false, T, S::TenderAction},
    {"执行状态", false, T, S::TenderStatus},
    {"内部报量（亿）", false, T, S::TenderInternalAmount, F::D4},
    {"外部报量（亿）", false, T, S::TenderExternalAmount, F::D4},
    {"中标量（亿）", false, T, S::TenderWinBidAmount, F::D4},
    {"交易员", false, T, S::TenderTrader},
    {"主承销商", false, T, S::TenderLeadUnderwriter},
    {"上市代码", false, T, S::TenderListingCode},
    {"认购代码", false, T, S::TenderSubscriptionCode},
    {"债券类型", false, T, S::TenderBondType},
    {"债券类型细分", false, T, S::TenderBondTypeDetail},
    {"交易市场", false, T, S::TenderMarket},
    {"预交易市场", false, T, S::TenderPreMarket},
    {"是否跨市场", false, T, S::TenderCrossMarket},
    {"发行方式", false, T, S::TenderIssueType},
    {"发行人名称", false, T, S::TenderIssuerName},
    {"发行人代码", false, T, S::TenderIssuerCode},
    {"发行人属性", false, T, S::TenderIssuerAttribute},
    {"发行人类型", false, T, S::TenderIssuerType},
    {"所属行业", false, T, S::TenderIndustry},
    {"发行价", false, T, S::TenderIssuePrice, F::D4},
    {"发行参考利率", false, T, S::TenderReferenceRate, F::D4},
    {"发行对象", false, T, S::TenderIssueTarget},
    {"最低申购金额", false, T, S::TenderMinSubscription, F::D2},
    {"计划发行总额", false, T, S::TenderPlannedIssueSize, F::DashFInt},
    {"实际募集金额", false, T, S::TenderActualRaised, F::D2},
    {"预期年收益率", false, T, S::TenderExpectedYield, F::D4},
    {"募集方式", false, T, S::TenderRaiseType},
    {"期限（天）", false, T, S::TenderTermDays, F::DashFInt},
    {"期限（年）", false, T, S::TenderTermYears, F::D2},
    {"面值", false, T, S::TenderFaceValue, F::D2},
    {"招标方式", false, T, S::TenderingType},
    {"招标标的", false, T, S::TenderTarget},
    {"标位区间下限", false, T, S::TenderBidRangeLow, F::D4},
    {"标位区间上限", false, T, S::TenderBidRangeHigh, F::D4},
    {"步长", false, T, S::TenderBidStep, F::D4},
    {"基本投标单位", false, T, S::TenderBasicBidUnit, F::DashFInt},
    {"每标位最低投标量", false, T, S::TenderMinBidVolume, F::DashFInt},
    {"每标位最高投标量", false, T, S::TenderMaxBidVolume, F::DashFInt},
    {"主体评级", false, T, S::TenderIssuerRating},
    {"债项评级", false, T, S::TenderIssueRating},
    {"是否城投债", false, T, S::TenderLocalGovernmentFinancing},
    {"担保人", false, T, S::TenderGuarantor},
    {"招标日", false, T, S::TenderDate},
    {"招标结束日", false, T, S::TenderEndDate},
    {"发行起始日", false, T, S::TenderIssueStartDate},
    {"发行终止日", false, T, S::TenderIssueEndDate},
    {"缴款日", false, T, S::TenderPaymentDate},
    {"起息日", false, T, S::TenderValueDate},
    {"上市日", false, T, S::TenderListingDate},
    {"到期日", false, T, S::TenderMaturityDate},
};

template <int N>
constexpr CColumnSetDesc setOf(const CColumnDesc (&columns)[N], ERecordKind record,
                               int iconColumn = -1) {
  CColumnSetDesc set;
  set.columns = columns;
  set.count = N;
  set.iconColumn = iconColumn;
  set.record = record;
  return set;
}

constexpr CColumnSetDesc outerFutureSet() {
  CColumnSetDesc set = setOf(kOuterFuture, ERecordKind::Instrument);
  set.standardOnly = kOuterPricingUnitColumn;
  return set;
}

constexpr CColumnSetDesc tenderSet() {
  CColumnSetDesc set = setOf(kBondTender, ERecordKind::Tender);
  set.textCells = true;
  return set;
}

}  // namespace

EColumnSet columnSetOf(mxservice::ENqTraderType tradeType) {
  switch (static_cast<long long>(tradeType)) {
    case 0x1:
    case 0x100000:
      return EColumnSet::Stock;
    case 0x2:
      return EColumnSet::Future;
    case 0x4:
    case 0x1000:
    case 0x10000:
    case 0x1000000:
      return EColumnSet::Code;
    case 0x8:
      return EColumnSet::Credit;
    case 0x10:
      return EColumnSet::FutureOption;
    case 0x20:
      return EColumnSet::StockOption;
    case 0x40:
    case 0x800:
      return EColumnSet::OuterFuture;
    case 0x80:
    case 0x4000:
      return EColumnSet::HkStock;
    case 0x100:
      return EColumnSet::Neeq;
    case 0x200:
      return EColumnSet::OtcFund;
    case 0x400:
      return EColumnSet::SecondFuture;
    case 0x8000:
    case 0x2000000:
      return EColumnSet::InterBank;
    case 0x800000:
    case 0xC5DFF:
      return EColumnSet::Mixed;
    case 0x8000000:
      return EColumnSet::BondTender;
    default:
      return EColumnSet::None;
  }
}

constexpr CColumnSetDesc kColumnSets[] = {
    CColumnSetDesc(),                               // None
    setOf(kStock, ERecordKind::Instrument, 2),      // Stock
    setOf(kFuture, ERecordKind::Instrument),        // Future
    setOf(kCode, ERecordKind::Instrument, 2),       // Code
    setOf(kCredit, ERecordKind::Instrument, 2),     // Credit
    setOf(kFutureOption, ERecordKind::Instrument),  // FutureOption
    setOf(kStockOption, ERecordKind::Instrument),   // StockOption
    outerFutureSet(),                               // OuterFuture
    setOf(kHkStock, ERecordKind::Instrument),       // HkStock
    setOf(kNeeq, ERecordKind::Instrument, 1),       // Neeq
    setOf(kOtcFund, ERecordKind::Fund),             // OtcFund
    setOf(kSecondFuture, ERecordKind::Instrument),  // SecondFuture
    setOf(kInterBank, ERecordKind::InterBank),      // InterBank
    setOf(kMixed, ERecordKind::Instrument),         // Mixed
    tenderSet(),                                    // BondTender
};
static_assert(sizeof kColumnSets / sizeof *kColumnSets ==
                  static_cast<int>(EColumnSet::BondTender) + 1,
              "one set description per column set");

}  // namespace LW
