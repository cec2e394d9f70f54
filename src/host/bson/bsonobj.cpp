// The bson:: facade over libbson. Documents are validated once, when they
// enter the facade (fromBytes, fromJson, the builder), so every later read
// works on well-formed bytes; libbson's iterator still bounds-checks each
// access.

#include "host/bson/bsonobj.h"

#include <bson/bson.h>

#include <algorithm>
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

constexpr int kMaxDepth = 100;  // nesting levels below the top document

bool validText(const char* text, std::size_t length) { return bson_utf8_validate(text, length, true); }

// Structure, UTF-8 of keys and texts, and nesting depth of one document.
bool checkDocument(const std::uint8_t* data, std::size_t size, int depth, std::string& problem) {
  if (depth > kMaxDepth) {
    problem = "documents nested more than " + std::to_string(kMaxDepth) + " levels deep";
    return false;
  }
  bson_iter_t iter;
  if (!bson_iter_init_from_data(&iter, data, size)) {
    problem = "corrupt embedded document";
    return false;
  }
  while (bson_iter_next(&iter)) {
    const char* key = bson_iter_key(&iter);
    if (!bson_utf8_validate(key, bson_iter_key_len(&iter), false)) {
      problem = "a field name is not valid UTF-8";
      return false;
    }
    bool ok = true;
    switch (bson_iter_type(&iter)) {
      case BSON_TYPE_UTF8:
      case BSON_TYPE_SYMBOL:
      case BSON_TYPE_CODE: {
        std::uint32_t length = 0;
        const char* text = bson_iter_type(&iter) == BSON_TYPE_UTF8     ? bson_iter_utf8(&iter, &length)
                           : bson_iter_type(&iter) == BSON_TYPE_SYMBOL ? bson_iter_symbol(&iter, &length)
                                                                       : bson_iter_code(&iter, &length);
        ok = text != nullptr && validText(text, length);
        if (!ok) problem = "the text of field \"" + std::string(key) + "\" is not valid UTF-8";
        break;
      }
      case BSON_TYPE_REGEX: {
        const char* options = nullptr;
        const char* pattern = bson_iter_regex(&iter, &options);
        ok = pattern && options && validText(pattern, std::strlen(pattern)) && validText(options, std::strlen(options));
        if (!ok) problem = "the regular expression of field \"" + std::string(key) + "\" is not valid UTF-8";
        break;
      }
      case BSON_TYPE_DOCUMENT:
      case BSON_TYPE_ARRAY: {
        std::uint32_t length = 0;
        const std::uint8_t* sub = nullptr;
        if (bson_iter_type(&iter) == BSON_TYPE_DOCUMENT) bson_iter_document(&iter, &length, &sub);
        else bson_iter_array(&iter, &length, &sub);
        if (sub == nullptr) {
          problem = "field \"" + std::string(key) + "\" holds a corrupt document";
          return false;
        }
        if (!checkDocument(sub, length, depth + 1, problem)) return false;
        break;
      }
      case BSON_TYPE_CODEWSCOPE: {
        std::uint32_t codeLength = 0;
        std::uint32_t scopeLength = 0;
        const std::uint8_t* scope = nullptr;
        const char* code = bson_iter_codewscope(&iter, &codeLength, &scopeLength, &scope);
        if (code == nullptr || scope == nullptr || !validText(code, codeLength)) {
          problem = "field \"" + std::string(key) + "\" holds corrupt code with scope";
          return false;
        }
        if (!checkDocument(scope, scopeLength, depth + 1, problem)) return false;
        break;
      }
      default:
        break;
    }
    if (!ok) return false;
  }
  if (iter.err_off != 0) {
    problem = "corrupt element at byte " + std::to_string(iter.err_off);
    return false;
  }
  return true;
}

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
  // libbson's validator recurses without a limit (a deeply nested document
  // would overflow the stack) and, in this version, does not check the UTF-8
  // of string values: walk the document first, with a depth limit.
  std::string problem;
  if (!checkDocument(data, size, 0, problem)) throw BSONError(std::string(what) + ": invalid BSON: " + problem);
  bson_t doc;
  if (!bson_init_static(&doc, data, size)) {
    throw BSONError(std::string(what) + ": not a BSON document");
  }
  bson_error_t error;
  if (!bson_validate_with_error(
          &doc, static_cast<bson_validate_flags_t>(BSON_VALIDATE_UTF8 | BSON_VALIDATE_UTF8_ALLOW_NULL), &error)) {
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

void appendJsonDocument(std::string& out, const std::uint8_t* data, std::size_t length, bool isArray, int depth);

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
      if (isArray) bson_iter_array(iter, &length, &data);
      else bson_iter_document(iter, &length, &data);
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
void appendJsonDocument(std::string& out, const std::uint8_t* data, std::size_t length, bool isArray, int depth) {
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

// Strict UTF-8 (no overlong forms, surrogates or values above U+10FFFF; NUL
// allowed), with a fast path over ASCII.
bool isValidUtf8(const char* text, std::size_t size) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* end = p + size;
  while (p != end) {
    if (*p < 0x80) {
      ++p;
      continue;
    }
    const unsigned char c = *p;
    std::size_t length;
    std::uint32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (static_cast<std::size_t>(end - p) < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((p[k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (p[k] & 0x3F);
    }
    if ((length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000) || (cp >= 0xD800 && cp <= 0xDFFF) ||
        cp > 0x10FFFF) {
      return false;
    }
    p += length;
  }
  return true;
}

// ------------------------------------------------------------ fast JSON path
//
// libbson's JSON reader costs several microseconds per small document (it
// sets up a 100-level parser each time), which matters when a data set of
// 100,000 lines is loaded. FastJsonParser converts the plain JSON that data
// files hold (objects, arrays, strings without \u escapes, numbers, true,
// false, null; no "$" keys) straight to BSON bytes, producing exactly what
// libbson would. Anything else (extended JSON, \u escapes, invalid UTF-8,
// any syntax error, deep nesting, numbers libbson would refuse) makes it give
// up, and the text goes to libbson, which decides and words the error.
class FastJsonParser {
public:
  FastJsonParser(const char* text, std::size_t size) : m_p(text), m_end(text + size) {}

  bool parse(Buffer& out) {
    if (!isValidUtf8(m_p, static_cast<std::size_t>(m_end - m_p))) return false;
    m_out.reserve(static_cast<std::size_t>(m_end - m_p) + 16);
    skipSpace();
    if (!object(0)) return false;
    skipSpace();
    if (m_p != m_end) return false;
    if (m_out.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
    out.swap(m_out);
    return true;
  }

private:
  static constexpr int kMaxFastDepth = 60;

  void skipSpace() {
    while (m_p != m_end && (*m_p == ' ' || *m_p == '\t' || *m_p == '\n' || *m_p == '\r')) ++m_p;
  }
  bool consume(char c) {
    skipSpace();
    if (m_p == m_end || *m_p != c) return false;
    ++m_p;
    return true;
  }
  void putInt32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) m_out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
  }
  void patchInt32(std::size_t at, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) m_out[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
  }
  // A JSON string (the opening quote at m_p); `out` views the source text
  // when it has no escapes, else `scratch`. False to give up.
  bool string(std::string_view& out, std::string& scratch) {
    if (m_p == m_end || *m_p != '"') return false;
    const char* begin = ++m_p;
    while (m_p != m_end) {
      const unsigned char c = static_cast<unsigned char>(*m_p);
      if (c == '"') {
        out = std::string_view(begin, static_cast<std::size_t>(m_p - begin));
        ++m_p;
        return true;
      }
      if (c == '\\') break;
      if (c < 0x20) return false;
      ++m_p;
    }
    if (m_p == m_end) return false;
    // Escapes: decode into scratch.
    scratch.assign(begin, m_p);
    while (m_p != m_end) {
      const char c = *m_p++;
      if (c == '"') {
        out = scratch;
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        scratch.push_back(c);
        continue;
      }
      if (m_p == m_end) return false;
      switch (*m_p++) {
        case '"': scratch.push_back('"'); break;
        case '\\': scratch.push_back('\\'); break;
        case '/': scratch.push_back('/'); break;
        case 'b': scratch.push_back('\b'); break;
        case 'f': scratch.push_back('\f'); break;
        case 'n': scratch.push_back('\n'); break;
        case 'r': scratch.push_back('\r'); break;
        case 't': scratch.push_back('\t'); break;
        default: return false;  // \u and invalid escapes: libbson decides
      }
    }
    return false;
  }
  // Starts an element: type byte and key.
  void elementHead(std::uint8_t type, std::string_view key) {
    m_out.push_back(type);
    m_out.insert(m_out.end(), key.begin(), key.end());
    m_out.push_back(0);
  }
  bool object(int depth) {
    if (depth > kMaxFastDepth || !consume('{')) return false;
    const std::size_t start = m_out.size();
    putInt32(0);
    skipSpace();
    if (m_p != m_end && *m_p == '}') {
      ++m_p;
    } else {
      while (true) {
        skipSpace();
        std::string_view key;
        if (!string(key, m_keyScratch)) return false;
        if (!key.empty() && key[0] == '$') return false;  // extended JSON
        if (!consume(':')) return false;
        // The key is used (written) before anything else is parsed.
        if (!value(key, depth)) return false;
        skipSpace();
        if (m_p == m_end) return false;
        if (*m_p == ',') {
          ++m_p;
          continue;
        }
        if (*m_p == '}') {
          ++m_p;
          break;
        }
        return false;
      }
    }
    m_out.push_back(0);
    patchInt32(start, static_cast<std::int32_t>(m_out.size() - start));
    return true;
  }
  bool array(int depth) {
    if (depth > kMaxFastDepth || !consume('[')) return false;
    const std::size_t start = m_out.size();
    putInt32(0);
    skipSpace();
    if (m_p != m_end && *m_p == ']') {
      ++m_p;
    } else {
      for (unsigned index = 0;; ++index) {
        char indexText[16];
        const auto printed = std::to_chars(indexText, indexText + sizeof indexText, index);
        if (!value(std::string_view(indexText, static_cast<std::size_t>(printed.ptr - indexText)), depth)) return false;
        skipSpace();
        if (m_p == m_end) return false;
        if (*m_p == ',') {
          ++m_p;
          continue;
        }
        if (*m_p == ']') {
          ++m_p;
          break;
        }
        return false;
      }
    }
    m_out.push_back(0);
    patchInt32(start, static_cast<std::int32_t>(m_out.size() - start));
    return true;
  }
  bool literal(const char* word) {
    const std::size_t n = std::strlen(word);
    if (static_cast<std::size_t>(m_end - m_p) < n || std::memcmp(m_p, word, n) != 0) return false;
    m_p += n;
    return true;
  }
  bool value(std::string_view key, int depth) {
    skipSpace();
    if (m_p == m_end) return false;
    switch (*m_p) {
      case '"': {
        elementHead(BSON_TYPE_UTF8, key);  // before the key's scratch can change
        std::string_view text;
        if (!string(text, m_valueScratch)) return false;
        putInt32(static_cast<std::int32_t>(text.size() + 1));
        m_out.insert(m_out.end(), text.begin(), text.end());
        m_out.push_back(0);
        return true;
      }
      case '{':
        elementHead(BSON_TYPE_DOCUMENT, key);
        return object(depth + 1);
      case '[':
        elementHead(BSON_TYPE_ARRAY, key);
        return array(depth + 1);
      case 't':
        if (!literal("true")) return false;
        elementHead(BSON_TYPE_BOOL, key);
        m_out.push_back(1);
        return true;
      case 'f':
        if (!literal("false")) return false;
        elementHead(BSON_TYPE_BOOL, key);
        m_out.push_back(0);
        return true;
      case 'n':
        if (!literal("null")) return false;
        elementHead(BSON_TYPE_NULL, key);
        return true;
      default:
        return number(key);
    }
  }
  // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
  bool number(std::string_view key) {
    const char* start = m_p;
    const char* p = m_p;
    bool negative = false;
    if (p != m_end && *p == '-') {
      negative = true;
      ++p;
    }
    const char* digits = p;
    if (p == m_end || *p < '0' || *p > '9') return false;
    if (*p == '0') {
      ++p;
    } else {
      while (p != m_end && *p >= '0' && *p <= '9') ++p;
    }
    const std::size_t integerDigits = static_cast<std::size_t>(p - digits);
    bool isDouble = false;
    if (p != m_end && *p == '.') {
      isDouble = true;
      ++p;
      if (p == m_end || *p < '0' || *p > '9') return false;
      while (p != m_end && *p >= '0' && *p <= '9') ++p;
    }
    if (p != m_end && (*p == 'e' || *p == 'E')) {
      isDouble = true;
      ++p;
      if (p != m_end && (*p == '+' || *p == '-')) ++p;
      if (p == m_end || *p < '0' || *p > '9') return false;
      while (p != m_end && *p >= '0' && *p <= '9') ++p;
    }
    // The number must end where a JSON value ends.
    if (p != m_end && !(*p == ',' || *p == '}' || *p == ']' || *p == ' ' || *p == '\t' || *p == '\n' || *p == '\r')) {
      return false;
    }
    m_p = p;
    if (isDouble) {
      double d = 0;
      const auto result = std::from_chars(start, p, d);
      if (result.ec != std::errc() || result.ptr != p || std::isinf(d)) return false;
      elementHead(BSON_TYPE_DOUBLE, key);
      std::uint64_t bits;
      std::memcpy(&bits, &d, sizeof bits);
      for (int i = 0; i < 8; ++i) m_out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
      return true;
    }
    if (integerDigits > 19) return false;
    std::uint64_t magnitude = 0;
    for (const char* q = digits; q != p; ++q) magnitude = magnitude * 10 + static_cast<std::uint64_t>(*q - '0');
    const std::uint64_t int32Limit = negative ? 2147483648ULL : 2147483647ULL;
    const std::uint64_t int64Limit = negative ? 9223372036854775808ULL : 9223372036854775807ULL;
    if (magnitude <= int32Limit) {
      const std::int64_t v = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
      elementHead(BSON_TYPE_INT32, key);
      putInt32(static_cast<std::int32_t>(v));
      return true;
    }
    if (magnitude > int64Limit) return false;
    const std::uint64_t bits = negative ? (~magnitude + 1) : magnitude;  // two's complement
    elementHead(BSON_TYPE_INT64, key);
    for (int i = 0; i < 8; ++i) m_out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    return true;
  }

  const char* m_p;
  const char* m_end;
  Buffer m_out;
  std::string m_keyScratch;
  std::string m_valueScratch;
};

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
  appendJsonValue(out, &iter, 0);
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
                    sanitizeUtf8(std::string(json.substr(first, 1))) + "')");
  }
  if (json.size() > static_cast<std::size_t>(std::numeric_limits<ssize_t>::max())) {
    throw BSONError("invalid JSON: text too long");
  }
  {
    // Plain JSON: converted directly (valid BSON by construction).
    auto fast = std::make_shared<Buffer>();
    if (FastJsonParser(json.data(), json.size()).parse(*fast)) {
      const std::size_t size = fast->size();
      return BSONObj(std::move(fast), 0, size);
    }
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
  const std::size_t length = doc.len;
  auto buffer = std::make_shared<Buffer>(data, data + length);
  bson_destroy(&doc);
  // The JSON parser copies string bytes as they are: check their UTF-8 here.
  validateDocument(buffer->data(), buffer->size(), "JSON text");
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
  out.reserve(std::min<std::size_t>(m_length / 8, 64));
  bson_iter_t iter;
  if (!bson_iter_init_from_data(&iter, objdata(), m_length)) return out;
  while (bson_iter_next(&iter)) out.push_back(elementAt(&iter));
  return out;
}

std::string BSONObj::jsonString() const {
  std::string out;
  out.reserve(m_length * 2);
  appendJsonDocument(out, objdata(), m_length, false, 0);
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
