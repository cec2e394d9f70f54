#include "host/data/exchangedetail.h"

#include "host/data/recordjson_p.h"

#include "host/data/fieldbinder.h"

namespace mxservice {

namespace {
const fields::FieldList<CExchangeDetail>& exchangeFields() {
  using R = CExchangeDetail;
  static const fields::FieldList<R> list = fields::FieldList<R>()
                                               .text("marketId", &R::marketId)
                                               .text("name", &R::name)
                                               .text("shortName", &R::shortName);
  return list;
}
}  // namespace

bool CExchangeDetail::bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown,
                                       std::string* errors) {
  return exchangeFields().read(*this, obj, ignoreUnknown, errors);
}

bool detail::readFromJson(CExchangeDetail& record, const fields::JsonValue& obj, bool ignoreUnknown,
                          std::string* errors) {
  return exchangeFields().read(record, obj, ignoreUnknown, errors);
}

bson::BSONObj CExchangeDetail::toBsonObj() const { return exchangeFields().write(*this); }

}  // namespace mxservice
