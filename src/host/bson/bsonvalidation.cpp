// Validation of documents entering the facade and the UTF-8 rules of its
// texts.

#include "host/bson/bsondetail_p.h"

#include <cstring>

namespace bson {
namespace detail {

namespace {

bool validText(const char* text, std::size_t length) {
  return bson_utf8_validate(text, length, true);
}

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
        const char* text = bson_iter_type(&iter) == BSON_TYPE_UTF8 ? bson_iter_utf8(&iter, &length)
                           : bson_iter_type(&iter) == BSON_TYPE_SYMBOL
                               ? bson_iter_symbol(&iter, &length)
                               : bson_iter_code(&iter, &length);
        ok = text != nullptr && validText(text, length);
        if (!ok) problem = "the text of field \"" + std::string(key) + "\" is not valid UTF-8";
        break;
      }
      case BSON_TYPE_REGEX: {
        const char* options = nullptr;
        const char* pattern = bson_iter_regex(&iter, &options);
        ok = pattern && options && validText(pattern, std::strlen(pattern)) &&
             validText(options, std::strlen(options));
        if (!ok)
          problem =
              "the regular expression of field \"" + std::string(key) + "\" is not valid UTF-8";
        break;
      }
      case BSON_TYPE_DOCUMENT:
      case BSON_TYPE_ARRAY: {
        std::uint32_t length = 0;
        const std::uint8_t* sub = nullptr;
        if (bson_iter_type(&iter) == BSON_TYPE_DOCUMENT)
          bson_iter_document(&iter, &length, &sub);
        else
          bson_iter_array(&iter, &length, &sub);
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

}  // namespace

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
  if (!checkDocument(data, size, 0, problem))
    throw BSONError(std::string(what) + ": invalid BSON: " + problem);
  bson_t doc;
  if (!bson_init_static(&doc, data, size)) {
    throw BSONError(std::string(what) + ": not a BSON document");
  }
  bson_error_t error;
  if (!bson_validate_with_error(
          &doc,
          static_cast<bson_validate_flags_t>(BSON_VALIDATE_UTF8 | BSON_VALIDATE_UTF8_ALLOW_NULL),
          &error)) {
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
      len = 2;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4;
      cp = c & 0x07;
    }
    bool ok = len != 0 && i + len <= n;
    for (std::size_t k = 1; ok && k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80)
        ok = false;
      else
        cp = (cp << 6) | (p[i + k] & 0x3F);
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
    if ((length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000) ||
        (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
      return false;
    }
    p += length;
  }
  return true;
}

}  // namespace detail
}  // namespace bson
