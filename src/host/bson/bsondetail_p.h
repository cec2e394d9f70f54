#pragma once
// Internals of the bson:: facade shared by its source files: the buffer type,
// validation of incoming bytes, UTF-8 checks and repair, the JSON writer and
// the plain-JSON reader. Included only by src/host/bson/*.cpp (it pulls in
// libbson, which stays private to lwhost_bson).

#include "host/bson/bsonobj.h"

#include <bson/bson.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace bson {
namespace detail {

using Buffer = std::vector<std::uint8_t>;
using BufferPtr = std::shared_ptr<const Buffer>;

// Nesting levels below the top document that a document may have. Deeper
// input is refused: every walk over a document recurses once per level.
constexpr int kMaxDepth = 100;

// Checks a document held in `data`: its length, its structure (recursively,
// at most kMaxDepth levels) and the UTF-8 of its keys and strings. Throws
// BSONError whose message starts with `what`.
void validateDocument(const std::uint8_t* data, std::size_t size, const char* what);

// Strict UTF-8 (no overlong forms, surrogates or values above U+10FFFF; NUL
// allowed).
bool isValidUtf8(const char* text, std::size_t size);
// Text made valid UTF-8: every byte that does not start a valid sequence
// becomes U+FFFD.
std::string sanitizeUtf8(const std::string& text);
// A field name: cut at its first NUL, then made valid UTF-8.
std::string sanitizeKey(const std::string& name);

// Relaxed extended JSON, in libbson's layout (`{ "a" : 1, "b" : [ 2 ] }`).
// `iter` is positioned on the value; `depth` counts the enclosing levels.
void appendJsonValue(std::string& out, const bson_iter_t* iter, int depth);
void appendJsonDocument(std::string& out, const std::uint8_t* data, std::size_t length,
                        bool isArray, int depth);

// Converts plain JSON (see fastjsonparser.cpp) straight to BSON bytes, the
// same bytes libbson would produce. False when the text is anything else;
// the caller then hands it to libbson, which decides and words the error.
bool parsePlainJson(const char* text, std::size_t size, Buffer& out);

}  // namespace detail
}  // namespace bson
