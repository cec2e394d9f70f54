#include "tender/bondtendersparamreader.h"

#include <boost/make_shared.hpp>

namespace LW {

namespace {
const char* const kTenderParamsField = "btdparam";
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

}  // namespace LW
