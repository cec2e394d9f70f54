#include "host/data/bondtradeinfo.h"

#include "host/data/recordjson_p.h"

#include "host/core/stockkey.h"
#include "host/data/fieldbinder.h"

namespace mxservice {

namespace {
const fields::FieldList<CBondTradeInfo>& bondTradeInfoFields() {
  using R = CBondTradeInfo;
  static const fields::FieldList<R> list = fields::FieldList<R>()
                                               .text("marketId", &R::marketId)
                                               .text("code", &R::code)
                                               .text("bondType", &R::bondType)
                                               .text("tradeMode", &R::tradeMode)
                                               .text("pledgeCode", &R::pledgeCode)
                                               .number("conversionRate", &R::conversionRate)
                                               .integer("minTradeVolume", &R::minTradeVolume)
                                               .text("tradeStatus", &R::tradeStatus)
                                               .text("maturityDate", &R::maturityDate);
  return list;
}
}  // namespace

std::string CBondTradeInfo::getKey() const { return utils::nqStockKey(marketId, code); }

bool CBondTradeInfo::bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown,
                                      std::string* errors) {
  return bondTradeInfoFields().read(*this, obj, ignoreUnknown, errors);
}

bool detail::readFromJson(CBondTradeInfo& record, const fields::JsonValue& obj, bool ignoreUnknown,
                          std::string* errors) {
  return bondTradeInfoFields().read(record, obj, ignoreUnknown, errors);
}

bson::BSONObj CBondTradeInfo::toBsonObj() const { return bondTradeInfoFields().write(*this); }

}  // namespace mxservice
