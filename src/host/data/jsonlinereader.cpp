#include "host/data/jsonlinereader.h"

#include <simdjson.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

namespace mxservice {

namespace {

namespace od = simdjson::ondemand;
using fields::JsonValue;

constexpr int kMaxDepth = 60;
// Values per line; a line with more goes the BSON way. The arena never grows,
// so the values can point at each other.
constexpr std::size_t kMaxValues = 4096;

std::string_view trimmed(std::string_view token) {
  while (!token.empty() && (token.back() == ' ' || token.back() == '\t' || token.back() == '\n' ||
                            token.back() == '\r'))
    token.remove_suffix(1);
  return token;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A JSON number token typed as the BSON path types it:
// -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?; a fraction or an exponent
// makes a double (finite only), a whole number an int32 when it fits, else an
// int64. False for anything else (the BSON path decides).
bool decodeNumber(std::string_view token, JsonValue& out) {
  const char* p = token.data();
  const char* end = p + token.size();
  bool negative = false;
  if (p != end && *p == '-') {
    negative = true;
    ++p;
  }
  const char* digits = p;
  if (p == end || !isDigit(*p)) return false;
  if (*p == '0') {
    ++p;
  } else {
    while (p != end && isDigit(*p)) ++p;
  }
  const std::size_t integerDigits = static_cast<std::size_t>(p - digits);
  bool isDouble = false;
  if (p != end && *p == '.') {
    isDouble = true;
    ++p;
    if (p == end || !isDigit(*p)) return false;
    while (p != end && isDigit(*p)) ++p;
  }
  if (p != end && (*p == 'e' || *p == 'E')) {
    isDouble = true;
    ++p;
    if (p != end && (*p == '+' || *p == '-')) ++p;
    if (p == end || !isDigit(*p)) return false;
    while (p != end && isDigit(*p)) ++p;
  }
  if (p != end) return false;
  if (isDouble) {
    double d = 0;
    const auto result = std::from_chars(token.data(), end, d);
    if (result.ec != std::errc() || result.ptr != end || std::isinf(d)) return false;
    out.m_type = bson::NumberDouble;
    out.number = d;
    return true;
  }
  if (integerDigits > 19) return false;
  unsigned long long magnitude = 0;
  for (const char* q = digits; q != digits + integerDigits; ++q)
    magnitude = magnitude * 10 + static_cast<unsigned long long>(*q - '0');
  const unsigned long long int32Limit = negative ? 2147483648ULL : 2147483647ULL;
  const unsigned long long int64Limit = negative ? 9223372036854775808ULL : 9223372036854775807ULL;
  if (magnitude > int64Limit) return false;
  out.m_type = magnitude <= int32Limit ? bson::NumberInt : bson::NumberLong;
  out.integer =
      negative ? static_cast<long long>(0ULL - magnitude) : static_cast<long long>(magnitude);
  return true;
}

// The end of the object or array starting at `begin` (its '{' or '['), in
// text already decoded without error.
const char* matchingEnd(const char* begin, const char* end) {
  int depth = 0;
  for (const char* p = begin; p != end; ++p) {
    switch (*p) {
      case '"':
        for (++p; p != end && *p != '"'; ++p) {
          if (*p == '\\' && p + 1 != end) ++p;
        }
        if (p == end) return end;
        break;
      case '{':
      case '[':
        ++depth;
        break;
      case '}':
      case ']':
        if (--depth == 0) return p + 1;
        break;
      default:
        break;
    }
  }
  return end;
}

}  // namespace

struct CJsonLineReader::Impl {
  od::parser parser;
  std::vector<JsonValue> values;
  const char* lineEnd = nullptr;

  Impl() { values.reserve(kMaxValues); }

  JsonValue* newValue() {
    if (values.size() == kMaxValues) return nullptr;
    values.emplace_back();
    return &values.back();
  }

