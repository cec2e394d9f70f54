#pragma once
// Base of every host data record. Records are shared by boost::shared_ptr
// between the host's stores and the panels; a null pointer means "not found".
//
// Records are filled once (from BSON, by the loader or a server answer) before
// they are published, and are read-only afterwards, except for the members
// that a record documents as shared-mutable (guarded there).

#include "lwhost_data_export.h"

#include "host/bson/bsonobj.h"

#include <boost/shared_ptr.hpp>
#include <string>

namespace mxservice {

class LWHOST_DATA_EXPORT IData {
public:
  virtual ~IData() = default;

  // The record's data key: unique within its kind; the key that tables,
  // delegates and stores index the record by.
  virtual std::string getKey() const = 0;

  // The data type of the record kind (535 for order commands; 0 when the kind
  // has no account-data table).
  virtual int dataType() const { return 0; }

  // The generic reader: fills the record's members from the fields of obj
  // that carry their names (see docs/data-format.md); members whose field is
  // absent are left as they are, a null field sets its member to the default.
  // A field of the wrong type, or a number that is NaN, infinite or out of
  // range for its member, leaves the member at its no-value marker (its
  // default) and is reported in *errors when errors is not null, as one line
  // "field <name>: <problem>\n" per field (appended). Fields the record does
  // not know are ignored when ignoreUnknown is true and reported otherwise.
  // Returns false when anything was reported. The field binding behind it is
  // src/host/data/fieldbinder.h.
  virtual bool bsonValueFromObj(const bson::BSONObj& obj, bool ignoreUnknown,
                                std::string* errors) = 0;

  // The inverse of bsonValueFromObj: every member under its field name.
  virtual bson::BSONObj toBsonObj() const = 0;
};

using IDataPtr = boost::shared_ptr<IData>;

}  // namespace mxservice
