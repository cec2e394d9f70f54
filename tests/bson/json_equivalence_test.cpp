// BSONObj::fromJson converts plain JSON itself (a fast path) and leaves the
// rest to libbson: both must give the same bytes, and the same acceptance.
#include "host/bson/bsonobj.h"

#include <bson/bson.h>
#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

// libbson's own answer: the bytes, or nothing when it refuses the text.
bool libbsonBytes(const std::string& json, std::vector<std::uint8_t>& out) {
  bson_error_t error;
  bson_t* doc = bson_new_from_json(reinterpret_cast<const std::uint8_t*>(json.data()),
                                   static_cast<ssize_t>(json.size()), &error);
  if (doc == nullptr) return false;
  out.assign(bson_get_data(doc), bson_get_data(doc) + doc->len);
  bson_destroy(doc);
  return true;
}

void expectSameAsLibbson(const std::string& json) {
  std::vector<std::uint8_t> expected;
  const bool libbsonAccepts = libbsonBytes(json, expected);
  try {
    const bson::BSONObj o = bson::BSONObj::fromJson(json);
    EXPECT_TRUE(libbsonAccepts) << "accepted what libbson refuses: " << json;
    EXPECT_EQ(o.bytes(), expected) << json;
  } catch (const bson::BSONError&) {
    // The facade is stricter about UTF-8 and trailing text; never looser.
  }
}

class RandomJson {
public:
  explicit RandomJson(unsigned seed) : m_random(seed) {}

  std::string document() {
    std::ostringstream out;
    object(out, 0);
    return out.str();
  }

private:
  int pick(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }
  void space(std::ostringstream& out) {
    static const char* spaces[] = {"", " ", "  ", "\t", "\n", " \r\n "};
    out << spaces[pick(6)];
  }
  void string(std::ostringstream& out) {
    static const char* pieces[] = {"a",    "Z",   "0",   " ",   "浦发", "银行", "\\\"",
                                   "\\\\", "\\/", "\\n", "\\t", "\\r",  "\\b",  "\\f",
                                   "é",    "😀",   "$",   ".",   "-",    "_"};
    out << '"';
    const int n = pick(8);
    for (int i = 0; i < n; ++i) out << pieces[pick(20)];
    out << '"';
  }
  void number(std::ostringstream& out) {
    static const char* numbers[] = {"0",
                                    "-0",
                                    "1",
                                    "-1",
                                    "42",
                                    "2147483647",
                                    "2147483648",
                                    "-2147483648",
                                    "-2147483649",
                                    "9223372036854775807",
                                    "-9223372036854775808",
                                    "0.0",
                                    "-0.0",
                                    "0.1",
                                    "2.05",
                                    "1e5",
                                    "1E5",
                                    "1e-7",
                                    "-1.5e+10",
                                    "1.7976931348623157e308",
                                    "4.9e-324",
                                    "123456789.123456789",
                                    "100",
                                    "12345678901",
                                    "0.30000000000000004",
                                    "5e-1"};
    out << numbers[pick(26)];
  }
  void value(std::ostringstream& out, int depth) {
    switch (depth > 4 ? pick(5) : pick(7)) {
      case 0:
        string(out);
        break;
      case 1:
        number(out);
        break;
      case 2:
        out << "true";
        break;
      case 3:
        out << "false";
        break;
      case 4:
        out << "null";
        break;
      case 5:
        object(out, depth + 1);
        break;
      default:
        array(out, depth + 1);
        break;
    }
  }
  void object(std::ostringstream& out, int depth) {
    out << '{';
    const int n = pick(6);
    for (int i = 0; i < n; ++i) {
      if (i) out << ',';
      space(out);
      // Keys: never "$..." (extended JSON would be a different test).
      out << "\"k" << pick(5) << "\"";
      space(out);
      out << ':';
      space(out);
      value(out, depth);
      space(out);
    }
    out << '}';
  }
  void array(std::ostringstream& out, int depth) {
    out << '[';
    const int n = pick(5);
    for (int i = 0; i < n; ++i) {
      if (i) out << ',';
      space(out);
      value(out, depth);
      space(out);
    }
    out << ']';
  }

  std::mt19937 m_random;
};

}  // namespace

TEST(BsonJson, handPickedTextsGiveLibbsonsBytes) {
  const char* texts[] = {
      "{}",
      " { } ",
      R"({"a":1})",
      R"({"a": -0, "b": -0.0, "c": 1.0, "d": 1e400})",
      R"({"a": 9223372036854775808})",
      R"({"a": 01})",
      R"({"a": 1.})",
      R"({"a": .5})",
      R"({"a": "\u00e9\u4e2d"})",
      R"({"a": "x\u0000y"})",
      R"({"a": {"$numberLong": "7"}})",
      R"({"$a": 1})",
      R"({"": ""})",
      R"({"a": [], "b": [[]], "c": [{}]})",
      R"({"a": tru})",
      R"({"a": nul})",
      R"({"a": "unterminated})",
      R"({"a": 1,})",
      R"({"a" 1})",
      "{\"a\": \"tab\there\"}",
      R"({"a":1}{"b":2})",
      R"({"code": "600000", "name": "浦发银行", "priceTick": 0.01, "attributeFlags": 16777218})",
  };
  for (const char* text : texts) expectSameAsLibbson(text);
}

TEST(BsonJson, randomDocumentsGiveLibbsonsBytes) {
  RandomJson generator(4242);
  for (int i = 0; i < 3000; ++i) {
    const std::string json = generator.document();
    std::vector<std::uint8_t> expected;
    ASSERT_TRUE(libbsonBytes(json, expected)) << json;
    EXPECT_EQ(bson::BSONObj::fromJson(json).bytes(), expected) << json;
  }
}

TEST(BsonJson, damagedTextsNeverCrashAndNeverAcceptMoreThanLibbson) {
  RandomJson generator(777);
  std::mt19937 random(99);
  const char bytes[] = {'{', '}', '[', ']', '"', '\\', ',',    ':',    '0',
                        '-', 'e', '.', ' ', 'n', '$',  '\xff', '\xe4', '\0'};
  for (int i = 0; i < 3000; ++i) {
    std::string json = generator.document();
    const int edits = 1 + static_cast<int>(random() % 3);
    for (int k = 0; k < edits && !json.empty(); ++k) {
      const std::size_t at = random() % json.size();
      switch (random() % 3) {
        case 0:
          json[at] = bytes[random() % sizeof bytes];
          break;
        case 1:
          json.erase(at, 1);
          break;
        default:
          json.insert(at, 1, bytes[random() % sizeof bytes]);
          break;
      }
    }
    expectSameAsLibbson(json);
  }
}