  bool decodeMembers(od::object object, JsonValue& out, int depth) {
    JsonValue* last = nullptr;
    for (auto member : object) {
      od::field field;
      if (std::move(member).get(field) != simdjson::SUCCESS) return false;
      std::string_view key;
      if (field.unescaped_key().get(key) != simdjson::SUCCESS) return false;
      // Extended JSON ("$numberLong", "$oid", ...) and names BSON cannot hold.
      if ((!key.empty() && key[0] == '$') || key.find('\0') != std::string_view::npos) return false;
      JsonValue* child = newValue();
      if (child == nullptr) return false;
      child->key = key;
      if (!decode(field.value(), *child, depth)) return false;
      (last ? last->next : out.first) = child;
      last = child;
    }
    return true;
  }

  bool decodeElements(od::array array, JsonValue& out, int depth) {
    JsonValue* last = nullptr;
    for (auto element : array) {
      od::value value;
      if (std::move(element).get(value) != simdjson::SUCCESS) return false;
      JsonValue* child = newValue();
      if (child == nullptr) return false;
      if (!decode(value, *child, depth)) return false;
      (last ? last->next : out.first) = child;
      last = child;
    }
    return true;
  }

  bool decode(od::value value, JsonValue& out, int depth) {
    od::json_type type;
    if (value.type().get(type) != simdjson::SUCCESS) return false;
    switch (type) {
      case od::json_type::object: {
        if (depth >= kMaxDepth) return false;
        const char* begin = value.raw_json_token().data();
        od::object object;
        if (value.get_object().get(object) != simdjson::SUCCESS) return false;
        out.m_type = bson::Object;
        if (!decodeMembers(object, out, depth + 1)) return false;
        out.text =
            std::string_view(begin, static_cast<std::size_t>(matchingEnd(begin, lineEnd) - begin));
        return true;
      }
      case od::json_type::array: {
        if (depth >= kMaxDepth) return false;
        const char* begin = value.raw_json_token().data();
        od::array array;
        if (value.get_array().get(array) != simdjson::SUCCESS) return false;
        out.m_type = bson::Array;
        if (!decodeElements(array, out, depth + 1)) return false;
        out.text =
            std::string_view(begin, static_cast<std::size_t>(matchingEnd(begin, lineEnd) - begin));
        return true;
      }
      case od::json_type::number:
        return decodeNumber(trimmed(value.raw_json_token()), out);
      case od::json_type::string: {
        std::string_view text;
        if (value.get_string().get(text) != simdjson::SUCCESS) return false;
        if (text.find('\0') != std::string_view::npos) return false;
        out.m_type = bson::String;
        out.text = text;
        return true;
      }
      case od::json_type::boolean: {
        bool flag = false;
        if (value.get_bool().get(flag) != simdjson::SUCCESS) return false;
        out.m_type = bson::Bool;
        out.flag = flag;
        return true;
      }
      case od::json_type::null: {
        bool isNull = false;
        if (value.is_null().get(isNull) != simdjson::SUCCESS || !isNull) return false;
        out.m_type = bson::jstNULL;
        return true;
      }
    }
    return false;
  }
};

CJsonLineReader::CJsonLineReader() : m_impl(new Impl) {}
CJsonLineReader::~CJsonLineReader() = default;

const fields::JsonValue* CJsonLineReader::read(const char* data, std::size_t size) {
  Impl& d = *m_impl;
  d.values.clear();
  d.lineEnd = data + size;
  od::document document;
  if (d.parser.iterate(data, size, size + kPadding).get(document) != simdjson::SUCCESS)
    return nullptr;
  od::json_type type;
  if (document.type().get(type) != simdjson::SUCCESS || type != od::json_type::object)
    return nullptr;
  od::object object;
  if (document.get_object().get(object) != simdjson::SUCCESS) return nullptr;
  JsonValue* top = d.newValue();
  top->m_type = bson::Object;
  if (!d.decodeMembers(object, *top, 1)) return nullptr;
  // Text after the object: only the end of the line may follow.
  const char* after = nullptr;
  if (document.current_location().get(after) != simdjson::OUT_OF_BOUNDS) return nullptr;
  top->text = std::string_view(data, size);
  return top;
}

}  // namespace mxservice
