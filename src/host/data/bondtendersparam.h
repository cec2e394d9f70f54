#pragma once
// The tender parameters of an order command: the "btdparam" document inside
// the command's parameters, read with the generic reader.

#include "lwhost_data_export.h"

#include "host/core/tradertypes.h"
#include "host/data/idata.h"

namespace mxservice {

class LWHOST_DATA_EXPORT CBondTendersParam : public IData {
public:
  std::string getKey() const override;  // bondCode
  bool bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown, std::string* errors) override;
  bson::BSONObj toBsonObj() const override;

  std::string bondCode;   // matches CTenderBondInfoDetail::bondCode
  std::string direction;  // "execution" or "allocation"
  double bidRate = kNoValueDouble;
  double bidVolume = kNoValueDouble;  // 10^8
};

using CBondTendersParamPtr = boost::shared_ptr<CBondTendersParam>;

}  // namespace mxservice
