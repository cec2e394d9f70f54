#include "model/columntable.h"

#include "model/cellvalues.h"

#include <QCoreApplication>

namespace LW {

namespace {

using S = ECellSource;
using F = ECellFormat;

constexpr quint8 T = COLUMN_KIND_TEXT;
constexpr quint8 D = COLUMN_KIND_DOUBLE;
constexpr quint8 I = COLUMN_KIND_INT;

// Every column title of the lists is a literal in the tables below.
const char kFavourite[] = QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "添加自选");
constexpr CColumnDesc kFavouriteColumn{kFavourite, false, T, S::Favourite};

const CColumnDesc kStock[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市场代码"), false, T, S::MarketCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票代码"), false, T, S::Code},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票名称"), false, T, S::Name},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D, S::Tick, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D, S::PreClose, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D, S::UpperLimit, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D, S::LowerLimit, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D, S::PreSettlement, F::DP},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "是否为双转单"), false, T, S::DoubleTurnLoan},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "实际占款天数"), true, I, S::CapitalDays,
     F::DashFInt},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "流通股本"), true, D, S::FloatCapital, F::D0},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "总股本"), true, D, S::TotalCapital, F::D0},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "尚未盈利"), false, T, S::NotYetProfitable},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "存在投票权差异"), false, T, S::VotingDifference},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "面值"), false, D, S::FaceValue, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "应计利息"), true, D, S::AccruedInterest, F::D5},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "计价方式"), false, T, S::PricingMethod},
    kFavouriteColumn,
};

// The fee columns (14-21) are drawn as numbers but hold texts such as
// "0.50/万", so they sort as text; likewise the last-date column.
const CColumnDesc kFuture[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T, S::Code},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T, S::Name},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种代码"), false, T, S::ProductCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T, S::MarketCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T, S::ExchangeName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, I, S::Multiplier, F::Int},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D, S::Tick, F::D3},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最后日期"), true, T, S::LastDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "多头保证金率"), true, D, S::LongMargin, F::D3},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "空头保证金率"), true, D, S::ShortMargin, F::D3},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D, S::UpperLimit, F::DP},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D, S::LowerLimit, F::DP},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D, S::PreSettlement, F::DP},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "手续费收取方式"), false, T, S::FeeMode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "开仓手续费率"), true, T, S::Fee},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "开仓手续费"), true, T, S::Fee},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "平仓手续费率"), true, T, S::Fee},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "平仓手续费"), true, T, S::Fee},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "日内开仓手续费率"), true, T, S::Fee},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "日内开仓手续费"), true, T, S::Fee},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "日内平仓手续费率"), true, T, S::Fee},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "日内平仓手续费"), true, T, S::Fee},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "单笔最大手数"), true, I, S::MaxLimitOrder, F::Int},
    kFavouriteColumn,
};

const CColumnDesc kCode[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市场"), false, T, S::MarketCodeOrName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "代码"), false, T, S::Code},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "名称"), false, T, S::Name},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D, S::Tick, F::D3},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D, S::PreClose, F::DP},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D, S::UpperLimit, F::DP},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D, S::LowerLimit, F::DP},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D, S::PreSettlement, F::DP},
    kFavouriteColumn,
};

const CColumnDesc kCredit[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市场代码"), false, T, S::MarketCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票代码"), false, T, S::Code},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票名称"), false, T, S::Name},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D, S::Tick, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D, S::PreClose, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D, S::UpperLimit, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D, S::LowerLimit, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D, S::PreSettlement, F::DP},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "流通股本"), true, D, S::FloatCapital, F::D0},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "总股本"), true, D, S::TotalCapital, F::D0},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "应计利息"), true, D, S::AccruedInterest, F::D5},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "计价方式"), false, T, S::PricingMethod},
    kFavouriteColumn,
};

