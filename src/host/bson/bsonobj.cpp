// The bson:: facade over libbson. Documents are validated once, when they
// enter the facade (fromBytes, fromJson, the builder), so every later read
// works on well-formed bytes; libbson's iterator still bounds-checks each
// access.

#include "host/bson/bsonobj.h"

#include <bson/bson.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace bson {

namespace {

using Buffer = std::vector<std::uint8_t>;
using BufferPtr = std::shared_ptr<const Buffer>;

const BufferPtr& emptyDocumentBuffer() {
  static const BufferPtr buffer = std::make_shared<const Buffer>(Buffer{5, 0, 0, 0, 0});
  return buffer;
}

}  // namespace

const char* typeName(int type) {
  switch (type) {
    case EOO: return "end of object";
    case NumberDouble: return "double";
    case String: return "string";
    case Object: return "document";
    case Array: return "array";
    case BinData: return "binary";
    case Undefined: return "undefined";
    case jstOID: return "object id";
    case Bool: return "bool";
    case Date: return "date";
    case jstNULL: return "null";
    case RegEx: return "regex";
    case 12: return "db pointer";
    case Code: return "code";
    case Symbol: return "symbol";
    case CodeWScope: return "code with scope";
    case NumberInt: return "int32";
    case Timestamp: return "timestamp";
    case NumberLong: return "int64";
    case NumberDecimal: return "decimal128";
    case MaxKey: return "max key";
    case MinKey: return "min key";
    default: return "unknown type";
  }
}

namespace {

// Checks a document held in `data`: its length, its structure (recursively)
// and the UTF-8 of its keys and strings. Throws BSONError.
void validateDocument(const std::uint8_t* data, std::size_t size, const char* what) {
  if (data == nullptr && size != 0) throw BSONError(std::string(what) + ": null data");
  if (size < 5) {
    throw BSONError(std::string(what) + ": " + std::to_string(size) +
                    " bytes is too short for a BSON document (at least 5)");
  }
  std::int32_t declared;
  std::memcpy(&declared, data, 4);
  declared = BSON_UINT32_FROM_LE(declared);
  if (declared < 5 || static_cast<std::size_t>(declared) != size) {
    throw BSONError(std::string(what) + ": the document says it is " + std::to_string(declared) +
                    " bytes long but " + std::to_string(size) + " bytes were given");
  }
  if (data[size - 1] != 0) {
    throw BSONError(std::string(what) + ": the document does not end with a zero byte");
  }
  bson_t doc;
  if (!bson_init_static(&doc, data, size)) {
    throw BSONError(std::string(what) + ": not a BSON document");
  }
  bson_error_t error;
  if (!bson_validate_with_error(&doc, static_cast<bson_validate_flags_t>(BSON_VALIDATE_UTF8 | BSON_VALIDATE_UTF8_ALLOW_NULL), &error)) {
    throw BSONError(std::string(what) + ": invalid BSON: " + error.message);
  }
}

// Makes text valid UTF-8: every byte that does not start a valid sequence is
// replaced by U+FFFD.
std::string sanitizeUtf8(const std::string& text) {
  if (bson_utf8_validate(text.data(), text.size(), true)) return text;
  std::string out;
  out.reserve(text.size() + 8);
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    unsigned char c = p[i];
    std::size_t len = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      len = 2; cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3; cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4; cp = c & 0x07;
    }
    bool ok = len != 0 && i + len <= n;
    for (std::size_t k = 1; ok && k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    if (ok) {
      // Overlong forms, surrogates and values beyond U+10FFFF are invalid.
      if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
          (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        ok = false;
      }
    }
    if (ok) {
      out.append(text, i, len);
      i += len;
    } else {
      out.append("\xEF\xBF\xBD");
      ++i;
    }
  }
  return out;
}

// A key: valid UTF-8 and without NUL (the text stops at the first NUL).
std::string sanitizeKey(const std::string& name) {
  std::string key = name.substr(0, std::strlen(name.c_str()));
  return sanitizeUtf8(key);
}

