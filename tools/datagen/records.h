#pragma once
// The records a data set is made of, as plain values: one struct per file
// kind, members named exactly like the host records' members (and so like the
// JSON fields of docs/data-format.md). The factories fill them, the sample
// adjusts a few, recordjson.h writes them. Numeric members start at the host's
// no-value markers and are left out of the JSON while they hold them.

#include "host/core/tradertypes.h"

#include <string>
#include <vector>

namespace datagen {

using mxservice::kNoValueDouble;
using mxservice::kNoValueInt;

struct ExchangeRecord {
  std::string marketId;
  std::string name;
  std::string shortName;
};

struct CommissionRecord {
  int mode = 0;  // 1 yuan per lot, 2 per ten thousand of the amount
  double open = -1.0;
  double close = -1.0;
  double intradayOpen = -1.0;
  double intradayClose = -1.0;
};

struct InstrumentRecord {
  int tradeType = 0;
  std::string marketId;
  std::string code;
  std::string name;
  std::string productCode;
  std::string productName;
  std::string exchangeCode;
  std::string exchangeName;
  std::string underlyingCode;
  std::string currency;
  std::string expireDate;
  std::string deliveryDate;
  double priceTick = kNoValueDouble;
  double preClose = kNoValueDouble;
  double upperLimit = kNoValueDouble;
  double lowerLimit = kNoValueDouble;
  double preSettlement = kNoValueDouble;
  double longMarginRate = kNoValueDouble;
  double shortMarginRate = kNoValueDouble;
  double floatCapital = kNoValueDouble;
  double totalCapital = kNoValueDouble;
  double accruedInterest = kNoValueDouble;
  double faceValue = kNoValueDouble;
  double contractUnit = kNoValueDouble;
  double marginUnit = kNoValueDouble;
  double strikePrice = kNoValueDouble;
  int volumeMultiple = kNoValueInt;
  int maxMarketBuyVolume = kNoValueInt;
  int maxLimitBuyVolume = kNoValueInt;
  int maxMarketSellVolume = kNoValueInt;
  int maxLimitSellVolume = kNoValueInt;
  int maxLimitOrderVolume = kNoValueInt;
  int neeqLayer = kNoValueInt;
  int qualifiedInvestor = kNoValueInt;
  int stockKind = kNoValueInt;
  long long attributeFlags = 0;
  bool hasCommission = false;  // written as the presence of "commission"
  CommissionRecord commission;

  // What the instrument is, for the parts of a set that refer to it (bond
  // trading records, favourites); not written.
  bool isExchangeBond = false;
  std::string bondKindText;  // "国债", "公司债", ... for bond trading records
};

struct FundPlanRecord {
  InstrumentRecord base;  // code, name, marketId, tradeType 512
  int baseInfoType = kNoValueInt;
  int fundType = kNoValueInt;
  int prStatus = kNoValueInt;
  double prevUnitNetValue = kNoValueDouble;
  double maxSubscriptionAmount = kNoValueDouble;
  double minSubscriptionAmount = kNoValueDouble;
  int redemptionSettleDays = kNoValueInt;
  double minRedemptionUnits = kNoValueDouble;
  std::vector<int> bonusTypes;
  bool supportConversion = false;
  std::string transferAgent;
  std::string fundManager;
  double latestNetValue = kNoValueDouble;
};

struct InterBankBondRecord {
  std::string market;
  std::string bondCode;
  std::string bondName;
  std::string shortPinyin;
  std::string shCode;
  std::string shName;
  std::string szCode;
  std::string szName;
  std::string issueDate;
  std::string endDate;
  std::string firstValueDate;
  std::string lastTradeDate;
  double termYears = kNoValueDouble;
  double issuePrice = kNoValueDouble;
  double denomination = kNoValueDouble;
  double currentDenomination = kNoValueDouble;
  int couponPaymentType = kNoValueInt;
  int interestRateType = kNoValueInt;
  double couponRate = kNoValueDouble;
  int paymentsPerYear = kNoValueInt;
  int interestDays = kNoValueInt;
  double prevCleanClose = kNoValueDouble;
};

struct TenderBondRecord {
  // Workflow members; status is normally left out (derived by the panels).
  int status = kNoValueInt;
  std::string trader;
  double internalAmount = kNoValueDouble;
  double externalAmount = kNoValueDouble;
  double winBidAmount = kNoValueDouble;

