#include "host/data/instrumentdetail.h"

#include "host/data/recordjson_p.h"

#include "host/core/stockkey.h"
#include "host/data/instrumentfields_p.h"

namespace mxservice {

namespace detail {
const fields::FieldList<CCommissionRecord>& commissionFields() {
  static const fields::FieldList<CCommissionRecord> list =
      fields::FieldList<CCommissionRecord>()
          .integer("mode", &CCommissionRecord::mode)
          .number("open", &CCommissionRecord::open)
          .number("close", &CCommissionRecord::close)
          .number("intradayOpen", &CCommissionRecord::intradayOpen)
          .number("intradayClose", &CCommissionRecord::intradayClose);
  return list;
}
}  // namespace detail

namespace {
const fields::FieldList<CInstrumentDetail>& instrumentFields() {
  static const fields::FieldList<CInstrumentDetail> list = [] {
    fields::FieldList<CInstrumentDetail> f;
    detail::bindInstrumentFields(f);
    return f;
  }();
  return list;
}
}  // namespace

std::string CInstrumentDetail::getKey() const { return utils::nqStockKey(marketId, code); }

bool CInstrumentDetail::bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown,
                                         std::string* errors) {
  return instrumentFields().read(*this, obj, ignoreUnknown, errors);
}

bool detail::readFromJson(CInstrumentDetail& record, const fields::JsonValue& obj,
                          bool ignoreUnknown, std::string* errors) {
  return instrumentFields().read(record, obj, ignoreUnknown, errors);
}

bson::BSONObj CInstrumentDetail::toBsonObj() const { return instrumentFields().write(*this); }

}  // namespace mxservice
