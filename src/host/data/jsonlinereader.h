#pragma once
// Decodes one JSON line of a data file with simdjson's on-demand parser into
// JsonValues that the records' field lists read directly (no BSON between).
//
// It takes only what it can decode exactly as the BSON path would type it:
// an object of plain JSON (no extended-JSON "$" keys, no text with a zero
// byte, numbers an int32, an int64 or a finite double, at most 60 levels
// deep) with nothing after it. Everything else, a syntax error or invalid
// UTF-8 included, is refused, and the caller reads that line the BSON way,
// which words the error exactly as before; refusing is never wrong, only
// slower.
//
// One reader per thread: a reader and the values it returned belong to the
// thread that uses it, and stay valid until its next read().

#include "host/data/jsonvalue.h"

#include <cstddef>
#include <memory>

namespace mxservice {

class CJsonLineReader {
public:
  // Bytes that must be readable (any content) after the end of a line.
  static constexpr std::size_t kPadding = 64;

  CJsonLineReader();
  ~CJsonLineReader();
  CJsonLineReader(const CJsonLineReader&) = delete;
  CJsonLineReader& operator=(const CJsonLineReader&) = delete;

  // The top-level object of the line [data, data + size), or null when the
  // line must be read the BSON way. `data + size + kPadding` must be
  // readable.
  const fields::JsonValue* read(const char* data, std::size_t size);

private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace mxservice
