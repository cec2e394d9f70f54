#pragma once
// The detail record of one tradable instrument, as the exchange client and
// the data centre hold it. Read-only once published: the host replaces a
// changed instrument by a new record rather than writing into a shared one.

#include "lwhost_data_export.h"

#include "host/core/tradertypes.h"
#include "host/data/idata.h"

#include <QMap>
#include <QMetaType>
#include <QString>
#include <string>

namespace mxservice {

// Commission of a futures-like instrument. mode: 1 by lots (yuan per lot),
// 2 by amount (per ten thousand of the traded amount). A value of -1.0 means
// the fee is not charged / not known.
struct LWHOST_DATA_EXPORT CCommissionRecord {
  int mode = 0;
  double open = -1.0;
  double close = -1.0;
  double intradayOpen = -1.0;
  double intradayClose = -1.0;
};

// Bits of CInstrumentDetail::attributeFlags.
enum EInstrumentAttribute : long long {
  INSTRUMENT_ATTR_PROFITABLE = 1LL << 1,    // set: already profitable
  INSTRUMENT_ATTR_VOTING_DIFF = 1LL << 4,   // differential voting rights
  INSTRUMENT_ATTR_CLEAN_PRICE = 1LL << 24,  // quoted by clean price
};

class LWHOST_DATA_EXPORT CInstrumentDetail : public IData {
public:
  std::string getKey() const override;  // utils::nqStockKey(marketId, code)
  bool bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown, std::string* errors) override;
  bson::BSONObj toBsonObj() const override;

  // Trading type the instrument is listed under (one bit).
  int tradeType = NQ_TRADER_NONE;

  // Identity (UTF-8).
  std::string marketId;  // "SH", "SZ", "SHFE", ...
  std::string code;
  std::string name;
  std::string productCode;  // futures product / option underlying class
  std::string productName;
  std::string exchangeCode;  // exchange code text shown by foreign futures
  std::string exchangeName;  // exchange name text shown by foreign futures
  std::string underlyingCode;
  std::string currency;
  std::string expireDate;    // "yyyyMMdd"; the "last date"
  std::string deliveryDate;  // "yyyyMMdd"

  // Prices and amounts; kNoValueDouble when absent.
  double priceTick = kNoValueDouble;
  double preClose = kNoValueDouble;
  double upperLimit = kNoValueDouble;
  double lowerLimit = kNoValueDouble;
  double preSettlement = kNoValueDouble;
  double longMarginRate = kNoValueDouble;
  double shortMarginRate = kNoValueDouble;
  double floatCapital = kNoValueDouble;  // floating share capital
  double totalCapital = kNoValueDouble;
  double accruedInterest = kNoValueDouble;
  double faceValue = kNoValueDouble;
  double contractUnit = kNoValueDouble;
  double marginUnit = kNoValueDouble;
  double strikePrice = kNoValueDouble;

  // Integers; kNoValueInt when absent.
  int volumeMultiple = kNoValueInt;
  int maxMarketBuyVolume = kNoValueInt;
  int maxLimitBuyVolume = kNoValueInt;
  int maxMarketSellVolume = kNoValueInt;
  int maxLimitSellVolume = kNoValueInt;
  int maxLimitOrderVolume = kNoValueInt;
  int neeqLayer = kNoValueInt;          // 1 innovation, 2 basic, 3 Beijing exchange
  int qualifiedInvestor = kNoValueInt;  // 1: professional bond investors only
  int stockKind = kNoValueInt;          // typed-stock kind (1172, 1173, 1193, ...)

  long long attributeFlags = 0;  // EInstrumentAttribute bits

  bool hasCommission = false;
  CCommissionRecord commission;
};

using CInstrumentDetailPtr = boost::shared_ptr<CInstrumentDetail>;

}  // namespace mxservice

Q_DECLARE_METATYPE(mxservice::CInstrumentDetailPtr)
