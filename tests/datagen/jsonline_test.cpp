// CJsonLine: the text the generator writes must be valid JSON that reads
// back as the values put in, whatever the text or number.
#include "datagen/jsonline.h"
#include "host/core/tradertypes.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

using datagen::CJsonLine;

namespace {

QJsonObject parse(const std::string& text) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError)
      << text << ": " << error.errorString().toStdString();
  return document.object();
}

}  // namespace

TEST(JsonLine, textsReadBackUnchangedWhateverTheirCharacters) {
  struct Case {
    const char* label;
    std::string text;
  };
  const Case cases[] = {
      {"empty", ""},
      {"quote and backslash", "a\"b\\c"},
      {"line breaks and tab", "one\ntwo\r\nthree\tfour"},
      {"control characters", std::string("\x01\x1f\b\f", 4)},
      {"embedded NUL", std::string("a\0b", 3)},
      {"Chinese", "平安银行"},
      {"four-byte character", "\xF0\x9F\x98\x80 emoji"},
      {"line separator U+2028",
       "a\xE2\x80\xA8"
       "b"},
      {"slash", "SP m2701&m2705/x"},
  };
  for (const Case& c : cases) {
    CJsonLine line;
    line.text("v", c.text);
    const QJsonObject obj = parse(line.str());
    EXPECT_EQ(obj.value("v").toString().toStdString(), c.text) << c.label;
  }
}

TEST(JsonLine, invalidUtf8BecomesReplacementCharactersAndKeepsTheRest) {
  struct Case {
    const char* label;
    std::string text;
    std::string expected;
  };
  const std::string fffd = "\xEF\xBF\xBD";
  const Case cases[] = {
      {"stray continuation byte", "a\x80z", "a" + fffd + "z"},
      {"overlong slash", "\xC0\xAF!", fffd + fffd + "!"},
      {"UTF-8 encoded surrogate", "\xED\xA0\x80x", fffd + fffd + fffd + "x"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},
      {"truncated at the end", "ok\xE5\xB9", "ok" + fffd + fffd},
      {"lone lead byte before ASCII",
       "\xE5"
       "A",
       fffd + "A"},
      {"byte FF", "\xFF", fffd},
  };
  for (const Case& c : cases) {
    CJsonLine line;
    line.text("v", c.text);
    const std::string text = line.str();
    const QJsonObject obj = parse(text);
    EXPECT_EQ(obj.value("v").toString().toStdString(), c.expected) << c.label;
  }
}

TEST(JsonLine, numbersReadBackExactlyAndAvoidExponentsForMarketMagnitudes) {
  struct Case {
    double value;
    const char* text;  // expected JSON text, or nullptr to check only the round trip
  };
  const Case cases[] = {
      {0.0, "0"},
      {10.52, "10.52"},
      {0.005, "0.005"},
      {4000000.0, "4000000"},
      {29352080397.0, "29352080397"},
      {-131.0, "-131"},
      {0.0000005, "0.0000005"},
      {1.0 / 3.0, nullptr},
      {0.1 + 0.2, nullptr},
      {1e-9, "0.000000001"},
      {1e-10, nullptr},
      {1e300, nullptr},
      {-2.5e-300, nullptr},
      {std::numeric_limits<double>::denorm_min(), nullptr},
      {1.7976931348623155e308, nullptr},  // just below the no-value marker
  };
  for (const Case& c : cases) {
    CJsonLine line;
    line.number("v", c.value);
    const std::string text = line.str();
    if (c.text != nullptr) {
      EXPECT_EQ(text, std::string("{\"v\": ") + c.text + "}");
    }
    const QJsonObject obj = parse(text);
    ASSERT_TRUE(obj.contains("v")) << text;
    EXPECT_EQ(obj.value("v").toDouble(), c.value) << text;
  }
}

TEST(JsonLine, markersAndNonFiniteNumbersAreLeftOut) {
  CJsonLine line;
  line.number("noValue", mxservice::kNoValueDouble)
      .number("nan", std::nan(""))
      .number("infinity", std::numeric_limits<double>::infinity())
      .number("minusInfinity", -std::numeric_limits<double>::infinity())
      .integer("noValueInt", mxservice::kNoValueInt)
      .integer("noValueInt64", mxservice::kNoValueInt64)
      .textIfAny("emptyText", "")
      .integer("kept", 0);
  EXPECT_EQ(line.str(), "{\"kept\": 0}");
}

TEST(JsonLine, nestedObjectsListsAndEmptyObject) {
  CJsonLine inner;
  inner.text("bondCode", "260221").number("bidRate", 2.05);
  CJsonLine line;
  line.object("btdparam", inner)
      .object("empty", CJsonLine())
      .integerList("bonusTypes", {0, 1})
      .integerList("none", {})
      .textList("keys", {"600000.SH", "CLF5.NYMEX"})
      .boolean("flag", true)
      .integer("big", 16777216LL * 1024);
  const QJsonObject obj = parse(line.str());
  EXPECT_EQ(obj.value("btdparam").toObject().value("bondCode").toString(), "260221");
  EXPECT_TRUE(obj.value("empty").isObject());
  EXPECT_TRUE(obj.value("empty").toObject().isEmpty());
  EXPECT_EQ(obj.value("bonusTypes").toArray().size(), 2);
  EXPECT_TRUE(obj.value("none").toArray().isEmpty());
  EXPECT_EQ(obj.value("keys").toArray().at(1).toString(), "CLF5.NYMEX");
  EXPECT_TRUE(obj.value("flag").toBool());
  EXPECT_EQ(obj.value("big").toDouble(), 16777216.0 * 1024);
  EXPECT_EQ(CJsonLine().str(), "{}");
}

TEST(JsonLine, fieldNamesAreEscapedLikeTexts) {
  CJsonLine line;
  line.integer("a\"b", 1);
  EXPECT_EQ(parse(line.str()).value("a\"b").toInt(), 1);
}
