#pragma once
// The detail of one bond offered in a primary-market tender.
//
// Shared between the exchange client's store, the tender panels and the trade
// client. Most members are fixed once the record is published; the workflow
// members (status, trader and the three amounts) are written by the GUI
// thread, the panels' worker and the trade client's thread while others read
// them, so they are private and guarded by m_mutex. Their accessors may be
// called from any thread.

#include "lwhost_data_export.h"

#include "host/core/annotatedmutex.h"

#include "host/core/tradertypes.h"
#include "host/data/idata.h"

#include <map>
#include <string>

namespace mxservice {

class LWHOST_DATA_EXPORT CTenderBondInfoDetail : public IData {
public:
  CTenderBondInfoDetail() = default;
  CTenderBondInfoDetail(const CTenderBondInfoDetail& other);  // copies under other's lock
  CTenderBondInfoDetail& operator=(const CTenderBondInfoDetail&) = delete;

  std::string getKey() const override;  // "TB." + bondCode
  bool bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown, std::string* errors) override;
  bson::BSONObj toBsonObj() const override;

  // Workflow members (guarded).
  int status() const;  // EOrderCommandStatus or -2; kNoValueInt until derived
  void setStatus(int status);
  std::string trader() const;  // UTF-8
  void setTrader(const std::string& trader);
  double internalAmount() const;  // internal report amount, 10^8
  void setInternalAmount(double amount);
  double externalAmount() const;  // external report amount, 10^8
  void setExternalAmount(double amount);
  double winBidAmount() const;  // winning-bid amount, 10^8
  void setWinBidAmount(double amount);

  // Fixed members (UTF-8 texts; enum members are host enum values whose
  // names come from TypeManager under the enum name given in the comment).
  std::string bondCode;
  std::string shortName;
  std::string fullName;
  std::string actionText;  // text of the action column
  std::string leadUnderwriter;
  std::string listingCode;
  std::string subscriptionCode;
  int bondType = kNoValueInt;        // "mxservice::EIbBondType"
  int bondTypeDetail = kNoValueInt;  // "mxservice::EIbBondTypeDetail"
  int tenderMarket = kNoValueInt;    // "mxservice::ETenderMarket"
  int preMarket = kNoValueInt;       // "mxservice::ETenderPreMarket"
  bool crossMarket = false;
  int issueType = kNoValueInt;  // "mxservice::ETenderIssueType"
  std::string issuerName;
  std::string issuerCode;
  int issuerAttribute = kNoValueInt;  // "mxservice::EIbBondIssuer"
  int issuerType = kNoValueInt;       // "mxservice::ETenderIssuer"
  std::string industry;
  double issuePrice = kNoValueDouble;
  double referenceRate = kNoValueDouble;
  std::string issueTarget;
  double minSubscriptionAmount = kNoValueDouble;
  int plannedIssueSize = kNoValueInt;
  double actualRaisedAmount = kNoValueDouble;
  double expectedYield = kNoValueDouble;
  int raiseType = kNoValueInt;  // "mxservice::ETenderRaise"
  int termDays = kNoValueInt;
  double termYears = kNoValueDouble;
  double faceValue = kNoValueDouble;
  int tenderingType = kNoValueInt;  // "mxservice::ETenderingType"
  int tenderTarget = kNoValueInt;   // "mxservice::ETenderTarget"
  double bidRangeLow = kNoValueDouble;
  double bidRangeHigh = kNoValueDouble;
  double bidStep = kNoValueDouble;
  int basicBidUnit = 0;  // basic tender unit
  int minBidVolume = kNoValueInt;
  int maxBidVolume = kNoValueInt;
  std::string issuerRating;
  std::string issueRating;
  int lgfvFlag = kNoValueInt;  // 2: local-government financing bond
  std::string guarantor;
  // Dates, "yyyyMMdd".
  std::string tenderDate;
  std::string tenderEndDate;
  std::string issueStartDate;
  std::string issueEndDate;
  std::string paymentDate;
  std::string valueDate;
  std::string listingDate;
  std::string maturityDate;

private:
  mutable utils::CMutex m_mutex;
  int m_status LW_GUARDED_BY(m_mutex) = kNoValueInt;
  std::string m_trader LW_GUARDED_BY(m_mutex);
  double m_internalAmount LW_GUARDED_BY(m_mutex) = kNoValueDouble;
  double m_externalAmount LW_GUARDED_BY(m_mutex) = kNoValueDouble;
  double m_winBidAmount LW_GUARDED_BY(m_mutex) = kNoValueDouble;
};

using CTenderBondInfoDetailPtr = boost::shared_ptr<CTenderBondInfoDetail>;
// Ascending by key text (the exchange client's own key of the detail).
using TenderBondInfoDetailMap = std::map<std::string, CTenderBondInfoDetailPtr>;

}  // namespace mxservice