std::string libbsonJson(const bson_t* doc) {
  std::size_t length = 0;
  char* text = bson_as_relaxed_extended_json(doc, &length);
  if (text == nullptr) throw BSONError("cannot write the document as JSON");
  std::string out(text, length);
  bson_free(text);
  return out;
}

// The JSON of the value under `iter` as libbson writes it (for the types the
// writer below leaves to libbson: dates, binary, object ids, ...).
std::string libbsonValueJson(const bson_iter_t* iter) {
  bson_t* doc = bson_new();
  bson_append_iter(doc, "", 0, iter);
  std::string json;
  try {
    json = libbsonJson(doc);
  } catch (...) {
    bson_destroy(doc);
    throw;
  }
  bson_destroy(doc);
  // json is `{ "" : <value> }`.
  static const std::string prefix = "{ \"\" : ";
  static const std::string suffix = " }";
  if (json.size() >= prefix.size() + suffix.size() && json.compare(0, prefix.size(), prefix) == 0 &&
      json.compare(json.size() - suffix.size(), suffix.size(), suffix) == 0) {
    return json.substr(prefix.size(), json.size() - prefix.size() - suffix.size());
  }
  return json;
}

void appendJsonString(std::string& out, const char* text, std::size_t length) {
  static const char hex[] = "0123456789abcdef";
  out.push_back('"');
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    switch (c) {
      case '"': out.append("\\\""); break;
      case '\\': out.append("\\\\"); break;
      case '\b': out.append("\\b"); break;
      case '\f': out.append("\\f"); break;
      case '\n': out.append("\\n"); break;
      case '\r': out.append("\\r"); break;
      case '\t': out.append("\\t"); break;
      default:
        if (c < 0x20) {
          out.append("\\u00");
          out.push_back(hex[c >> 4]);
          out.push_back(hex[c & 0xF]);
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
  }
  out.push_back('"');
}

// The shortest text that reads back as the same double, always with a "."
// or an exponent so that it reads back as a double, not an integer.
void appendJsonDouble(std::string& out, double value) {
  if (std::isnan(value)) {
    out.append("{ \"$numberDouble\" : \"NaN\" }");
    return;
  }
  if (std::isinf(value)) {
    out.append(value > 0 ? "{ \"$numberDouble\" : \"Infinity\" }" : "{ \"$numberDouble\" : \"-Infinity\" }");
    return;
  }
  // std::to_chars gives the shortest round-trip form, whatever the locale.
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  std::string number(text, result.ptr);
  if (number.find_first_of(".eE") == std::string::npos) number.append(".0");
  out.append(number);
}

void appendJsonDocument(std::string& out, const std::uint8_t* data, std::size_t length, bool isArray);

void appendJsonValue(std::string& out, const bson_iter_t* iter) {
  switch (bson_iter_type(iter)) {
    case BSON_TYPE_DOUBLE:
      appendJsonDouble(out, bson_iter_double(iter));
      break;
    case BSON_TYPE_UTF8: {
      std::uint32_t length = 0;
      const char* text = bson_iter_utf8(iter, &length);
      appendJsonString(out, text, length);
      break;
    }
    case BSON_TYPE_DOCUMENT:
    case BSON_TYPE_ARRAY: {
      std::uint32_t length = 0;
      const std::uint8_t* data = nullptr;
      const bool isArray = bson_iter_type(iter) == BSON_TYPE_ARRAY;
      if (isArray) bson_iter_array(iter, &length, &data);
      else bson_iter_document(iter, &length, &data);
      appendJsonDocument(out, data, length, isArray);
      break;
    }
    case BSON_TYPE_BOOL:
      out.append(bson_iter_bool(iter) ? "true" : "false");
      break;
    case BSON_TYPE_NULL:
      out.append("null");
      break;
    case BSON_TYPE_INT32:
      out.append(std::to_string(bson_iter_int32(iter)));
      break;
    case BSON_TYPE_INT64:
      out.append(std::to_string(bson_iter_int64(iter)));
      break;
    default:
      out.append(libbsonValueJson(iter));
  }
}

// Same layout as libbson's relaxed extended JSON: `{ "a" : 1, "b" : [ 2 ] }`.
void appendJsonDocument(std::string& out, const std::uint8_t* data, std::size_t length, bool isArray) {
  bson_iter_t iter;
  out.append(isArray ? "[ " : "{ ");
  bool first = true;
  if (data != nullptr && bson_iter_init_from_data(&iter, data, length)) {
    while (bson_iter_next(&iter)) {
      if (!first) out.append(", ");
      first = false;
      if (!isArray) {
        appendJsonString(out, bson_iter_key(&iter), bson_iter_key_len(&iter));
        out.append(" : ");
      }
      appendJsonValue(out, &iter);
    }
  }
  if (!first) out.push_back(' ');
  out.append(isArray ? "]" : "}");
}

}  // namespace

