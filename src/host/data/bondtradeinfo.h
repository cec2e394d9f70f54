#pragma once
// A bond trading information record of the data centre: the bond's trading
// conditions on one market (shown by the bond info panel).

#include "lwhost_data_export.h"

#include "host/core/tradertypes.h"
#include "host/data/idata.h"

#include <map>

namespace mxservice {

class LWHOST_DATA_EXPORT CBondTradeInfo : public IData {
public:
  std::string getKey() const override;  // utils::nqStockKey(marketId, code)
  bool bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown, std::string* errors) override;
  bson::BSONObj toBsonObj() const override;

  std::string marketId;
  std::string code;
  std::string bondType;                    // text shown in the table
  std::string tradeMode;                   // e.g. "竞价" / "协商"
  std::string pledgeCode;                  // repo pledge code, may be empty
  double conversionRate = kNoValueDouble;  // pledge conversion ratio
  int minTradeVolume = kNoValueInt;        // per order, in lots
  std::string tradeStatus;                 // "正常交易", "停牌", ...
  std::string maturityDate;                // "yyyyMMdd"
};

using CBondTradeInfoPtr = boost::shared_ptr<CBondTradeInfo>;
// Outer key: market id; inner key: a sequence number within the market.
using BondTradeInfoMap = std::map<std::string, std::map<int, CBondTradeInfoPtr>>;

}  // namespace mxservice
