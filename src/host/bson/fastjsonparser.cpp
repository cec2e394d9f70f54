// The plain-JSON reader behind BSONObj::fromJson.

#include "host/bson/bsondetail_p.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

namespace bson {
namespace detail {

namespace {

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
    if (m_out.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
      return false;
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
        case '"':
          scratch.push_back('"');
          break;
        case '\\':
          scratch.push_back('\\');
          break;
        case '/':
          scratch.push_back('/');
          break;
        case 'b':
          scratch.push_back('\b');
          break;
        case 'f':
          scratch.push_back('\f');
          break;
        case 'n':
          scratch.push_back('\n');
          break;
        case 'r':
          scratch.push_back('\r');
          break;
        case 't':
          scratch.push_back('\t');
          break;
        default:
          return false;  // \u and invalid escapes: libbson decides
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
        if (!value(std::string_view(indexText, static_cast<std::size_t>(printed.ptr - indexText)),
                   depth))
          return false;
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
    if (p != m_end && !(*p == ',' || *p == '}' || *p == ']' || *p == ' ' || *p == '\t' ||
                        *p == '\n' || *p == '\r')) {
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
    for (const char* q = digits; q != p; ++q)
      magnitude = magnitude * 10 + static_cast<std::uint64_t>(*q - '0');
    const std::uint64_t int32Limit = negative ? 2147483648ULL : 2147483647ULL;
    const std::uint64_t int64Limit = negative ? 9223372036854775808ULL : 9223372036854775807ULL;
    if (magnitude <= int32Limit) {
      const std::int64_t v =
          negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
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

bool parsePlainJson(const char* text, std::size_t size, Buffer& out) {
  return FastJsonParser(text, size).parse(out);
}

}  // namespace detail
}  // namespace bson
