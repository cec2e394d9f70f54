// The ranking classes of the quick search on realistic codes and names:
// codes, initials (polyphones by any reading), name prefixes, full pinyin and
// substrings, and texts nobody types on purpose.

#include "quicksearch/quicksearchtext.h"

#include "host/text/pinyinreadings.h"

#include <gtest/gtest.h>

#include <QString>

namespace {

using namespace LW::quicksearch;

int classOf(const QString& code, const QString& name, const QString& text) {
  const CQuery q = makeQuery(text);
  const std::uint64_t signature = signatureOf(code.utf16(), code.size(), name.utf16(), name.size());
  return rankClassOf(q, code.utf16(), code.size(), name.utf16(), name.size(), signature, 5);
}

QString u(const char* text) { return QString::fromUtf8(text); }

struct ClassCase {
  const char* code;
  const char* name;
  const char* text;
  int expected;
};

TEST(QuickSearchText, ranksEachTextInItsFirstClass) {
  const ClassCase cases[] = {
      // Codes: exact, prefix, case and full-width folded, substring.
      {"000001", "平安银行", "000001", 0},
      {"000001", "平安银行", "0000", 1},
      {"000001", "平安银行", "0", 1},
      {"000001", "平安银行", "01", 5},
      {"000001", "平安银行", "0000011", kNoClass},
      {"IF2406", "沪深300股指2406", "if2406", 0},
      {"IF2406", "沪深300股指2406", "If24", 1},
      {"600000", "浦发银行", "６０００", 1},
      {"600000", "浦发银行", "６００００ ", kNoClass},
      // Initials: every reading of a polyphone (行 háng/xíng, 长 cháng/
      // zhǎng, 重 chóng/zhòng), upper case as lower.
      {"000001", "平安银行", "payh", 2},
      {"000001", "平安银行", "PAYX", 2},
      {"000001", "平安银行", "p", 2},
      {"600900", "长江电力", "cjdl", 2},
      {"600900", "长江电力", "zjdl", 2},
      {"600132", "重庆啤酒", "cqpj", 2},
      {"600132", "重庆啤酒", "zq", 2},
      {"600001", "ST华夏", "st", 2},
      {"600001", "ST华夏", "sthx", 2},
      {"600001", "ST华夏", "sthxx", kNoClass},
      {"000001", "平安银行", "yh", 5},
      {"000001", "平安银行", "ayx", 5},
      {"000001", "平安银行", "hy", kNoClass},
      // Name prefix: texts with characters other than Latin letters and
      // digits.
      {"000001", "平安银行", "平安", 3},
      {"000001", "平安银行", "平安银行", 3},
      {"600001", "ST华夏", "ST华", 3},
      {"600001", "ST华夏", "st华", 3},
      {"000001", "平安银行", "银行", 5},
      {"000001", "平安银行", "安银", 5},
      {"000001", "平安银行", "平安 ", kNoClass},
      // Full pinyin: any reading, a cut last syllable, ü as v.
      {"000001", "平安银行", "pingan", 4},
      {"000001", "平安银行", "pinganyinhang", 4},
      {"000001", "平安银行", "pinganyinxing", 4},
      {"000001", "平安银行", "pinganyinh", 4},
      {"000001", "平安银行", "pingany", 4},
      {"000001", "平安银行", "pin", 4},
      {"000001", "平安银行", "pinganyinhangx", kNoClass},
      {"000001", "平安银行", "pinan", kNoClass},
      {"000001", "平安银行", "yinhang", kNoClass},
      {"600900", "长江电力", "changjiang", 4},
      {"600900", "长江电力", "zhangjiangdianli", 4},
      {"600132", "重庆啤酒", "chongqing", 4},
      {"600132", "重庆啤酒", "zhongqingpijiu", 4},
      {"600606", "绿地控股", "lvdi", 4},
      {"600001", "ST华夏", "sthuaxia", 4},
      {"IF2406", "沪深300股指2406", "hushen300", 4},
      // Odd texts: punctuation and regular-expression characters match only
      // themselves, emoji and lone surrogates as units of the name.
      {"510300", "300ETF(沪)", "(", 5},
      {"510300", "300ETF(沪)", ".*", kNoClass},
      {"510300", "300ETF(沪)", "[", kNoClass},
      {"510300", "300ETF(沪)", "300etf(", 3},
      {"510300", "😀基金", "😀", 3},
      {"510300", "😀基金", "基金", 5},
      {"510300", "平安银行", "😀", kNoClass},
      {"", "", "a", kNoClass},
  };
  for (const ClassCase& c : cases) {
    EXPECT_EQ(classOf(u(c.code), u(c.name), u(c.text)), c.expected)
        << c.code << " " << c.name << " text '" << c.text << "'";
  }
}

TEST(QuickSearchText, loneSurrogatesAndLongTextsGiveAnAnswer) {
  const QString loneHigh(QChar(0xD83D));
  const QString loneLow(QChar(0xDE00));
  const QString nameWithLone = u("基金") + loneHigh;
  EXPECT_EQ(classOf(u("1"), nameWithLone, loneHigh), 5);  // matches itself, not at the start
  EXPECT_EQ(classOf(u("1"), loneHigh + u("基金"), loneHigh), 3);
  EXPECT_EQ(classOf(u("1"), nameWithLone, loneLow), kNoClass);
  const QString longText(10000, QLatin1Char('a'));
  EXPECT_EQ(classOf(u("600000"), u("平安银行"), longText), kNoClass);
  const QString longName = QString(5000, QChar(0x5E73)) + u("安");
  EXPECT_EQ(classOf(u("1"), longName, QString(5000, QLatin1Char('p'))), 2);
  EXPECT_EQ(classOf(u("1"), longName, QString(64, QLatin1Char('p'))), 2);
  // Spelt pinyin stops at kMaxFullPinyin letters.
  QString pings;
  for (int i = 0; i < 20; ++i) pings += u("ping");
  EXPECT_EQ(classOf(u("1"), longName, pings.left(kMaxFullPinyin)), 4);
  EXPECT_EQ(classOf(u("1"), longName, pings.left(kMaxFullPinyin + 1)), kNoClass);
}

TEST(QuickSearchText, classesAboveTheLimitAreNotTried) {
  const QString code = u("000001");
  const QString name = u("平安银行");
  const std::uint64_t signature = signatureOf(code.utf16(), code.size(), name.utf16(), name.size());
  struct Case {
    const char* text;
    int maxClass;
    int expected;
  } cases[] = {
      {"000001", 0, 0},    {"0000", 0, kNoClass}, {"0000", 1, 1},          {"payh", 1, kNoClass},
      {"payh", 2, 2},      {"平安", 2, kNoClass}, {"pingan", 3, kNoClass}, {"pingan", 4, 4},
      {"yh", 4, kNoClass}, {"yh", 5, 5},
  };
  for (const Case& c : cases) {
    const CQuery q = makeQuery(u(c.text));
    EXPECT_EQ(
        rankClassOf(q, code.utf16(), code.size(), name.utf16(), name.size(), signature, c.maxClass),
        c.expected)
        << c.text << " up to class " << c.maxClass;
  }
}

TEST(QuickSearchText, readingsCoverEveryReadingOfAPolyphone) {
  struct Case {
    const char* character;
    std::vector<std::string> readings;
  } cases[] = {
      {"行", {"hang", "xing"}},
      {"长", {"chang", "zhang"}},
      {"重", {"chong", "zhong"}},
      {"绿", {"lv"}},
      {"A", {}},
      {"😀", {}},
  };
  for (const Case& c : cases) {
    const QString text = u(c.character);
    const uint cp = text.toUcs4().value(0);
    const char* readings[GU::kMaxPinyinReadings];
    const int count = GU::pinyinReadings(cp, readings);
    std::vector<std::string> got(readings, readings + count);
    for (const std::string& wanted : c.readings) {
      EXPECT_NE(std::find(got.begin(), got.end(), wanted), got.end())
          << c.character << " lacks " << wanted;
    }
    if (c.readings.empty()) {
      EXPECT_EQ(count, 0) << c.character;
    }
  }
}

TEST(QuickSearchText, foldsLettersDigitsAndFullWidthFormsOnly) {
  struct Case {
    ushort in;
    ushort out;
  } cases[] = {
      {u'A', u'a'},     {u'z', u'z'},     {u'5', u'5'},     {0xFF21, u'a'},
      {0xFF5A, u'z'},   {0xFF10, u'0'},   {0xFF01, 0xFF01}, {u'(', u'('},
      {0xD83D, 0xD83D}, {0x5E73, 0x5E73}, {0x00C4, 0x00E4},
  };
  for (const Case& c : cases) EXPECT_EQ(foldUnit(c.in), c.out) << std::hex << c.in;
}

}  // namespace
