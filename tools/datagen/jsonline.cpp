#include "datagen/jsonline.h"

#include "host/core/tradertypes.h"

#include <charconv>
#include <cmath>

namespace datagen {

namespace {

// Length of the valid UTF-8 sequence at text[i], or 0 when the bytes there do
// not form one (stray continuation byte, overlong form, surrogate, code point
// above U+10FFFF, truncated sequence).
std::size_t validSequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the first continuation byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

void CJsonLine::appendQuoted(std::string& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out.push_back('"');
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      switch (c) {
        case '"':
          out += "\\\"";
          break;
        case '\\':
          out += "\\\\";
          break;
        case '\n':
          out += "\\n";
          break;
        case '\r':
          out += "\\r";
          break;
        case '\t':
          out += "\\t";
          break;
        case '\b':
          out += "\\b";
          break;
        case '\f':
          out += "\\f";
          break;
        default:
          if (c < 0x20) {
            out += "\\u00";
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0xF]);
          } else {
            out.push_back(static_cast<char>(c));
          }
      }
      ++i;
      continue;
    }
    const std::size_t length = validSequenceLength(text, i);
    if (length == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD for the one offending byte
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  out.push_back('"');
}

void CJsonLine::appendNumber(std::string& out, double value) {
  // Plain decimals for the magnitudes of prices, amounts and share capital
  // (4000000, not 4e+06); exponents only beyond them. Both are the shortest
  // text that reads back as the same double.
  char buffer[64];
  const double magnitude = std::fabs(value);
  const bool plain = magnitude == 0.0 || (magnitude >= 1e-9 && magnitude < 1e16);
  const auto result =
      plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
            : std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void CJsonLine::appendName(std::string_view name) {
  m_body.push_back(m_body.empty() ? '{' : ',');
  if (m_body.size() > 1) m_body.push_back(' ');
  appendQuoted(m_body, name);
  m_body += ": ";
}

CJsonLine& CJsonLine::text(std::string_view name, std::string_view value) {
  appendName(name);
  appendQuoted(m_body, value);
  return *this;
}

CJsonLine& CJsonLine::textIfAny(std::string_view name, std::string_view value) {
  return value.empty() ? *this : text(name, value);
}

CJsonLine& CJsonLine::number(std::string_view name, double value) {
  if (!std::isfinite(value) || value == mxservice::kNoValueDouble) return *this;
  appendName(name);
  appendNumber(m_body, value);
  return *this;
}

CJsonLine& CJsonLine::integer(std::string_view name, long long value) {
  if (value == mxservice::kNoValueInt || value == mxservice::kNoValueInt64) return *this;
  appendName(name);
  m_body += std::to_string(value);
  return *this;
}

CJsonLine& CJsonLine::boolean(std::string_view name, bool value) {
  appendName(name);
  m_body += value ? "true" : "false";
  return *this;
}

CJsonLine& CJsonLine::object(std::string_view name, const CJsonLine& value) {
  appendName(name);
  value.appendTo(m_body);
  return *this;
}

CJsonLine& CJsonLine::integerList(std::string_view name, const std::vector<int>& values) {
  appendName(name);
  m_body.push_back('[');
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) m_body += ", ";
    m_body += std::to_string(values[i]);
  }
  m_body.push_back(']');
  return *this;
}

CJsonLine& CJsonLine::textList(std::string_view name, const std::vector<std::string>& values) {
  appendName(name);
  m_body.push_back('[');
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) m_body += ", ";
    appendQuoted(m_body, values[i]);
  }
  m_body.push_back(']');
  return *this;
}

CJsonLine& CJsonLine::raw(std::string_view name, std::string_view json) {
  appendName(name);
  m_body.append(json);
  return *this;
}

std::string CJsonLine::str() const {
  std::string out;
  appendTo(out);
  return out;
}

void CJsonLine::appendTo(std::string& out) const {
  if (m_body.empty()) {
    out += "{}";
    return;
  }
  out += m_body;
  out.push_back('}');
}

}  // namespace datagen
