#include "host/data/interbankbond.h"

#include "host/data/recordjson_p.h"

#include "host/data/fieldbinder.h"

namespace mxservice {

namespace {
const fields::FieldList<CInterBankBond>& interBankFields() {
  using R = CInterBankBond;
  static const fields::FieldList<R> list =
      fields::FieldList<R>()
          .text("market", &R::market)
          .text("bondCode", &R::bondCode)
          .text("bondName", &R::bondName)
          .text("shortPinyin", &R::shortPinyin)
          .text("shCode", &R::shCode)
          .text("shName", &R::shName)
          .text("szCode", &R::szCode)
          .text("szName", &R::szName)
          .text("issueDate", &R::issueDate)
          .text("endDate", &R::endDate)
          .text("firstValueDate", &R::firstValueDate)
          .text("lastTradeDate", &R::lastTradeDate)
          .number("termYears", &R::termYears)
          .number("issuePrice", &R::issuePrice)
          .number("denomination", &R::denomination)
          .number("currentDenomination", &R::currentDenomination)
          .integer("couponPaymentType", &R::couponPaymentType)
          .integer("interestRateType", &R::interestRateType)
          .number("couponRate", &R::couponRate)
          .integer("paymentsPerYear", &R::paymentsPerYear)
          .integer("interestDays", &R::interestDays)
          .number("prevCleanClose", &R::prevCleanClose);
  return list;
}
}  // namespace

std::string CInterBankBond::getKey() const { return market + "." + bondCode; }

bool CInterBankBond::bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown,
                                      std::string* errors) {
  return interBankFields().read(*this, obj, ignoreUnknown, errors);
}

bool detail::readFromJson(CInterBankBond& record, const fields::JsonValue& obj, bool ignoreUnknown,
                          std::string* errors) {
  return interBankFields().read(record, obj, ignoreUnknown, errors);
}

bson::BSONObj CInterBankBond::toBsonObj() const { return interBankFields().write(*this); }

}  // namespace mxservice