  std::string bondCode;
  std::string shortName;
  std::string fullName;
  std::string actionText;
  std::string leadUnderwriter;
  std::string listingCode;
  std::string subscriptionCode;
  int bondType = kNoValueInt;
  int bondTypeDetail = kNoValueInt;
  int tenderMarket = kNoValueInt;
  int preMarket = kNoValueInt;
  bool crossMarket = false;
  int issueType = kNoValueInt;
  std::string issuerName;
  std::string issuerCode;
  int issuerAttribute = kNoValueInt;
  int issuerType = kNoValueInt;
  std::string industry;
  double issuePrice = kNoValueDouble;
  double referenceRate = kNoValueDouble;
  std::string issueTarget;
  double minSubscriptionAmount = kNoValueDouble;
  int plannedIssueSize = kNoValueInt;
  double actualRaisedAmount = kNoValueDouble;
  double expectedYield = kNoValueDouble;
  int raiseType = kNoValueInt;
  int termDays = kNoValueInt;
  double termYears = kNoValueDouble;
  double faceValue = kNoValueDouble;
  int tenderingType = kNoValueInt;
  int tenderTarget = kNoValueInt;
  double bidRangeLow = kNoValueDouble;
  double bidRangeHigh = kNoValueDouble;
  double bidStep = kNoValueDouble;
  int basicBidUnit = 0;
  int minBidVolume = kNoValueInt;
  int maxBidVolume = kNoValueInt;
  std::string issuerRating;
  std::string issueRating;
  int lgfvFlag = kNoValueInt;
  std::string guarantor;
  // "@", "@+N", "@-N" or "yyyyMMdd".
  std::string tenderDate;
  std::string tenderEndDate;
  std::string issueStartDate;
  std::string issueEndDate;
  std::string paymentDate;
  std::string valueDate;
  std::string listingDate;
  std::string maturityDate;
};

// How an order command's "btdparam" is written: as the tender parameters
// document, as a plain string (a malformed command that belongs to no bond),
// or not at all (a command of another trading type).
enum class TenderParamForm { Document, String, None };

struct OrderCommandRecord {
  int tradeType = 0;
  int commandId = kNoValueInt;
  int status = 0;
  std::string passBackText;
  std::string userName;
  std::string accountId;  // params.accountId
  TenderParamForm tenderParamForm = TenderParamForm::None;
  std::string bondCode;   // params.btdparam.bondCode
  std::string direction;  // "execution" or "allocation"
  double bidRate = kNoValueDouble;
  double bidVolume = kNoValueDouble;
  // Parameters of a non-tender command (a stock or futures order).
  std::string marketId;
  std::string stockCode;
  std::string side;
  double price = kNoValueDouble;
  int volume = kNoValueInt;
};

struct BondTradeInfoRecord {
  std::string marketId;
  std::string code;
  std::string bondType;
  std::string tradeMode;
  std::string pledgeCode;
  double conversionRate = kNoValueDouble;
  int minTradeVolume = kNoValueInt;
  std::string tradeStatus;
  std::string maturityDate;
};

struct ConfigRecord {
  std::string userName;
  int userType = 0;
  bool brokerEdition = false;
  int brokerEditionUserType = 0;
  bool mergeFuture = false;
  bool hkTradeInStock = false;
  // Trading type -> stock keys, ascending by trading type.
  std::vector<std::pair<int, std::vector<std::string>>> favourites;
  std::string tradingDate;
};

}  // namespace datagen
