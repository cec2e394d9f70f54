#include "tender/bondtendersparamreader.h"

#include <boost/make_shared.hpp>

namespace LW {

namespace {
const char* const kTenderParamsField = "btdparam";
const char* const kBondCodeField = "bondCode";
}  // namespace

bool readBondTendersParam(bson::BSONObj parameters,
                          boost::shared_ptr<mxservice::CBondTendersParam>& out) {
  const bson::BSONElement field = parameters.getFieldDotted(kTenderParamsField);
  if (field.eoo()) return false;
  if (field.type() == bson::Object) {
    boost::shared_ptr<mxservice::CBondTendersParam> read =
        boost::make_shared<mxservice::CBondTendersParam>();
    // A partly damaged document still names its bond; the generic reader
    // keeps every good member, so its result is not a reason to drop it.
    read->bsonValueFromObj(field.embeddedObject(), true, nullptr);
    out = read;
  }
  return true;
}

bool readTenderBondCode(const bson::BSONObj& parameters, std::string* bondCode) {
  // The field name has no dot, so the dotted lookup is the top-level one.
  const bson::BSONElement field = parameters.getField(kTenderParamsField);
  if (field.type() != bson::Object) return false;
  // The generic reader's rules for a text member: the first field of the
  // name counts; a string is taken; null, another type or no field at all
  // leave the member at its default, the empty text.
  const bson::BSONElement code = field.embeddedObject().getField(kBondCodeField);
  if (code.type() == bson::String) {
    *bondCode = code.String();
  } else {
    bondCode->clear();
  }
  return true;
}

}  // namespace LW