// ---------------------------------------------------------------- BSONElement

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
    case NumberInt: return static_cast<double>(Int());
    case NumberLong: return static_cast<double>(Long());
    case NumberDouble: return Double();
    default: return 0.0;
  }
}

BSONObj BSONElement::embeddedObject() const {
  const int t = type();
  bson_iter_t iter;
  if ((t != Object && t != Array) || !initIter(&iter)) return BSONObj();
  std::uint32_t length = 0;
  const std::uint8_t* data = nullptr;
  if (t == Object) bson_iter_document(&iter, &length, &data);
  else bson_iter_array(&iter, &length, &data);
  if (data == nullptr || length < 5) return BSONObj();
  return BSONObj(m_buffer, static_cast<std::size_t>(data - m_buffer->data()), length);
}

std::string BSONElement::valueJson() const {
  bson_iter_t iter;
  if (!initIter(&iter)) return std::string();
  std::string out;
  appendJsonValue(out, &iter);
  return out;
}

// -------------------------------------------------------------------- BSONObj

BSONObj::BSONObj() : m_buffer(emptyDocumentBuffer()), m_offset(0), m_length(5) {}

BSONObj::BSONObj(BufferPtr buffer, std::size_t offset, std::size_t length)
    : m_buffer(std::move(buffer)), m_offset(offset), m_length(length) {}

BSONObj BSONObj::fromBytes(const std::uint8_t* data, std::size_t size) {
  validateDocument(data, size, "BSON bytes");
  auto buffer = std::make_shared<Buffer>(data, data + size);
  return BSONObj(std::move(buffer), 0, size);
}

BSONObj BSONObj::fromJson(const std::string& json) {
  // The top level must be an object: libbson would turn an array into a
  // document with keys "0", "1", ...
  std::size_t first = json.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) throw BSONError("invalid JSON: empty text");
  if (json[first] != '{') {
    throw BSONError("invalid JSON: the top level is not an object (starts with '" +
                    sanitizeUtf8(json.substr(first, 1)) + "')");
  }
  if (json.size() > static_cast<std::size_t>(std::numeric_limits<ssize_t>::max())) {
    throw BSONError("invalid JSON: text too long");
  }
  bson_json_reader_t* reader = bson_json_data_reader_new(false, json.size());
  bson_json_data_reader_ingest(reader, reinterpret_cast<const std::uint8_t*>(json.data()), json.size());
  bson_t doc = BSON_INITIALIZER;
  bson_error_t error;
  const int first_read = bson_json_reader_read(reader, &doc, &error);
  std::string problem;
  if (first_read < 0) {
    problem = error.message;
  } else if (first_read == 0) {
    problem = "no JSON object";
  } else {
    // Anything after the object (but white space) is an error too.
    bson_t extra = BSON_INITIALIZER;
    const int second_read = bson_json_reader_read(reader, &extra, &error);
    if (second_read < 0) problem = error.message;
    else if (second_read > 0) problem = "more than one JSON value in the text";
    bson_destroy(&extra);
  }
  bson_json_reader_destroy(reader);
  if (!problem.empty()) {
    bson_destroy(&doc);
    throw BSONError("invalid JSON: " + sanitizeUtf8(problem));
  }
  const std::uint8_t* data = bson_get_data(&doc);
  const std::size_t size = doc.len;
  auto buffer = std::make_shared<Buffer>(data, data + size);
  bson_destroy(&doc);
  // The JSON parser copies string bytes as they are: check their UTF-8 here.
  validateDocument(buffer->data(), buffer->size(), "JSON text");
  return BSONObj(std::move(buffer), 0, size);
}

