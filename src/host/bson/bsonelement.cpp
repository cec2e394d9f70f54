#include "host/bson/bsondetail_p.h"

#include <cmath>
#include <limits>

namespace bson {

const char* typeName(int type) {
  switch (type) {
    case EOO:
      return "end of object";
    case NumberDouble:
      return "double";
    case String:
      return "string";
    case Object:
      return "document";
    case Array:
      return "array";
    case BinData:
      return "binary";
    case Undefined:
      return "undefined";
    case jstOID:
      return "object id";
    case Bool:
      return "bool";
    case Date:
      return "date";
    case jstNULL:
      return "null";
    case RegEx:
      return "regex";
    case 12:
      return "db pointer";
    case Code:
      return "code";
    case Symbol:
      return "symbol";
    case CodeWScope:
      return "code with scope";
    case NumberInt:
      return "int32";
    case Timestamp:
      return "timestamp";
    case NumberLong:
      return "int64";
    case NumberDecimal:
      return "decimal128";
    case MaxKey:
      return "max key";
    case MinKey:
      return "min key";
    default:
      return "unknown type";
  }
}

BSONElement::BSONElement() = default;

bool BSONElement::initIter(void* iterPtr) const {
  if (!m_valid) return false;
  auto* iter = static_cast<bson_iter_t*>(iterPtr);
  const std::uint8_t* doc = m_buffer->data() + m_docOffset;
  // The element starts at its type byte, just before the key.
  const auto elementOffset = static_cast<std::uint32_t>(m_keyOffset - 1 - m_docOffset);
  return bson_iter_init_from_data_at_offset(iter, doc, m_docLength, elementOffset, m_keyLength);
}

bool BSONElement::eoo() const { return !m_valid; }

int BSONElement::type() const { return m_valid ? m_type : EOO; }

std::string BSONElement::fieldName() const {
  if (!m_valid) return std::string();
  return std::string(fieldNameData(), m_keyLength);
}

const char* BSONElement::fieldNameData() const {
  if (!m_valid) return "";
  return reinterpret_cast<const char*>(m_buffer->data() + m_keyOffset);
}

std::size_t BSONElement::fieldNameSize() const { return m_valid ? m_keyLength : 0; }

bool BSONElement::isNumber() const {
  const int t = type();
  return t == NumberDouble || t == NumberInt || t == NumberLong;
}

std::string BSONElement::String() const {
  bson_iter_t iter;
  if (type() != bson::String || !initIter(&iter)) return std::string();
  std::uint32_t length = 0;
  const char* text = bson_iter_utf8(&iter, &length);
  return text ? std::string(text, length) : std::string();
}

int BSONElement::Int() const {
  bson_iter_t iter;
  if (type() != NumberInt || !initIter(&iter)) return 0;
  return bson_iter_int32(&iter);
}

long long BSONElement::Long() const {
  bson_iter_t iter;
  if (type() != NumberLong || !initIter(&iter)) return 0;
  return bson_iter_int64(&iter);
}

double BSONElement::Double() const {
  bson_iter_t iter;
  if (type() != NumberDouble || !initIter(&iter)) return 0.0;
  return bson_iter_double(&iter);
}

bool BSONElement::Bool() const {
  bson_iter_t iter;
  if (type() != bson::Bool || !initIter(&iter)) return false;
  return bson_iter_bool(&iter);
}

int BSONElement::numberInt() const {
  switch (type()) {
    case NumberInt:
      return Int();
    case NumberLong: {
      const long long v = Long();
      if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
      if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
      return static_cast<int>(v);
    }
    case NumberDouble: {
      const double d = Double();
      if (std::isnan(d)) return 0;
      if (d >= 2147483647.0) return std::numeric_limits<int>::max();
      if (d <= -2147483648.0) return std::numeric_limits<int>::min();
      return static_cast<int>(d);  // in range: truncation towards zero is defined
    }
    default:
      return 0;
  }
}

long long BSONElement::numberLong() const {
  switch (type()) {
    case NumberInt:
      return Int();
    case NumberLong:
      return Long();
    case NumberDouble: {
      const double d = Double();
      if (std::isnan(d)) return 0;
      // 2^63 is exactly representable; every double below it converts.
      if (d >= 9223372036854775808.0) return std::numeric_limits<long long>::max();
      if (d <= -9223372036854775808.0) return std::numeric_limits<long long>::min();
      return static_cast<long long>(d);
    }
    default:
      return 0;
  }
}

double BSONElement::numberDouble() const {
  switch (type()) {
    case NumberInt:
      return static_cast<double>(Int());
    case NumberLong:
      return static_cast<double>(Long());
    case NumberDouble:
      return Double();
    default:
      return 0.0;
  }
}

BSONObj BSONElement::embeddedObject() const {
  const int t = type();
  bson_iter_t iter;
  if ((t != Object && t != Array) || !initIter(&iter)) return BSONObj();
  std::uint32_t length = 0;
  const std::uint8_t* data = nullptr;
  if (t == Object)
    bson_iter_document(&iter, &length, &data);
  else
    bson_iter_array(&iter, &length, &data);
  if (data == nullptr || length < 5) return BSONObj();
  return BSONObj(m_buffer, static_cast<std::size_t>(data - m_buffer->data()), length);
}

std::string BSONElement::valueJson() const {
  bson_iter_t iter;
  if (!initIter(&iter)) return std::string();
  std::string out;
  detail::appendJsonValue(out, &iter, 0);
  return out;
}

}  // namespace bson
