// BSONObj: an immutable document sharing its buffer. Documents are
// validated once, when they enter the facade (fromBytes, fromJson, the
// builder), so every later read works on well-formed bytes; libbson's
// iterator still bounds-checks each access.

#include "host/bson/bsondetail_p.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

namespace bson {

namespace {

const detail::BufferPtr& emptyDocumentBuffer() {
  static const detail::BufferPtr buffer =
      std::make_shared<const detail::Buffer>(detail::Buffer{5, 0, 0, 0, 0});
  return buffer;
}

}  // namespace

BSONObj::BSONObj() : m_buffer(emptyDocumentBuffer()), m_offset(0), m_length(5) {}

BSONObj::BSONObj(detail::BufferPtr buffer, std::size_t offset, std::size_t length)
    : m_buffer(std::move(buffer)), m_offset(offset), m_length(length) {}

BSONObj BSONObj::fromBytes(const std::uint8_t* data, std::size_t size) {
  detail::validateDocument(data, size, "BSON bytes");
  auto buffer = std::make_shared<detail::Buffer>(data, data + size);
  return BSONObj(std::move(buffer), 0, size);
}

BSONObj BSONObj::fromJson(const std::string& json) { return fromJson(json.data(), json.size()); }

BSONObj BSONObj::fromJson(const char* text, std::size_t size) {
  if (text == nullptr) size = 0;
  const std::string_view json(text ? text : "", size);
  // The top level must be an object: libbson would turn an array into a
  // document with keys "0", "1", ...
  std::size_t first = json.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) throw BSONError("invalid JSON: empty text");
  if (json[first] != '{') {
    throw BSONError("invalid JSON: the top level is not an object (starts with '" +
                    detail::sanitizeUtf8(std::string(json.substr(first, 1))) + "')");
  }
  if (json.size() > static_cast<std::size_t>(std::numeric_limits<ssize_t>::max())) {
    throw BSONError("invalid JSON: text too long");
  }
  {
    // Plain JSON: converted directly (valid BSON by construction).
    auto fast = std::make_shared<detail::Buffer>();
    if (detail::parsePlainJson(json.data(), json.size(), *fast)) {
      const std::size_t size = fast->size();
      return BSONObj(std::move(fast), 0, size);
    }
  }
  bson_json_reader_t* reader = bson_json_data_reader_new(false, json.size());
  bson_json_data_reader_ingest(reader, reinterpret_cast<const std::uint8_t*>(json.data()),
                               json.size());
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
    if (second_read < 0)
      problem = error.message;
    else if (second_read > 0)
      problem = "more than one JSON value in the text";
    bson_destroy(&extra);
  }
  bson_json_reader_destroy(reader);
  if (!problem.empty()) {
    bson_destroy(&doc);
    throw BSONError("invalid JSON: " + detail::sanitizeUtf8(problem));
  }
  const std::uint8_t* data = bson_get_data(&doc);
  const std::size_t length = doc.len;
  auto buffer = std::make_shared<detail::Buffer>(data, data + length);
  bson_destroy(&doc);
  // The JSON parser copies string bytes as they are: check their UTF-8 here.
  detail::validateDocument(buffer->data(), buffer->size(), "JSON text");
  return BSONObj(std::move(buffer), 0, length);
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
  e.m_keyOffset =
      static_cast<std::size_t>(reinterpret_cast<const std::uint8_t*>(key) - m_buffer->data());
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
    const std::string part =
        path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    BSONElement e = current.getField(part);
    if (e.eoo() || dot == std::string::npos) return e;
    if (e.type() != Object && e.type() != Array) return BSONElement();
    current = e.embeddedObject();
    start = dot + 1;
  }
}

std::vector<BSONElement> BSONObj::elements() const {
  std::vector<BSONElement> out;
  out.reserve(std::min<std::size_t>(m_length / 8, 64));
  bson_iter_t iter;
  if (!bson_iter_init_from_data(&iter, objdata(), m_length)) return out;
  while (bson_iter_next(&iter)) out.push_back(elementAt(&iter));
  return out;
}

std::string BSONObj::jsonString() const {
  std::string out;
  out.reserve(m_length * 2);
  detail::appendJsonDocument(out, objdata(), m_length, false, 0);
  return out;
}

bool BSONObj::operator==(const BSONObj& other) const {
  return m_length == other.m_length && std::memcmp(objdata(), other.objdata(), m_length) == 0;
}

}  // namespace bson
