#pragma once
// An over-the-counter fund plan. It is a kind of instrument detail (it is
// listed by the data centre under trading type 512 with the instruments) and
// adds the fund's own information.

#include "lwhost_data_export.h"

#include "host/data/instrumentdetail.h"

#include <vector>

namespace mxservice {

class LWHOST_DATA_EXPORT COTCFundPlanInfo : public CInstrumentDetail {
public:
  // A fund plan is listed under trading type 512 unless its record says otherwise.
  COTCFundPlanInfo() { tradeType = NQ_TRADER_OTC_FUND; }

  bool bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown, std::string* errors) override;
  bson::BSONObj toBsonObj() const override;

  // code, name and marketId of the base class are the fund code, fund name
  // and market.
  int baseInfoType = kNoValueInt;  // mxservice::EOTCBaseInfoType; 1 = fund
  int fundType = kNoValueInt;      // mxservice::EOTCFundType
  int prStatus = kNoValueInt;      // mxservice::EOTCPRStatus
  double prevUnitNetValue = kNoValueDouble;
  double maxSubscriptionAmount = kNoValueDouble;
  double minSubscriptionAmount = kNoValueDouble;
  int redemptionSettleDays = kNoValueInt;
  double minRedemptionUnits = kNoValueDouble;
  std::vector<int> bonusTypes;  // mxservice::EOTCFundBonusType values
  bool supportConversion = false;
  std::string transferAgent;
  std::string fundManager;
  double latestNetValue = kNoValueDouble;
};

using COTCFundPlanInfoPtr = boost::shared_ptr<COTCFundPlanInfo>;

}  // namespace mxservice
