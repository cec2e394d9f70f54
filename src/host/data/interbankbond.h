#pragma once
// An inter-bank bond as the trader centre's inter-bank store holds it.

#include "lwhost_data_export.h"

#include "host/core/tradertypes.h"
#include "host/data/idata.h"

#include <map>
#include <string>

namespace mxservice {

class LWHOST_DATA_EXPORT CInterBankBond : public IData {
public:
  std::string getKey() const override;  // market + "." + bondCode
  bool bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown, std::string* errors) override;
  bson::BSONObj toBsonObj() const override;

  std::string market;       // "NIB" local-currency market, "BANK", ...
  std::string bondCode;     // inter-bank code
  std::string bondName;     // inter-bank name
  std::string shortPinyin;  // pinyin abbreviation of the name (searchable, not shown)
  std::string shCode;
  std::string shName;
  std::string szCode;
  std::string szName;
  std::string issueDate;  // "yyyyMMdd"
  std::string endDate;
  std::string firstValueDate;
  std::string lastTradeDate;
  double termYears = kNoValueDouble;
  double issuePrice = kNoValueDouble;
  double denomination = kNoValueDouble;
  double currentDenomination = kNoValueDouble;
  int couponPaymentType = kNoValueInt;  // LW::getIBankInterestTypeQString
  int interestRateType = kNoValueInt;   // LW::getIBankInterestRateTypeQString
  double couponRate = kNoValueDouble;   // percent
  int paymentsPerYear = kNoValueInt;
  int interestDays = kNoValueInt;
  double prevCleanClose = kNoValueDouble;
};

using CInterBankBondPtr = boost::shared_ptr<CInterBankBond>;
using InterBankBondMap = std::map<std::string, CInterBankBondPtr>;  // by getKey()

}  // namespace mxservice
