#include "host/data/bondtendersparam.h"

#include "host/data/fieldbinder.h"

namespace mxservice {

namespace {
const fields::FieldList<CBondTendersParam>& tendersParamFields() {
  using R = CBondTendersParam;
  static const fields::FieldList<R> list = fields::FieldList<R>()
                                               .text("bondCode", &R::bondCode)
                                               .text("direction", &R::direction)
                                               .number("bidRate", &R::bidRate)
                                               .number("bidVolume", &R::bidVolume);
  return list;
}
}  // namespace

std::string CBondTendersParam::getKey() const { return bondCode; }

bool CBondTendersParam::bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown,
                                         std::string* errors) {
  return tendersParamFields().read(*this, obj, ignoreUnknown, errors);
}

bson::BSONObj CBondTendersParam::toBsonObj() const { return tendersParamFields().write(*this); }

}  // namespace mxservice
