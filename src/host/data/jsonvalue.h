#pragma once
// One value of a JSON data line, decoded by the data-set loader's line reader
// and typed the way the generic BSON reader would see it: a whole number is
// an int32 when it fits, else an int64; a number with a fraction or an
// exponent is a double; text is UTF-8 with its escapes decoded.
//
// A JsonValue views memory of the reader that produced it (the line, the
// decoded strings, the other values): it is valid until that reader reads its
// next line, and belongs to the reader's thread.

#include "host/bson/bsonobj.h"

#include <cstddef>
#include <string_view>

namespace mxservice {
namespace fields {

struct JsonValue {
  int type() const { return m_type; }  // a bson::BSONType number

  int m_type = bson::EOO;
  std::string_view key;   // the member name, for a member of an object
  std::string_view text;  // String: the decoded text; Object, Array: the JSON text
  long long integer = 0;  // NumberInt, NumberLong
  double number = 0;      // NumberDouble
  bool flag = false;      // Bool
  // Object, Array: the members or elements in order, linked by next.
  const JsonValue* first = nullptr;
  const JsonValue* next = nullptr;
};

}  // namespace fields
}  // namespace mxservice
