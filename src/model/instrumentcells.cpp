#include "model/instrumentcells.h"

#include "host/core/stockkey.h"
#include "host/services/calcoverdue.h"
#include "host/services/exchangeclient.h"
#include "host/services/markethelper.h"
#include "host/services/tradercenter.h"
#include "model/cellformat.h"
#include "model/columncatalogue.h"
#include "model/instrumentfees.h"

#include <algorithm>

#include <QCoreApplication>

namespace LW {

namespace {

using mxservice::CInstrumentDetail;
using mxservice::CInstrumentDetailPtr;
using mxservice::ENqTraderType;

// Where a cell's value comes from.
enum class Src : quint8 {
  MarketCode,
  Code,
  Name,
  ProductCode,
  ProductName,
  ExchangeName,      // the exchange table's name for the market, "" when unknown
  ExchangeCodeText,  // the record's own exchange code text (foreign futures)
  ExchangeNameText,  // the record's own exchange name text (foreign futures)
  UnderlyingCode,
  LastDate,
  DeliveryDate,
  Currency,
  PricingUnit,
  MarketName,        // host display name of the market, number = tick
  MarketCodeOrName,  // MarketName for trading type 4, else MarketCode
  NameWithTick,
  DoubleTurnLoan,
  NotYetProfitable,
  VotingDifference,
  PricingMethod,
  FeeMode,
  Fee,
  Tick,
  PreClose,
  UpperLimit,
  LowerLimit,
  PreSettlement,
  LongMargin,
  ShortMargin,
  FloatCapital,
  TotalCapital,
  AccruedInterest,
  FaceValue,
  ContractUnit,
  MarginUnit,
  Strike,
  Multiplier,
  OuterMultiplier,  // integer cell whose number is the no-value integer
  MaxMarketBuy,
  MaxLimitBuy,
  MaxMarketSell,
  MaxLimitSell,
  MaxLimitOrder,
  CapitalDays,
  Dash,  // no source: the text "-"
};

// How a cell is written. Int and DashInt name the two integer rules of the
// lists; they write the same text because no integer writer paints the
// no-value marker (see cellformat.h).
enum class Fmt : quint8 {
  Text,
  D0,
  D2,
  D3,
  D4,
  D5,
  DP,
  Int,
  DashInt,
  DashFInt,
  DashD0,
  DashD2,
  DashD3,
  DashD4,
  OuterMultiplier,
  FixedMin6,
  FixedP,
};

constexpr unsigned kAll = ~0u;

struct Rule {
  Src src;
  Fmt fmt;
  unsigned kinds;  // mixed list only: market kinds that hold a value
};

constexpr Rule r(Src src, Fmt fmt = Fmt::Text) { return Rule{src, fmt, kAll}; }

const Rule kStock[] = {
    r(Src::MarketCode),
    r(Src::Code),
    r(Src::Name),
    r(Src::Tick, Fmt::D4),
    r(Src::PreClose, Fmt::D4),
    r(Src::UpperLimit, Fmt::D4),
    r(Src::LowerLimit, Fmt::D4),
    r(Src::PreSettlement, Fmt::DP),
    r(Src::DoubleTurnLoan),
    r(Src::CapitalDays, Fmt::DashFInt),
    r(Src::FloatCapital, Fmt::D0),
    r(Src::TotalCapital, Fmt::D0),
    r(Src::NotYetProfitable),
    r(Src::VotingDifference),
    r(Src::FaceValue, Fmt::D4),
    r(Src::AccruedInterest, Fmt::D5),
    r(Src::PricingMethod),
};

const Rule kFuture[] = {
    r(Src::Code),
    r(Src::Name),
    r(Src::ProductCode),
    r(Src::MarketCode),
    r(Src::ExchangeName),
    r(Src::Multiplier, Fmt::Int),
    r(Src::Tick, Fmt::D3),
    r(Src::LastDate),
    r(Src::LongMargin, Fmt::D3),
    r(Src::ShortMargin, Fmt::D3),
    r(Src::UpperLimit, Fmt::DP),
    r(Src::LowerLimit, Fmt::DP),
    r(Src::PreSettlement, Fmt::DP),
    r(Src::FeeMode),
    r(Src::Fee),
    r(Src::Fee),
    r(Src::Fee),
    r(Src::Fee),
    r(Src::Fee),
    r(Src::Fee),
    r(Src::Fee),
    r(Src::Fee),
    r(Src::MaxLimitOrder, Fmt::Int),
};

const Rule kCode[] = {
    r(Src::MarketCodeOrName),
    r(Src::Code),
    r(Src::Name),
    r(Src::Tick, Fmt::D3),
    r(Src::PreClose, Fmt::DP),
    r(Src::UpperLimit, Fmt::DP),
    r(Src::LowerLimit, Fmt::DP),
    r(Src::PreSettlement, Fmt::DP),
};

const Rule kCredit[] = {
    r(Src::MarketCode),
    r(Src::Code),
    r(Src::Name),
    r(Src::Tick, Fmt::D4),
    r(Src::PreClose, Fmt::D4),
    r(Src::UpperLimit, Fmt::D4),
    r(Src::LowerLimit, Fmt::D4),
    r(Src::PreSettlement, Fmt::DP),
    r(Src::FloatCapital, Fmt::D0),
    r(Src::TotalCapital, Fmt::D0),
    r(Src::AccruedInterest, Fmt::D5),
    r(Src::PricingMethod),
};

const Rule kFutureOption[] = {
    r(Src::Code),
    r(Src::Name),
    r(Src::MarketCode),
    r(Src::ExchangeName),
    r(Src::Multiplier, Fmt::Int),
    r(Src::Tick, Fmt::D3),
    r(Src::UpperLimit, Fmt::DP),
    r(Src::LowerLimit, Fmt::DP),
    r(Src::PreSettlement, Fmt::DP),
};

const Rule kStockOption[] = {
    r(Src::Code),
    r(Src::Name),
    r(Src::ProductCode),
    r(Src::MarketCode),
    r(Src::ExchangeName),
    r(Src::UnderlyingCode),
    r(Src::LastDate),
    r(Src::Tick, Fmt::D4),
    r(Src::ContractUnit, Fmt::D2),
    r(Src::MarginUnit, Fmt::D2),
    r(Src::UpperLimit, Fmt::D4),
    r(Src::LowerLimit, Fmt::D4),
    r(Src::PreSettlement, Fmt::D4),
    r(Src::Strike, Fmt::D4),
    r(Src::MaxMarketBuy, Fmt::DashInt),
    r(Src::MaxLimitBuy, Fmt::DashInt),
    r(Src::MaxMarketSell, Fmt::DashInt),
    r(Src::MaxLimitSell, Fmt::DashInt),
};

const Rule kOuterFuture[] = {
    r(Src::Code),
    r(Src::Name),
    r(Src::ExchangeCodeText),
    r(Src::ExchangeNameText),
    r(Src::ProductCode),
    r(Src::ProductName),
    r(Src::OuterMultiplier, Fmt::OuterMultiplier),
    r(Src::PreClose, Fmt::FixedMin6),
    r(Src::PreSettlement, Fmt::FixedMin6),
    r(Src::Tick, Fmt::FixedP),
    r(Src::LastDate),
    r(Src::DeliveryDate),
    r(Src::Currency),
    // Last, so that the broker edition, which has no such column, can leave
    // it out; see rulesOf().
    r(Src::PricingUnit),
};

const Rule kHkStock[] = {
    r(Src::MarketCode),
    r(Src::Code),
    r(Src::Name),
    r(Src::Tick, Fmt::D3),
    r(Src::PreClose, Fmt::D3),
    r(Src::Multiplier, Fmt::Int),
    r(Src::FloatCapital, Fmt::D0),
    r(Src::TotalCapital, Fmt::D0),
};

const Rule kNeeq[] = {
    r(Src::MarketName),
    r(Src::Code),
    r(Src::NameWithTick),
    r(Src::Tick, Fmt::D3),
    r(Src::PreClose, Fmt::D3),
    r(Src::UpperLimit, Fmt::D3),
    r(Src::LowerLimit, Fmt::D3),
    r(Src::FloatCapital, Fmt::D0),
    r(Src::TotalCapital, Fmt::D0),
};

const Rule kSecondFuture[] = {
    r(Src::Code),          r(Src::Name),         r(Src::ProductCode),
    r(Src::MarketCode),    r(Src::ExchangeName), r(Src::Multiplier, Fmt::Int),
    r(Src::Tick, Fmt::D2), r(Src::LastDate),     r(Src::PreSettlement, Fmt::DP),
};

constexpr unsigned F = MIXED_FUTURE;
constexpr unsigned SO = MIXED_STOCK_OPTION;
constexpr unsigned FO = MIXED_FUTURE_OPTION;
constexpr unsigned FR = MIXED_FOREIGN;
constexpr unsigned G = MIXED_GOLD;
constexpr unsigned S = MIXED_STOCK;
constexpr unsigned NQ = MIXED_NEEQ;
constexpr unsigned HG = MIXED_SH_HK_CONNECT;
constexpr unsigned SG = MIXED_SZ_HK_CONNECT;
constexpr unsigned FI = MIXED_FOREIGN_INTER_BANK;

const Rule kMixed[] = {
    {Src::Code, Fmt::Text, kAll},
    {Src::Name, Fmt::Text, kAll},
    {Src::ProductCode, Fmt::Text, F | SO | FO | FR},
    {Src::MarketCode, Fmt::Text, kAll},
    {Src::ExchangeName, Fmt::Text, F | SO | FO | FR | G},
    {Src::PreClose, Fmt::DashD3, S | NQ | HG | SG | FI},
    {Src::Multiplier, Fmt::DashFInt, F | FO | G | HG | SG | FI | FR},
    {Src::Tick, Fmt::DashD4, kAll},
    {Src::LastDate, Fmt::Text, F | SO | FO | FR},
    {Src::LongMargin, Fmt::DashD2, FO},
    {Src::ShortMargin, Fmt::DashD2, FO},
    {Src::UnderlyingCode, Fmt::Text, SO},
    {Src::ContractUnit, Fmt::DashD2, SO},
    {Src::MarginUnit, Fmt::DashD2, SO},
    {Src::UpperLimit, Fmt::DashD4, S | SO | FO | HG | SG | FI | FR | NQ},
    {Src::LowerLimit, Fmt::DashD4, S | SO | FO | HG | SG | FI | FR | NQ},
    {Src::PreSettlement, Fmt::DashD4, S | SO | FO | HG | SG | FI | FR},
    {Src::Strike, Fmt::DashD4, SO},
    // No source holds a per-order maximum for every market of the mixed
    // list, so the column stays "-".
    {Src::Dash, Fmt::DashFInt, 0},
    {Src::CapitalDays, Fmt::DashFInt, S},
    {Src::FloatCapital, Fmt::DashD0, S | NQ | HG | SG},
    {Src::TotalCapital, Fmt::DashD0, S | NQ | HG | SG},
};

struct RuleSet {
  const Rule* rules;
  int count;
};

template <int N>
constexpr RuleSet ruleSet(const Rule (&rules)[N]) {
  return RuleSet{rules, N};
}

RuleSet rulesOf(ENqTraderType tradeType, bool brokerEdition) {
  switch (columnSetOf(tradeType)) {
    case EColumnSet::Stock:
      return ruleSet(kStock);
    case EColumnSet::Future:
      return ruleSet(kFuture);
    case EColumnSet::Code:
      return ruleSet(kCode);
    case EColumnSet::Credit:
      return ruleSet(kCredit);
    case EColumnSet::FutureOption:
      return ruleSet(kFutureOption);
    case EColumnSet::StockOption:
      return ruleSet(kStockOption);
    case EColumnSet::OuterFuture: {
      // The broker edition's catalogue has no pricing-unit column: its id 13
      // is the favourites column, which holds no value.
      RuleSet set = ruleSet(kOuterFuture);
      if (brokerEdition) --set.count;
      return set;
    }
    case EColumnSet::HkStock:
      return ruleSet(kHkStock);
    case EColumnSet::Neeq:
      return ruleSet(kNeeq);
    case EColumnSet::SecondFuture:
      return ruleSet(kSecondFuture);
    case EColumnSet::Mixed:
      return ruleSet(kMixed);
    default:
      return RuleSet{nullptr, 0};
  }
}

const Rule* ruleOf(ENqTraderType tradeType, bool brokerEdition, int column) {
  const RuleSet set = rulesOf(tradeType, brokerEdition);
  if (column < 0 || column >= set.count) return nullptr;
  return &set.rules[column];
}

QString yesNo(bool yes) {
  return yes ? QCoreApplication::translate("LW::CellFormat", "是")
             : QCoreApplication::translate("LW::CellFormat", "否");
}

QString exchangeName(const CInstrumentDetail& ins) {
  const mxservice::CExchangeDetailPtr exchange =
      CExchangeClient::instance()->getExchangeInfo(ins.marketId);
  return exchange ? GU::sToQs(exchange->name) : QString();
}

int capitalOccupationDays(const CInstrumentDetail& ins) {
  const int days =
      CCalcOverdue::instance()->getCapOccupationDaysByCode(ins.marketId, ins.code, "", true);
  return days > 0 ? days : mxservice::kNoValueInt;
}

CellValue textWithNumber(const QString& text, double number) {
  CellValue v = CellValue::ofText(text);
  v.number = number;
  return v;
}

CellValue produce(Src src, const CInstrumentDetailPtr& ptr, ENqTraderType tradeType, int column) {
  const CInstrumentDetail& ins = *ptr;
  const long long flags = ins.attributeFlags;
  switch (src) {
    case Src::MarketCode:
      return CellValue::ofText(GU::sToQs(ins.marketId));
    case Src::Code:
      return CellValue::ofText(GU::sToQs(ins.code));
    case Src::Name:
      return CellValue::ofText(GU::sToQs(ins.name));
    case Src::ProductCode:
      return CellValue::ofText(GU::sToQs(ins.productCode));
    case Src::ProductName:
      return CellValue::ofText(GU::sToQs(ins.productName));
    case Src::ExchangeName:
      return CellValue::ofText(exchangeName(ins));
    case Src::ExchangeCodeText:
      return CellValue::ofText(GU::sToQs(ins.exchangeCode));
    case Src::ExchangeNameText:
      return CellValue::ofText(GU::sToQs(ins.exchangeName));
    case Src::UnderlyingCode:
      return CellValue::ofText(GU::sToQs(ins.underlyingCode));
    case Src::LastDate:
      return CellValue::ofText(GU::sToQs(ins.expireDate));
    case Src::DeliveryDate:
      return CellValue::ofText(GU::sToQs(ins.deliveryDate));
    case Src::Currency:
      return CellValue::ofText(GU::sToQs(ins.currency));
    case Src::PricingUnit:
      return CellValue::ofText(
          GU::sToQs(mxservice::TraderCenter::instance()->getDataCenter()->getPricingUnitText(
              ins.currency, ins.contractUnit)));
    case Src::MarketName:
      return textWithNumber(nqMarketIdToString(ins.marketId, ptr), ins.priceTick);
    case Src::MarketCodeOrName:
      if (tradeType == mxservice::NQ_TRADER_GOLD) {
        return textWithNumber(nqMarketIdToString(ins.marketId, ptr), ins.priceTick);
      }
      return CellValue::ofText(GU::sToQs(ins.marketId));
    case Src::NameWithTick:
      return textWithNumber(GU::sToQs(ins.name), ins.priceTick);
    case Src::DoubleTurnLoan:
      return CellValue::ofText(yesNo(mxservice::isDoubleTurnLoanCode(ins.marketId, ins.code)));
    case Src::NotYetProfitable:
      return CellValue::ofText(yesNo((flags & mxservice::INSTRUMENT_ATTR_PROFITABLE) == 0));
    case Src::VotingDifference:
      return CellValue::ofText(yesNo((flags & mxservice::INSTRUMENT_ATTR_VOTING_DIFF) != 0));
    case Src::PricingMethod:
      return CellValue::ofText((flags & mxservice::INSTRUMENT_ATTR_CLEAN_PRICE) != 0
                                   ? QCoreApplication::translate("LW::CellFormat", "净价")
                                   : QCoreApplication::translate("LW::CellFormat", "全价"));
    case Src::FeeMode:
      return CellValue::ofText(feeModeText(ins));
    case Src::Fee: {
      // Fee texts sort as text; their numbers are 0 rather than "no value"
      // so that a numeric reader of the column sees one consistent value.
      CellValue v = CellValue::ofText(feeText(ins, column));
      v.number = 0;
      v.integer = 0;
      return v;
    }
    case Src::Tick:
      return CellValue::ofNumber(ins.priceTick);
    case Src::PreClose:
      return CellValue::ofNumber(ins.preClose);
    case Src::UpperLimit:
      return CellValue::ofNumber(ins.upperLimit);
    case Src::LowerLimit:
      return CellValue::ofNumber(ins.lowerLimit);
    case Src::PreSettlement:
      return CellValue::ofNumber(ins.preSettlement);
    case Src::LongMargin:
      return CellValue::ofNumber(ins.longMarginRate);
    case Src::ShortMargin:
      return CellValue::ofNumber(ins.shortMarginRate);
    case Src::FloatCapital:
      return CellValue::ofNumber(ins.floatCapital);
    case Src::TotalCapital:
      return CellValue::ofNumber(ins.totalCapital);
    case Src::AccruedInterest:
      return CellValue::ofNumber(ins.accruedInterest);
    case Src::FaceValue:
      return CellValue::ofNumber(ins.faceValue);
    case Src::ContractUnit:
      return CellValue::ofNumber(ins.contractUnit);
    case Src::MarginUnit:
      return CellValue::ofNumber(ins.marginUnit);
    case Src::Strike:
      return CellValue::ofNumber(ins.strikePrice);
    case Src::Multiplier:
      return CellValue::ofInteger(ins.volumeMultiple);
    case Src::OuterMultiplier: {
      CellValue v = CellValue::ofInteger(ins.volumeMultiple);
      v.number = static_cast<double>(mxservice::kNoValueInt);
      return v;
    }
    case Src::MaxMarketBuy:
      return CellValue::ofInteger(ins.maxMarketBuyVolume);
    case Src::MaxLimitBuy:
      return CellValue::ofInteger(ins.maxLimitBuyVolume);
    case Src::MaxMarketSell:
      return CellValue::ofInteger(ins.maxMarketSellVolume);
    case Src::MaxLimitSell:
      return CellValue::ofInteger(ins.maxLimitSellVolume);
    case Src::MaxLimitOrder:
      return CellValue::ofInteger(ins.maxLimitOrderVolume);
    case Src::CapitalDays:
      return CellValue::ofInteger(capitalOccupationDays(ins));
    case Src::Dash:
      return CellValue::ofText(cellformat::dash());
  }
  return CellValue();
}

// The foreign-futures multiplier: negative multipliers encode a fraction of
// a unit in hundredths (-25 is a quarter unit), which the exchanges' own
// screens show as 0.25.
QString outerMultiplierText(int multiplier) {
  if (multiplier == mxservice::kNoValueInt) return cellformat::dash();
  if (multiplier > 0.00001) return QString::number(multiplier);
  const double units = -(multiplier * 0.01);
  return QString::number(units == 0 ? 0.0 : units, 'f', 2);  // never "-0.00"
}

}  // namespace

unsigned mixedMarketKinds(const CInstrumentDetailPtr& instrument) {
  using namespace mxservice;
  if (!instrument) return 0;
  const std::string& m = instrument->marketId;
  unsigned kinds = 0;
  if (isFutureMarket(m)) kinds |= MIXED_FUTURE;
  if (isStockOptionMarket(m)) kinds |= MIXED_STOCK_OPTION;
  if (isFutureOptionMarket(instrument)) kinds |= MIXED_FUTURE_OPTION;
  if (isForeignMarket(m)) kinds |= MIXED_FOREIGN;
  if (isGoldMarket(m)) kinds |= MIXED_GOLD;
  if (isStockMarket(m)) kinds |= MIXED_STOCK;
  if (isNew3BoardMarket(m)) kinds |= MIXED_NEEQ;
  if (isHGTMarket(m)) kinds |= MIXED_SH_HK_CONNECT;
  if (isSGTMarket(m)) kinds |= MIXED_SZ_HK_CONNECT;
  if (isForeignInterBankMarket(m)) kinds |= MIXED_FOREIGN_INTER_BANK;
  return kinds;
}

bool instrumentCellValue(const CInstrumentDetailPtr& instrument, ENqTraderType tradeType,
                         bool brokerEdition, int column, CellValue* value) {
  if (!instrument) return false;
  const Rule* rule = ruleOf(tradeType, brokerEdition, column);
  if (!rule) return false;
  if (rule->kinds != kAll && (mixedMarketKinds(instrument) & rule->kinds) == 0) {
    *value = CellValue::ofText(cellformat::dash());
    return true;
  }
  *value = produce(rule->src, instrument, tradeType, column);
  return true;
}

bool instrumentCellText(ENqTraderType tradeType, bool brokerEdition, int column,
                        const CellValue& value, int priceDecimals, QString* text) {
  const Rule* rule = ruleOf(tradeType, brokerEdition, column);
  if (!rule) {
    text->clear();
    return false;
  }
  namespace cf = cellformat;
  switch (rule->fmt) {
    case Fmt::Text:
      *text = value.text;
      break;
    case Fmt::D0:
      *text = cf::decimals(value.number, 0);
      break;
    case Fmt::D2:
      *text = cf::decimals(value.number, 2);
      break;
    case Fmt::D3:
      *text = cf::decimals(value.number, 3);
      break;
    case Fmt::D4:
      *text = cf::decimals(value.number, 4);
      break;
    case Fmt::D5:
      *text = cf::decimals(value.number, 5);
      break;
    case Fmt::DP:
      *text = cf::decimals(value.number, priceDecimals);
      break;
    case Fmt::Int:
    case Fmt::DashInt:
      *text = cf::plainInt(value.integer);
      break;
    case Fmt::DashFInt:
      *text = cf::hostInt(value.integer);
      break;
    case Fmt::DashD0:
      *text = cf::dashOrDecimals(value.number, 0);
      break;
    case Fmt::DashD2:
      *text = cf::dashOrDecimals(value.number, 2);
      break;
    case Fmt::DashD3:
      *text = cf::dashOrDecimals(value.number, 3);
      break;
    case Fmt::DashD4:
      *text = cf::dashOrDecimals(value.number, 4);
      break;
    case Fmt::OuterMultiplier:
      *text = outerMultiplierText(value.integer);
      break;
    case Fmt::FixedMin6:
      *text = cf::fixedPoint(value.number, std::min(priceDecimals, 6));
      break;
    case Fmt::FixedP:
      *text = cf::fixedPoint(value.number, priceDecimals);
      break;
  }
  return true;
}

}  // namespace LW
