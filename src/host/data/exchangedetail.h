#pragma once
// An exchange (market) of the exchange table.

#include "lwhost_data_export.h"

#include "host/data/idata.h"

namespace mxservice {

class LWHOST_DATA_EXPORT CExchangeDetail : public IData {
public:
  std::string getKey() const override { return marketId; }
  bool bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown, std::string* errors) override;
  bson::BSONObj toBsonObj() const override;

  std::string marketId;
  std::string name;       // display name, e.g. "上海证券交易所"
  std::string shortName;  // e.g. "上交所"
};

using CExchangeDetailPtr = boost::shared_ptr<CExchangeDetail>;

}  // namespace mxservice
