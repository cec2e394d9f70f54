// The JSON writer: relaxed extended JSON with libbson's layout. Plain
// values are written here (doubles in their shortest exact form); the rarer
// types (dates, binary, object ids, ...) are left to libbson.

#include "host/bson/bsondetail_p.h"

#include <charconv>
#include <cmath>

namespace bson {
namespace detail {

namespace {

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
      case '"':
        out.append("\\\"");
        break;
      case '\\':
        out.append("\\\\");
        break;
      case '\b':
        out.append("\\b");
        break;
      case '\f':
        out.append("\\f");
        break;
      case '\n':
        out.append("\\n");
        break;
      case '\r':
        out.append("\\r");
        break;
      case '\t':
        out.append("\\t");
        break;
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
    out.append(value > 0 ? "{ \"$numberDouble\" : \"Infinity\" }"
                         : "{ \"$numberDouble\" : \"-Infinity\" }");
    return;
  }
  // std::to_chars gives the shortest round-trip form, whatever the locale.
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  std::string number(text, result.ptr);
  if (number.find_first_of(".eE") == std::string::npos) number.append(".0");
  out.append(number);
}

}  // namespace

void appendJsonValue(std::string& out, const bson_iter_t* iter, int depth) {
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
      if (isArray)
        bson_iter_array(iter, &length, &data);
      else
        bson_iter_document(iter, &length, &data);
      appendJsonDocument(out, data, length, isArray, depth + 1);
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
void appendJsonDocument(std::string& out, const std::uint8_t* data, std::size_t length,
                        bool isArray, int depth) {
  // Validated documents are at most kMaxDepth deep; a built one could be deeper.
  if (depth > 2 * kMaxDepth) throw BSONError("cannot write JSON: documents nested too deeply");
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
      appendJsonValue(out, &iter, depth);
    }
  }
  if (!first) out.push_back(' ');
  out.append(isArray ? "]" : "}");
}

}  // namespace detail
}  // namespace bson