const CColumnDesc kFutureOption[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T, S::Code},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T, S::Name},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T, S::MarketCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T, S::ExchangeName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, I, S::Multiplier, F::Int},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D, S::Tick, F::D3},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D, S::UpperLimit, F::DP},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D, S::LowerLimit, F::DP},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D, S::PreSettlement, F::DP},
    kFavouriteColumn,
};

// The sell-side maximum volumes (16, 17) sort as text while the buy-side ones
// sort as integers; the lists have always sorted that way.
const CColumnDesc kStockOption[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T, S::Code},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T, S::Name},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种代码"), false, T, S::ProductCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T, S::MarketCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T, S::ExchangeName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "标的代码"), false, T, S::UnderlyingCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最后日期"), false, T, S::LastDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D, S::Tick, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约单位"), true, D, S::ContractUnit, F::D2},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "保证金单位"), true, D, S::MarginUnit, F::D2},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D, S::UpperLimit, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D, S::LowerLimit, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D, S::PreSettlement, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "行权价格"), false, D, S::Strike, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市价买入单笔最大量"), false, I, S::MaxMarketBuy,
     F::DashInt},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "限价买入单笔最大量"), false, I, S::MaxLimitBuy,
     F::DashInt},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市价卖出单笔最大量"), false, T, S::MaxMarketSell,
     F::DashInt},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "限价卖出单笔最大量"), false, T, S::MaxLimitSell,
     F::DashInt},
    kFavouriteColumn,
};

// The broker edition prices in the exchange's own units, so it has no
// pricing-unit column (13) and its favourites column moves up by one.
constexpr int kOuterPricingUnitColumn = 13;
const CColumnDesc kOuterFuture[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T, S::Code},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T, S::Name},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T, S::ExchangeCodeText},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T, S::ExchangeNameText},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种代码"), false, T, S::ProductCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种名称"), false, T, S::ProductName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, D, S::OuterMultiplier,
     F::OuterMultiplier},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D, S::PreClose, F::FixedMin6},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D, S::PreSettlement, F::FixedMin6},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D, S::Tick, F::FixedP},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "到期日"), false, T, S::LastDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交割日"), false, T, S::DeliveryDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "币种"), false, T, S::Currency},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "计价单位"), false, T, S::PricingUnit},
    kFavouriteColumn,
};

const CColumnDesc kHkStock[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市场代码"), false, T, S::MarketCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票代码"), false, T, S::Code},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票名称"), false, T, S::Name},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D, S::Tick, F::D3},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D, S::PreClose, F::D3},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, I, S::Multiplier, F::Int},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "流通股本"), true, D, S::FloatCapital, F::D0},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "总股本"), true, D, S::TotalCapital, F::D0},
    kFavouriteColumn,
};

const CColumnDesc kNeeq[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市场代码"), false, T, S::MarketName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票代码"), false, T, S::Code},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票名称"), false, T, S::NameWithTick},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D, S::Tick, F::D3},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D, S::PreClose, F::D3},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D, S::UpperLimit, F::D3},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D, S::LowerLimit, F::D3},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "流通股本"), true, D, S::FloatCapital, F::D0},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "总股本"), true, D, S::TotalCapital, F::D0},
    kFavouriteColumn,
};

// The fund-only columns (4, 11, 12, 13) show "-" for other plan kinds.
const CColumnDesc kOtcFund[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T, S::FundCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T, S::FundName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约市场"), false, T, S::FundMarket},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约类型"), false, T, S::FundBaseInfoType},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "基金类型"), false, T, S::FundType, F::Text,
     FUND_PLAN_IS_FUND},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨日单位净值"), true, D, S::FundPrevNetValue,
     F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "申赎状态"), false, T, S::FundPrStatus},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最高申购金额"), true, D, S::FundMaxSubscription,
     F::FundAmount},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最低申购金额"), true, D, S::FundMinSubscription,
     F::FundAmount},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "赎回交收天数"), false, I, S::FundRedemptionDays,
     F::DashFInt},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最低赎回份额"), true, D, S::FundMinRedemption,
     F::FundAmount},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "分红方式"), false, T, S::FundBonusTypes, F::Text,
     FUND_PLAN_IS_FUND},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "是否支持转换"), false, T, S::FundConversion,
     F::Text, FUND_PLAN_IS_FUND},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "所属TA"), false, T, S::FundTransferAgent, F::Text,
     FUND_PLAN_IS_FUND},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "管理人"), false, T, S::FundManager},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "近期披露净值"), false, D, S::FundLatestNetValue,
     F::FundAmount},
    kFavouriteColumn,
};

