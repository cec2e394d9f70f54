#include "host/data/ordercommand.h"

#include "host/data/recordjson_p.h"

#include "host/data/fieldbinder.h"

namespace mxservice {

namespace {
const fields::FieldList<COrderCommand>& orderCommandFields() {
  using R = COrderCommand;
  static const fields::FieldList<R> list = fields::FieldList<R>()
                                               .integer("tradeType", &R::tradeType)
                                               .integer("commandId", &R::commandId)
                                               .integerProperty("status", &R::status, &R::setStatus)
                                               .text("passBackText", &R::passBackText)
                                               .text("userName", &R::userName)
                                               .object("params", &R::params);
  return list;
}
}  // namespace

COrderCommand::COrderCommand(const COrderCommand& other)
    : IData(other),
      tradeType(other.tradeType),
      commandId(other.commandId),
      passBackText(other.passBackText),
      userName(other.userName),
      params(other.params),
      m_status(other.status()) {}

std::string COrderCommand::getKey() const { return "OC." + std::to_string(commandId); }

bool COrderCommand::bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown,
                                     std::string* errors) {
  return orderCommandFields().read(*this, obj, ignoreUnknown, errors);
}

bool detail::readFromJson(COrderCommand& record, const fields::JsonValue& obj, bool ignoreUnknown,
                          std::string* errors) {
  return orderCommandFields().read(record, obj, ignoreUnknown, errors);
}

bson::BSONObj COrderCommand::toBsonObj() const { return orderCommandFields().write(*this); }

}  // namespace mxservice
