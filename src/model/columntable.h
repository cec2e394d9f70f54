#pragma once
// The column table of the instruments lists: for every column set, one
// description per column giving its title, whether it is drawn as a number,
// its sort kind, where its value comes from and how the value is written.
// The column catalogue (columncatalogue.h) and the cells of the rows
// (cellvalues.h, celltext.h) are both read from here, so a column's title and
// its cell cannot drift apart.
//
// Lookups are O(1). Everything is constant data: any thread.

#include "host/core/tradertypes.h"

#include <QtGlobal>

namespace LW {

// The column layouts; several trading types share one.
enum class EColumnSet : quint8 {
  None,          // no instrument list: no columns at all
  Stock,         // 1, 0x100000
  Future,        // 2
  Code,          // 4, 4096, 0x10000, 0x1000000
  Credit,        // 8
  FutureOption,  // 16
  StockOption,   // 32
  OuterFuture,   // 64, 2048
  HkStock,       // 128, 16384
  Neeq,          // 256
  OtcFund,       // 512
  SecondFuture,  // 1024
  InterBank,     // 32768, 0x2000000
  Mixed,         // 0x800000, 0xC5DFF
  BondTender,    // 0x8000000
};

EColumnSet columnSetOf(mxservice::ENqTraderType tradeType);

// Value kinds of a column; the numbers are those of QVariant::Int, ::Double
// and ::String because the host table sorts and exports by them.
enum EColumnValueKind : int {
  COLUMN_KIND_INT = 2,
  COLUMN_KIND_INT64 = 4,  // known to the sort; no column of this table has it
  COLUMN_KIND_DOUBLE = 6,
  COLUMN_KIND_TEXT = 10,
};

// The record a column set's rows wrap; a row of another record has no cells
// in that set.
enum class ERecordKind : quint8 { None, Instrument, Fund, InterBank, Tender };

// Where a cell's value comes from. Each source reads one record kind (the
// prefix names it; the first block reads instruments).
enum class ECellSource : quint8 {
  Favourite,  // the favourites toggle: no value, no text
  Dash,       // no field: the text "-"
  // Instruments.
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
  Fee,  // the fee text of the column's id
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
  // Over-the-counter fund plans.
  FundCode,
  FundName,
  FundMarket,
  FundBaseInfoType,
  FundType,
  FundPrevNetValue,
  FundPrStatus,
  FundMaxSubscription,
  FundMinSubscription,
  FundRedemptionDays,
  FundMinRedemption,
  FundBonusTypes,
  FundConversion,
  FundTransferAgent,
  FundManager,
  FundLatestNetValue,
  // Inter-bank bonds.
  IbMarket,  // "本币市场" for the local-currency market NIB
  IbCode,
  IbName,
  IbShCode,
  IbShName,
  IbSzCode,
  IbSzName,
  IbIssueDate,
  IbEndDate,
  IbFirstValueDate,
  IbLastTradeDate,
  IbTermText,  // the term in years, written with 6 significant digits
  IbIssuePrice,
  IbDenomination,
  IbCurrentDenomination,
  IbCouponType,
  IbRateType,
  IbCouponRate,
  IbPaymentsPerYear,
  IbInterestDays,
  IbPrevCleanClose,
  // Tender bonds.
  TenderCode,
  TenderShortName,
  TenderFullName,
  TenderAction,
  TenderStatus,
  TenderInternalAmount,
  TenderExternalAmount,
  TenderWinBidAmount,
  TenderTrader,
  TenderLeadUnderwriter,
  TenderListingCode,
  TenderSubscriptionCode,
  TenderBondType,
  TenderBondTypeDetail,
  TenderMarket,
  TenderPreMarket,
  TenderCrossMarket,
  TenderIssueType,
  TenderIssuerName,
  TenderIssuerCode,
  TenderIssuerAttribute,
  TenderIssuerType,
  TenderIndustry,
  TenderIssuePrice,
  TenderReferenceRate,
  TenderIssueTarget,
  TenderMinSubscription,
  TenderPlannedIssueSize,
  TenderActualRaised,
  TenderExpectedYield,
  TenderRaiseType,
  TenderTermDays,
  TenderTermYears,
  TenderFaceValue,
  TenderingType,
  TenderTarget,
  TenderBidRangeLow,
  TenderBidRangeHigh,
  TenderBidStep,
  TenderBasicBidUnit,
  TenderMinBidVolume,
  TenderMaxBidVolume,
  TenderIssuerRating,
  TenderIssueRating,
  TenderLocalGovernmentFinancing,
  TenderGuarantor,
  TenderDate,
  TenderEndDate,
  TenderIssueStartDate,
  TenderIssueEndDate,
  TenderPaymentDate,
  TenderValueDate,
  TenderListingDate,
  TenderMaturityDate,
};

// How a cell's value is written (celltext.h). Int and DashInt name the two
// integer rules of the lists; they write the same text because no integer
// writer paints the no-value marker (see cellformat.h).
enum class ECellFormat : quint8 {
  Text,  // the value's text
  D0,    // the number with 0, 2, 3, 4 or 5 decimals
  D2,
  D3,
  D4,
  D5,
  DP,   // the number with the row's price decimals
  Int,  // the integer, plain
  DashInt,
  DashFInt,  // the integer through the host integer formatter
  DashD0,    // as D0 .. D4, "-" when the number has no value
  DashD2,
  DashD3,
  DashD4,
  OuterMultiplier,  // the foreign-futures multiplier (-25 is a quarter unit)
  FixedMin6,        // fixed point, the row's price decimals but at most 6
  FixedP,           // fixed point, the row's price decimals
  FundAmount,       // two decimals, "暂无" for no value and amounts not above 0
  InterBankMarket,  // the text, "INTERBANK" for the generic market "BANK"
};

// Record conditions of a column (CColumnDesc::onlyFor): a record outside
// them shows "-" in the column. Instruments of the mixed list are tested
// against their market kinds (EMixedMarketKind, cellvalues.h); fund plans
// against FUND_PLAN_IS_FUND.
constexpr unsigned kEveryRecord = ~0u;
constexpr unsigned FUND_PLAN_IS_FUND = 1u;

struct CColumnDesc {
  const char* title;  // UTF-8
  bool numeric;       // drawn as a number (bold)
  quint8 kind;        // EColumnValueKind; text even where drawn as a number
  ECellSource source;
  ECellFormat format = ECellFormat::Text;
  unsigned onlyFor = kEveryRecord;
};

struct CColumnSetDesc {
  const CColumnDesc* columns = nullptr;
  int count = 0;          // columns of the standard edition
  int iconColumn = -1;    // the set's tag-icon column, -1 when none
  int standardOnly = -1;  // a column the broker edition leaves out, -1 when none
  ERecordKind record = ERecordKind::None;
  // The cell's value is its painted text: the format is applied when the
  // value is made, so the sort (every column of kind text) compares what the
  // user sees.
  bool textCells = false;

  int columnCount(bool brokerEdition) const {
    return brokerEdition && standardOnly >= 0 ? count - 1 : count;
  }
  // The description of id in the given edition; null outside the set.
  const CColumnDesc* column(int id, bool brokerEdition) const {
    if (brokerEdition && standardOnly >= 0 && id >= standardOnly) ++id;
    if (id < 0 || id >= count) return nullptr;
    return &columns[id];
  }
};

// The descriptions of the column sets, indexed by EColumnSet.
extern const CColumnSetDesc kColumnSets[];

inline const CColumnSetDesc& columnSetDesc(EColumnSet set) {
  return kColumnSets[static_cast<int>(set)];
}

// The description of (tradeType, column) in the given edition; null for ids
// outside the trading type's set and for types without a set.
inline const CColumnDesc* columnDesc(mxservice::ENqTraderType tradeType, bool brokerEdition,
                                     int column) {
  return columnSetDesc(columnSetOf(tradeType)).column(column, brokerEdition);
}

}  // namespace LW