const CColumnDesc kSecondFuture[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T, S::Code},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T, S::Name},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种代码"), false, T, S::ProductCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T, S::MarketCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T, S::ExchangeName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, I, S::Multiplier, F::Int},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D, S::Tick, F::D2},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最后日期"), false, T, S::LastDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D, S::PreSettlement, F::DP},
    kFavouriteColumn,
};

const CColumnDesc kInterBank[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易市场"), false, T, S::IbMarket,
     F::InterBankMarket},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "银行间债券代码"), false, T, S::IbCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "银行间债券名称"), false, T, S::IbName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "上交所代码"), false, T, S::IbShCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "上交所名称"), false, T, S::IbShName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "深交所代码"), false, T, S::IbSzCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "深交所名称"), false, T, S::IbSzName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行日期"), false, T, S::IbIssueDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "结束日期"), false, T, S::IbEndDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "原始起息日期"), false, T, S::IbFirstValueDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易截止日期"), false, T, S::IbLastTradeDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "期限"), false, T, S::IbTermText},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行价"), false, D, S::IbIssuePrice, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "面额"), false, D, S::IbDenomination, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "当前面额"), false, D, S::IbCurrentDenomination,
     F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "付息类型"), false, T, S::IbCouponType},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "利率类型"), false, T, S::IbRateType},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "票面利率(%)"), false, D, S::IbCouponRate, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "年付息次数"), false, I, S::IbPaymentsPerYear,
     F::Int},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "计息天数"), false, I, S::IbInterestDays, F::Int},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前收净价"), false, D, S::IbPrevCleanClose, F::D4},
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
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T, S::Code},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T, S::Name},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种代码"), false, T, S::ProductCode, F::Text,
     kF | kSO | kFO | kFR},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T, S::MarketCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T, S::ExchangeName, F::Text,
     kF | kSO | kFO | kFR | kG},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D, S::PreClose, F::DashD3,
     kS | kNQ | kHG | kSG | kFI},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, I, S::Multiplier, F::DashFInt,
     kF | kFO | kG | kHG | kSG | kFI | kFR},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D, S::Tick, F::DashD4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最后日期"), false, T, S::LastDate, F::Text,
     kF | kSO | kFO | kFR},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "多头保证金率"), true, D, S::LongMargin, F::DashD2,
     kFO},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "空头保证金率"), true, D, S::ShortMargin, F::DashD2,
     kFO},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "标的代码"), false, T, S::UnderlyingCode, F::Text,
     kSO},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约单位"), true, D, S::ContractUnit, F::DashD2,
     kSO},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "保证金单位"), true, D, S::MarginUnit, F::DashD2,
     kSO},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D, S::UpperLimit, F::DashD4,
     kS | kSO | kFO | kHG | kSG | kFI | kFR | kNQ},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D, S::LowerLimit, F::DashD4,
     kS | kSO | kFO | kHG | kSG | kFI | kFR | kNQ},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D, S::PreSettlement, F::DashD4,
     kS | kSO | kFO | kHG | kSG | kFI | kFR},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "行权价格"), false, D, S::Strike, F::DashD4, kSO},
    // No source holds a per-order maximum for every market of the mixed
    // list, so the column stays "-".
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最大单笔量"), false, I, S::Dash, F::DashFInt},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "实际占款天数"), true, I, S::CapitalDays,
     F::DashFInt, kS},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "流通股本"), true, D, S::FloatCapital, F::DashD0,
     kS | kNQ | kHG | kSG},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "总股本"), true, D, S::TotalCapital, F::DashD0,
     kS | kNQ | kHG | kSG},
    kFavouriteColumn,
};

