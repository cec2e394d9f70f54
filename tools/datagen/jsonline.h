#pragma once
// Builds the text of one JSON object, field by field, in the order the fields
// are added: one line of a .jsonl file, or a nested document such as an
// instrument's commission or an order command's "params".
//
// The data-set format asks writers to leave a field out rather than write a
// no-value marker, so number() and integer() skip the markers of
// host/core/tradertypes.h. JSON has no NaN or infinity: a non-finite double is
// skipped too (the reader would refuse it and the field would be lost anyway).
// Texts are escaped for JSON; bytes that are not valid UTF-8 become U+FFFD,
// because the loader rejects a whole line for one invalid byte.
//
// Not thread-safe; a value type.

#include <string>
#include <string_view>
#include <vector>

namespace datagen {

class CJsonLine {
public:
  CJsonLine& text(std::string_view name, std::string_view value);
  // Leaves the field out when the value is empty.
  CJsonLine& textIfAny(std::string_view name, std::string_view value);
  CJsonLine& number(std::string_view name, double value);
  CJsonLine& integer(std::string_view name, long long value);
  CJsonLine& boolean(std::string_view name, bool value);
  CJsonLine& object(std::string_view name, const CJsonLine& value);
  CJsonLine& integerList(std::string_view name, const std::vector<int>& values);
  CJsonLine& textList(std::string_view name, const std::vector<std::string>& values);
  // A field whose value is already JSON text (a nested object built elsewhere).
  CJsonLine& raw(std::string_view name, std::string_view json);

  bool empty() const { return m_body.empty(); }
  // "{...}" without a line break.
  std::string str() const;
  void appendTo(std::string& out) const;

  // JSON string literal, quotes included.
  static void appendQuoted(std::string& out, std::string_view text);
  // The shortest text that reads back as the same double.
  static void appendNumber(std::string& out, double value);

private:
  void appendName(std::string_view name);

  std::string m_body;
};

}  // namespace datagen