bool BSONObj::isEmpty() const { return m_length <= 5; }

int BSONObj::nFields() const {
  bson_iter_t iter;
  if (!bson_iter_init_from_data(&iter, objdata(), m_length)) return 0;
  int n = 0;
  while (bson_iter_next(&iter)) ++n;
  return n;
}

std::size_t BSONObj::objsize() const { return m_length; }

const std::uint8_t* BSONObj::objdata() const { return m_buffer->data() + m_offset; }

std::vector<std::uint8_t> BSONObj::bytes() const {
  return std::vector<std::uint8_t>(objdata(), objdata() + m_length);
}

BSONElement BSONObj::elementAt(const void* iterPtr) const {
  const auto* iter = static_cast<const bson_iter_t*>(iterPtr);
  BSONElement e;
  e.m_buffer = m_buffer;
  e.m_docOffset = m_offset;
  e.m_docLength = m_length;
  const char* key = bson_iter_key(iter);
  e.m_keyOffset = static_cast<std::size_t>(reinterpret_cast<const std::uint8_t*>(key) - m_buffer->data());
  e.m_keyLength = bson_iter_key_len(iter);
  e.m_type = static_cast<int>(static_cast<std::int8_t>(bson_iter_type(iter)));
  e.m_valid = true;
  return e;
}

BSONElement BSONObj::getField(const std::string& name) const {
  bson_iter_t iter;
  if (!bson_iter_init_from_data(&iter, objdata(), m_length)) return BSONElement();
  while (bson_iter_next(&iter)) {
    if (bson_iter_key_len(&iter) == name.size() &&
        std::memcmp(bson_iter_key(&iter), name.data(), name.size()) == 0) {
      return elementAt(&iter);
    }
  }
  return BSONElement();
}

BSONElement BSONObj::getFieldDotted(const std::string& path) const {
  if (path.empty()) return BSONElement();
  BSONObj current = *this;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = path.find('.', start);
    const std::string part = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    BSONElement e = current.getField(part);
    if (e.eoo() || dot == std::string::npos) return e;
    if (e.type() != Object && e.type() != Array) return BSONElement();
    current = e.embeddedObject();
    start = dot + 1;
  }
}

std::vector<BSONElement> BSONObj::elements() const {
  std::vector<BSONElement> out;
  bson_iter_t iter;
  if (!bson_iter_init_from_data(&iter, objdata(), m_length)) return out;
  while (bson_iter_next(&iter)) out.push_back(elementAt(&iter));
  return out;
}

std::string BSONObj::jsonString() const {
  std::string out;
  out.reserve(m_length * 2);
  appendJsonDocument(out, objdata(), m_length, false);
  return out;
}

bool BSONObj::operator==(const BSONObj& other) const {
  return m_length == other.m_length && std::memcmp(objdata(), other.objdata(), m_length) == 0;
}

// ------------------------------------------------------------- BSONObjBuilder

struct BSONObjBuilder::Impl {
  bson_t* doc = bson_new();
  bool done = false;
  BSONObj result;

  ~Impl() {
    if (doc) bson_destroy(doc);
  }
  bson_t* open() {
    if (done) throw BSONError("BSONObjBuilder: obj() was already called");
    return doc;
  }
  static void check(bool ok, const std::string& key) {
    if (!ok) throw BSONError("BSONObjBuilder: cannot append field \"" + key + "\" (document too large)");
  }
};