// Every tender column is text: the amounts and rates are written when the
// value is made (CColumnSetDesc::textCells), and the workflow columns (3-8)
// read the fields the tender workflow updates.
const CColumnDesc kBondTender[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债券代码"), false, T, S::TenderCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债券简称"), false, T, S::TenderShortName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债券全称"), false, T, S::TenderFullName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "操作"), false, T, S::TenderAction},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "执行状态"), false, T, S::TenderStatus},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "内部报量（亿）"), false, T, S::TenderInternalAmount,
     F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "外部报量（亿）"), false, T, S::TenderExternalAmount,
     F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "中标量（亿）"), false, T, S::TenderWinBidAmount,
     F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易员"), false, T, S::TenderTrader},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "主承销商"), false, T, S::TenderLeadUnderwriter},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "上市代码"), false, T, S::TenderListingCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "认购代码"), false, T, S::TenderSubscriptionCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债券类型"), false, T, S::TenderBondType},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债券类型细分"), false, T, S::TenderBondTypeDetail},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易市场"), false, T, S::TenderMarket},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "预交易市场"), false, T, S::TenderPreMarket},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "是否跨市场"), false, T, S::TenderCrossMarket},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行方式"), false, T, S::TenderIssueType},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行人名称"), false, T, S::TenderIssuerName},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行人代码"), false, T, S::TenderIssuerCode},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行人属性"), false, T, S::TenderIssuerAttribute},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行人类型"), false, T, S::TenderIssuerType},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "所属行业"), false, T, S::TenderIndustry},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行价"), false, T, S::TenderIssuePrice, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行参考利率"), false, T, S::TenderReferenceRate,
     F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行对象"), false, T, S::TenderIssueTarget},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最低申购金额"), false, T, S::TenderMinSubscription,
     F::D2},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "计划发行总额"), false, T, S::TenderPlannedIssueSize,
     F::DashFInt},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "实际募集金额"), false, T, S::TenderActualRaised,
     F::D2},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "预期年收益率"), false, T, S::TenderExpectedYield,
     F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "募集方式"), false, T, S::TenderRaiseType},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "期限（天）"), false, T, S::TenderTermDays,
     F::DashFInt},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "期限（年）"), false, T, S::TenderTermYears, F::D2},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "面值"), false, T, S::TenderFaceValue, F::D2},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "招标方式"), false, T, S::TenderingType},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "招标标的"), false, T, S::TenderTarget},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "标位区间下限"), false, T, S::TenderBidRangeLow,
     F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "标位区间上限"), false, T, S::TenderBidRangeHigh,
     F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "步长"), false, T, S::TenderBidStep, F::D4},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "基本投标单位"), false, T, S::TenderBasicBidUnit,
     F::DashFInt},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "每标位最低投标量"), false, T, S::TenderMinBidVolume,
     F::DashFInt},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "每标位最高投标量"), false, T, S::TenderMaxBidVolume,
     F::DashFInt},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "主体评级"), false, T, S::TenderIssuerRating},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债项评级"), false, T, S::TenderIssueRating},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "是否城投债"), false, T,
     S::TenderLocalGovernmentFinancing},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "担保人"), false, T, S::TenderGuarantor},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "招标日"), false, T, S::TenderDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "招标结束日"), false, T, S::TenderEndDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行起始日"), false, T, S::TenderIssueStartDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行终止日"), false, T, S::TenderIssueEndDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "缴款日"), false, T, S::TenderPaymentDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "起息日"), false, T, S::TenderValueDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "上市日"), false, T, S::TenderListingDate},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "到期日"), false, T, S::TenderMaturityDate},
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

// Declared in the header, not hidden behind a function, so that the lookup
// inlines: the cells and the sort ask for a description per cell. The set is
// found by a switch on the trading type (columnSetOf), the column by its id
// in a constant array.
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
