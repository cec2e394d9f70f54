#include "host/data/tenderbondinfodetail.h"

#include "host/data/recordjson_p.h"

#include "host/core/annotatedmutex.h"
#include "host/data/fieldbinder.h"

namespace mxservice {

namespace {
const fields::FieldList<CTenderBondInfoDetail>& tenderFields() {
  using R = CTenderBondInfoDetail;
  static const fields::FieldList<R> list =
      fields::FieldList<R>()
          .integerProperty("status", &R::status, &R::setStatus)
          .textProperty("trader", &R::trader, &R::setTrader)
          .numberProperty("internalAmount", &R::internalAmount, &R::setInternalAmount)
          .numberProperty("externalAmount", &R::externalAmount, &R::setExternalAmount)
          .numberProperty("winBidAmount", &R::winBidAmount, &R::setWinBidAmount)
          .text("bondCode", &R::bondCode)
          .text("shortName", &R::shortName)
          .text("fullName", &R::fullName)
          .text("actionText", &R::actionText)
          .text("leadUnderwriter", &R::leadUnderwriter)
          .text("listingCode", &R::listingCode)
          .text("subscriptionCode", &R::subscriptionCode)
          .integer("bondType", &R::bondType)
          .integer("bondTypeDetail", &R::bondTypeDetail)
          .integer("tenderMarket", &R::tenderMarket)
          .integer("preMarket", &R::preMarket)
          .boolean("crossMarket", &R::crossMarket)
          .integer("issueType", &R::issueType)
          .text("issuerName", &R::issuerName)
          .text("issuerCode", &R::issuerCode)
          .integer("issuerAttribute", &R::issuerAttribute)
          .integer("issuerType", &R::issuerType)
          .text("industry", &R::industry)
          .number("issuePrice", &R::issuePrice)
          .number("referenceRate", &R::referenceRate)
          .text("issueTarget", &R::issueTarget)
          .number("minSubscriptionAmount", &R::minSubscriptionAmount)
          .integer("plannedIssueSize", &R::plannedIssueSize)
          .number("actualRaisedAmount", &R::actualRaisedAmount)
          .number("expectedYield", &R::expectedYield)
          .integer("raiseType", &R::raiseType)
          .integer("termDays", &R::termDays)
          .number("termYears", &R::termYears)
          .number("faceValue", &R::faceValue)
          .integer("tenderingType", &R::tenderingType)
          .integer("tenderTarget", &R::tenderTarget)
          .number("bidRangeLow", &R::bidRangeLow)
          .number("bidRangeHigh", &R::bidRangeHigh)
          .number("bidStep", &R::bidStep)
          .integer("basicBidUnit", &R::basicBidUnit)
          .integer("minBidVolume", &R::minBidVolume)
          .integer("maxBidVolume", &R::maxBidVolume)
          .text("issuerRating", &R::issuerRating)
          .text("issueRating", &R::issueRating)
          .integer("lgfvFlag", &R::lgfvFlag)
          .text("guarantor", &R::guarantor)
          .text("tenderDate", &R::tenderDate)
          .text("tenderEndDate", &R::tenderEndDate)
          .text("issueStartDate", &R::issueStartDate)
          .text("issueEndDate", &R::issueEndDate)
          .text("paymentDate", &R::paymentDate)
          .text("valueDate", &R::valueDate)
          .text("listingDate", &R::listingDate)
          .text("maturityDate", &R::maturityDate);
  return list;
}
}  // namespace

CTenderBondInfoDetail::CTenderBondInfoDetail(const CTenderBondInfoDetail& other)
    : IData(other),
      bondCode(other.bondCode),
      shortName(other.shortName),
      fullName(other.fullName),
      actionText(other.actionText),
      leadUnderwriter(other.leadUnderwriter),
      listingCode(other.listingCode),
      subscriptionCode(other.subscriptionCode),
      bondType(other.bondType),
      bondTypeDetail(other.bondTypeDetail),
      tenderMarket(other.tenderMarket),
      preMarket(other.preMarket),
      crossMarket(other.crossMarket),
      issueType(other.issueType),
      issuerName(other.issuerName),
      issuerCode(other.issuerCode),
      issuerAttribute(other.issuerAttribute),
      issuerType(other.issuerType),
      industry(other.industry),
      issuePrice(other.issuePrice),
      referenceRate(other.referenceRate),
      issueTarget(other.issueTarget),
      minSubscriptionAmount(other.minSubscriptionAmount),
      plannedIssueSize(other.plannedIssueSize),
      actualRaisedAmount(other.actualRaisedAmount),
      expectedYield(other.expectedYield),
      raiseType(other.raiseType),
      termDays(other.termDays),
      termYears(other.termYears),
      faceValue(other.faceValue),
      tenderingType(other.tenderingType),
      tenderTarget(other.tenderTarget),
      bidRangeLow(other.bidRangeLow),
      bidRangeHigh(other.bidRangeHigh),
      bidStep(other.bidStep),
      basicBidUnit(other.basicBidUnit),
      minBidVolume(other.minBidVolume),
      maxBidVolume(other.maxBidVolume),
      issuerRating(other.issuerRating),
      issueRating(other.issueRating),
      lgfvFlag(other.lgfvFlag),
      guarantor(other.guarantor),
      tenderDate(other.tenderDate),
      tenderEndDate(other.tenderEndDate),
      issueStartDate(other.issueStartDate),
      issueEndDate(other.issueEndDate),
      paymentDate(other.paymentDate),
      valueDate(other.valueDate),
      listingDate(other.listingDate),
      maturityDate(other.maturityDate) {
  // The guarded members are copied as one consistent snapshot.
  utils::CMutexLocker<utils::CMutex> lock(other.m_mutex);
  m_status = other.m_status;
  m_trader = other.m_trader;
  m_internalAmount = other.m_internalAmount;
  m_externalAmount = other.m_externalAmount;
  m_winBidAmount = other.m_winBidAmount;
}

std::string CTenderBondInfoDetail::getKey() const { return "TB." + bondCode; }

int CTenderBondInfoDetail::status() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_status;
}

void CTenderBondInfoDetail::setStatus(int status) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_status = status;
}

std::string CTenderBondInfoDetail::trader() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_trader;
}

void CTenderBondInfoDetail::setTrader(const std::string& trader) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_trader = trader;
}

double CTenderBondInfoDetail::internalAmount() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_internalAmount;
}

void CTenderBondInfoDetail::setInternalAmount(double amount) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_internalAmount = amount;
}

double CTenderBondInfoDetail::externalAmount() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_externalAmount;
}

void CTenderBondInfoDetail::setExternalAmount(double amount) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_externalAmount = amount;
}

double CTenderBondInfoDetail::winBidAmount() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_winBidAmount;
}

void CTenderBondInfoDetail::setWinBidAmount(double amount) {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_winBidAmount = amount;
}

bool CTenderBondInfoDetail::bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown,
                                             std::string* errors) {
  return tenderFields().read(*this, obj, ignoreUnknown, errors);
}

bool detail::readFromJson(CTenderBondInfoDetail& record, const fields::JsonValue& obj,
                          bool ignoreUnknown, std::string* errors) {
  return tenderFields().read(record, obj, ignoreUnknown, errors);
}

bson::BSONObj CTenderBondInfoDetail::toBsonObj() const {
  // Written from a copy so that the workflow members come from one moment:
  // reading them one accessor at a time could pair a new status with the
  // trader of the previous write.
  const CTenderBondInfoDetail snapshot(*this);
  return tenderFields().write(snapshot);
}

}  // namespace mxservice