BSONObjBuilder::BSONObjBuilder() : m_impl(new Impl) {}
BSONObjBuilder::~BSONObjBuilder() = default;

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, const std::string& value) {
  bson_t* doc = m_impl->open();
  const std::string key = sanitizeKey(name);
  const std::string text = sanitizeUtf8(value);
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max() - 64)) {
    throw BSONError("BSONObjBuilder: text of field \"" + key + "\" is too long");
  }
  Impl::check(bson_append_utf8(doc, key.c_str(), static_cast<int>(key.size()), text.data(),
                               static_cast<int>(text.size())), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, const char* value) {
  return append(name, std::string(value ? value : ""));
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, int value) {
  bson_t* doc = m_impl->open();
  const std::string key = sanitizeKey(name);
  Impl::check(bson_append_int32(doc, key.c_str(), static_cast<int>(key.size()), value), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, long long value) {
  bson_t* doc = m_impl->open();
  const std::string key = sanitizeKey(name);
  Impl::check(bson_append_int64(doc, key.c_str(), static_cast<int>(key.size()), value), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, double value) {
  bson_t* doc = m_impl->open();
  const std::string key = sanitizeKey(name);
  Impl::check(bson_append_double(doc, key.c_str(), static_cast<int>(key.size()), value), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, bool value) {
  bson_t* doc = m_impl->open();
  const std::string key = sanitizeKey(name);
  Impl::check(bson_append_bool(doc, key.c_str(), static_cast<int>(key.size()), value), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, const BSONObj& subObject) {
  bson_t* doc = m_impl->open();
  const std::string key = sanitizeKey(name);
  bson_t sub;
  if (!bson_init_static(&sub, subObject.objdata(), subObject.objsize())) {
    throw BSONError("BSONObjBuilder: corrupt sub-document for field \"" + key + "\"");
  }
  Impl::check(bson_append_document(doc, key.c_str(), static_cast<int>(key.size()), &sub), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::appendArray(const std::string& name, const std::vector<int>& values) {
  bson_t* doc = m_impl->open();
  const std::string key = sanitizeKey(name);
  bson_t child;
  Impl::check(bson_append_array_begin(doc, key.c_str(), static_cast<int>(key.size()), &child), key);
  char indexBuffer[16];
  for (std::size_t i = 0; i < values.size(); ++i) {
    const char* indexKey = nullptr;
    const std::size_t indexLength =
        bson_uint32_to_string(static_cast<std::uint32_t>(i), &indexKey, indexBuffer, sizeof indexBuffer);
    bson_append_int32(&child, indexKey, static_cast<int>(indexLength), values[i]);
  }
  Impl::check(bson_append_array_end(doc, &child), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::appendNull(const std::string& name) {
  bson_t* doc = m_impl->open();
  const std::string key = sanitizeKey(name);
  Impl::check(bson_append_null(doc, key.c_str(), static_cast<int>(key.size())), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::appendElement(const BSONElement& element) {
  bson_t* doc = m_impl->open();
  bson_iter_t iter;
  if (!element.initIter(&iter)) return *this;  // the end-of-object element adds nothing
  Impl::check(bson_append_iter(doc, nullptr, 0, &iter), element.fieldName());
  return *this;
}

BSONObj BSONObjBuilder::obj() {
  if (m_impl->done) return m_impl->result;
  const std::uint8_t* data = bson_get_data(m_impl->doc);
  auto buffer = std::make_shared<Buffer>(data, data + m_impl->doc->len);
  const std::size_t size = buffer->size();
  m_impl->result = BSONObj(std::move(buffer), 0, size);
  bson_destroy(m_impl->doc);
  m_impl->doc = nullptr;
  m_impl->done = true;
  return m_impl->result;
}

}  // namespace bson
