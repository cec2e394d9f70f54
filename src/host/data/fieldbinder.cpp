#include "host/data/fieldbinder.h"

#include <charconv>
#include <cmath>

namespace mxservice {
namespace fields {

namespace {

std::string numberText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "infinity" : "-infinity";
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// A double that is neither NaN nor infinite, else false with the problem.
bool finite(double value, std::string& problem) {
  if (std::isnan(value)) {
    problem = "NaN is not a number";
    return false;
  }
  if (std::isinf(value)) {
    problem = numberText(value) + " is not a finite number";
    return false;
  }
  return true;
}

// The number and flag readers, written once for both kinds of decoded value:
// a BSON element and a value decoded straight from a JSON line. The two must
// accept and word alike, so that an error line does not depend on the path
// its line took.
long long integerOf(const bson::BSONElement& e) { return e.numberLong(); }
double doubleOf(const bson::BSONElement& e) { return e.Double(); }
bool flagOf(const bson::BSONElement& e) { return e.Bool(); }
long long integerOf(const JsonValue& e) { return e.integer; }
double doubleOf(const JsonValue& e) { return e.number; }
bool flagOf(const JsonValue& e) { return e.flag; }

// A finite, integral double that the caller found `inRange` of Int, else
// false with the problem.
template <typename Int>
bool integralDouble(double d, bool inRange, const char* range, Int& out, std::string& problem) {
  if (!finite(d, problem)) return false;
  if (!inRange) {
    problem = numberText(d) + " is out of the " + range + " integer range";
    return false;
  }
  if (std::trunc(d) != d) {
    problem = numberText(d) + " is not an integer";
    return false;
  }
  out = static_cast<Int>(d);
  return true;
}

template <typename Value>
bool intFrom(const Value& e, int& out, std::string& problem) {
  switch (e.type()) {
    case bson::NumberInt:
    case bson::NumberLong: {
      const long long v = integerOf(e);
      if (v < -2147483648LL || v > 2147483647LL) {
        problem = std::to_string(v) + " is out of the 32-bit integer range";
        return false;
      }
      out = static_cast<int>(v);
      return true;
    }
    case bson::NumberDouble: {
      const double d = doubleOf(e);
      return integralDouble(d, d >= -2147483648.0 && d <= 2147483647.0, "32-bit", out, problem);
    }
    default:
      problem = wrongType("an integer", e);
      return false;
  }
}

template <typename Value>
bool int64From(const Value& e, long long& out, std::string& problem) {
  switch (e.type()) {
    case bson::NumberInt:
    case bson::NumberLong:
      out = integerOf(e);
      return true;
    case bson::NumberDouble: {
      // [-2^63, 2^63): both bounds are exact doubles.
      const double d = doubleOf(e);
      return integralDouble(d, d >= -9223372036854775808.0 && d < 9223372036854775808.0, "64-bit",
                            out, problem);
    }
    default:
      problem = wrongType("an integer", e);
      return false;
  }
}

template <typename Value>
bool doubleFrom(const Value& e, double& out, std::string& problem) {
  switch (e.type()) {
    case bson::NumberInt:
    case bson::NumberLong:
      out = static_cast<double>(integerOf(e));
      return true;
    case bson::NumberDouble: {
      const double d = doubleOf(e);
      if (!finite(d, problem)) return false;
      out = d;
      return true;
    }
    default:
      problem = wrongType("a number", e);
      return false;
  }
}

template <typename Value>
bool boolFrom(const Value& e, bool& out, std::string& problem) {
  switch (e.type()) {
    case bson::Bool:
      out = flagOf(e);
      return true;
    case bson::NumberInt:
    case bson::NumberLong: {
      const long long v = integerOf(e);
      if (v != 0 && v != 1) {
        problem = std::to_string(v) + " is not a boolean (true, false, 0 or 1)";
        return false;
      }
      out = v == 1;
      return true;
    }
    default:
      problem = wrongType("true or false", e);
      return false;
  }
}

}  // namespace

void Report::field(std::string_view name, const std::string& problem) {
  m_ok = false;
  if (m_errors == nullptr) return;
  m_errors->append("field ")
      .append(m_prefix)
      .append(name.data(), name.size())
      .append(": ")
      .append(problem);
  m_errors->push_back('\n');
}

Report Report::nested(std::string_view name) const {
  Report inner(m_errors, m_prefix + std::string(name) + ".");
  inner.m_ignoreUnknown = m_ignoreUnknown;
  return inner;
}

std::string wrongType(const char* expected, const bson::BSONElement& e) {
  return std::string("expected ") + expected + ", got " + bson::typeName(e.type());
}

bool readText(const bson::BSONElement& e, std::string& out, std::string& problem) {
  if (e.type() != bson::String) {
    problem = wrongType("a string", e);
    return false;
  }
  out = e.String();
  return true;
}

bool readIntList(const bson::BSONElement& e, std::vector<int>& out, std::string& problem) {
  if (e.type() != bson::Array) {
    problem = wrongType("an array of integers", e);
    return false;
  }
  std::vector<int> values;
  std::size_t index = 0;
  for (const bson::BSONElement& item : e.embeddedObject().elements()) {
    int value = 0;
    std::string itemProblem;
    if (!readInt(item, value, itemProblem)) {
      problem = "element " + std::to_string(index) + ": " + itemProblem;
      return false;
    }
    values.push_back(value);
    ++index;
  }
  out = std::move(values);
  return true;
}

bool readObject(const bson::BSONElement& e, bson::BSONObj& out, std::string& problem) {
  if (e.type() != bson::Object) {
    problem = wrongType("a document", e);
    return false;
  }
  out = e.embeddedObject();
  return true;
}

// ------------------------------------------------ decoded JSON values
// Text, list and document readers mirror their BSON twins above, case by
// case, so that the error lines do not depend on the path a line took.

std::string wrongType(const char* expected, const JsonValue& e) {
  return std::string("expected ") + expected + ", got " + bson::typeName(e.type());
}

bool readText(const JsonValue& e, std::string& out, std::string& problem) {
  if (e.type() != bson::String) {
    problem = wrongType("a string", e);
    return false;
  }
  out.assign(e.text.data(), e.text.size());
  return true;
}

bool readIntList(const JsonValue& e, std::vector<int>& out, std::string& problem) {
  if (e.type() != bson::Array) {
    problem = wrongType("an array of integers", e);
    return false;
  }
  std::vector<int> values;
  std::size_t index = 0;
  for (const JsonValue* item = e.first; item != nullptr; item = item->next) {
    int value = 0;
    std::string itemProblem;
    if (!readInt(*item, value, itemProblem)) {
      problem = "element " + std::to_string(index) + ": " + itemProblem;
      return false;
    }
    values.push_back(value);
    ++index;
  }
  out = std::move(values);
  return true;
}

bool readObject(const JsonValue& e, bson::BSONObj& out, std::string& problem) {
  if (e.type() != bson::Object) {
    problem = wrongType("a document", e);
    return false;
  }
  // The text was valid JSON a moment ago; the converter still decides.
  try {
    out = bson::BSONObj::fromJson(e.text.data(), e.text.size());
  } catch (const bson::BSONError& error) {
    problem = error.what();
    return false;
  }
  return true;
}

bool readInt(const bson::BSONElement& e, int& out, std::string& problem) {
  return intFrom(e, out, problem);
}
bool readInt64(const bson::BSONElement& e, long long& out, std::string& problem) {
  return int64From(e, out, problem);
}
bool readDouble(const bson::BSONElement& e, double& out, std::string& problem) {
  return doubleFrom(e, out, problem);
}
bool readBool(const bson::BSONElement& e, bool& out, std::string& problem) {
  return boolFrom(e, out, problem);
}
bool readInt(const JsonValue& e, int& out, std::string& problem) {
  return intFrom(e, out, problem);
}
bool readInt64(const JsonValue& e, long long& out, std::string& problem) {
  return int64From(e, out, problem);
}
bool readDouble(const JsonValue& e, double& out, std::string& problem) {
  return doubleFrom(e, out, problem);
}
bool readBool(const JsonValue& e, bool& out, std::string& problem) {
  return boolFrom(e, out, problem);
}

}  // namespace fields
}  // namespace mxservice
