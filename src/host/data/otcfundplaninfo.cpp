#include "host/data/otcfundplaninfo.h"

#include "host/data/recordjson_p.h"

#include "host/data/instrumentfields_p.h"

namespace mxservice {

namespace {
const fields::FieldList<COTCFundPlanInfo>& fundFields() {
  static const fields::FieldList<COTCFundPlanInfo> list = [] {
    using R = COTCFundPlanInfo;
    fields::FieldList<R> f;
    detail::bindInstrumentFields(f);
    f.integer("baseInfoType", &R::baseInfoType)
        .integer("fundType", &R::fundType)
        .integer("prStatus", &R::prStatus)
        .number("prevUnitNetValue", &R::prevUnitNetValue)
        .number("maxSubscriptionAmount", &R::maxSubscriptionAmount)
        .number("minSubscriptionAmount", &R::minSubscriptionAmount)
        .integer("redemptionSettleDays", &R::redemptionSettleDays)
        .number("minRedemptionUnits", &R::minRedemptionUnits)
        .intList("bonusTypes", &R::bonusTypes)
        .boolean("supportConversion", &R::supportConversion)
        .text("transferAgent", &R::transferAgent)
        .text("fundManager", &R::fundManager)
        .number("latestNetValue", &R::latestNetValue);
    return f;
  }();
  return list;
}
}  // namespace

bool COTCFundPlanInfo::bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown,
                                        std::string* errors) {
  return fundFields().read(*this, obj, ignoreUnknown, errors);
}

bool detail::readFromJson(COTCFundPlanInfo& record, const fields::JsonValue& obj,
                          bool ignoreUnknown, std::string* errors) {
  return fundFields().read(record, obj, ignoreUnknown, errors);
}

bson::BSONObj COTCFundPlanInfo::toBsonObj() const { return fundFields().write(*this); }

}  // namespace mxservice
