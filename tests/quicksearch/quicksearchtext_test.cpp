// The ranking classes of the quick search on realistic codes and names, the
// pinyin readings of polyphones and the folding of typed characters.

#include "quicksearch/quicksearchtext.h"

#include "host/text/pinyinreadings.h"

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>

namespace {

using namespace LW::quicksearch;

// Each text typed against one of the instruments below, with the class it
// ranks in when classes up to maxClass are tried.
struct Case {
  int instrument;
  QString text;
  int expected;
  int maxClass = 5;
};

TEST(QuickSearchText, ranksEachTextInItsFirstClassUpToTheLimit) {
  const int no = kNoClass;
  const QString hi(QChar(0xD83D)), lo(QChar(0xDE00));
  QString pings;
  for (int i = 0; i < 20; ++i) pings += "ping";
  std::vector<std::pair<QString, QString>> instruments = {
      {"000001", "平安银行"}, {"IF2406", "沪深300股指2406"}, {"600000", "浦发银行"},
      {"600900", "长江电力"}, {"600132", "重庆啤酒"},        {"600606", "绿地控股"},
      {"600001", "ST华夏"},   {"510300", "300ETF(沪)"},      {"510300", "😀基金"},
  };
  instruments.insert(instruments.end(), {{"", ""}, {"1", "基金" + hi}, {"1", hi + "基金"}});
  instruments.push_back({"1", QString(5000, QChar(0x5E73)) + "安"});

  // Codes: exact, prefix (letters and full-width digits folded), substring.
  const std::vector<Case> codes = {
      {0, "000001", 0}, {0, "0000", 1},     {0, "0", 1},
      {0, "01", 5},     {0, "0000011", no}, {1, "if2406", 0},
      {1, "If24", 1},   {2, "６０００", 1}, {2, "６００００ ", no},
  };
  // Initials by any reading of a polyphone (行 háng/xíng, 长 cháng/zhǎng,
  // 重 chóng/zhòng), upper case as lower; name prefixes.
  const std::vector<Case> initialsAndNames = {
      {0, "payh", 2}, {0, "PAYX", 2}, {0, "p", 2},    {3, "cjdl", 2}, {3, "zjdl", 2},
      {4, "cqpj", 2}, {4, "zq", 2},   {6, "st", 2},   {6, "sthx", 2}, {6, "sthxx", no},
      {0, "yh", 5},   {0, "ayx", 5},  {0, "hy", no},  {0, "平安", 3}, {0, "平安银行", 3},
      {6, "ST华", 3}, {6, "st华", 3}, {0, "银行", 5}, {0, "安银", 5}, {0, "平安 ", no},
  };
  // Full pinyin by any reading, with a cut last syllable, ü typed as v.
  const std::vector<Case> pinyin = {
      {0, "pingan", 4},           {0, "pinganyinhang", 4},
      {0, "pinganyinxing", 4},    {0, "pinganyinh", 4},
      {0, "pingany", 4},          {0, "pin", 4},
      {0, "pinganyinhangx", no},  {0, "pinan", no},
      {0, "yinhang", no},         {3, "changjiang", 4},
      {3, "zhangjiangdianli", 4}, {4, "chongqing", 4},
      {4, "zhongqingpijiu", 4},   {5, "lvdi", 4},
      {6, "sthuaxia", 4},         {1, "hushen300", 4},
  };
  // Punctuation and regular-expression characters match only themselves,
  // emoji and lone surrogates as units of the name; long texts give an
  // answer (spelt pinyin stops at kMaxFullPinyin letters).
  const std::vector<Case> odd = {
      {7, "(", 5},  {7, ".*", no}, {7, "[", no}, {7, "300etf(", 3}, {8, "😀", 3},  {8, "基金", 5},
      {0, "😀", no}, {9, "a", no},  {10, hi, 5},  {11, hi, 3},       {10, lo, no},
  };
  const std::vector<Case> longTexts = {
      {0, QString(10000, 'a'), no},
      {12, QString(5000, 'p'), 2},
      {12, QString(64, 'p'), 2},
      {12, pings.left(kMaxFullPinyin), 4},
      {12, pings.left(kMaxFullPinyin + 1), no},
  };
  // Classes above the limit are not tried.
  const std::vector<Case> limited = {
      {0, "000001", 0, 0}, {0, "0000", no, 0}, {0, "0000", 1, 1},    {0, "payh", no, 1},
      {0, "payh", 2, 2},   {0, "平安", no, 2}, {0, "pingan", no, 3}, {0, "pingan", 4, 4},
      {0, "yh", no, 4},    {0, "yh", 5, 5},
  };
  for (const std::vector<Case>* group :
       {&codes, &initialsAndNames, &pinyin, &odd, &longTexts, &limited})
    for (const Case& c : *group) {
      const QString& code = instruments[c.instrument].first;
      const QString& name = instruments[c.instrument].second;
      const std::uint64_t signature =
          signatureOf(code.utf16(), code.size(), name.utf16(), name.size());
      const CQuery q = makeQuery(c.text);
      EXPECT_EQ(rankClassOf(q, code.utf16(), code.size(), name.utf16(), name.size(), signature,
                            c.maxClass),
                c.expected)
          << name.left(20).toStdString() << " text '" << c.text.left(20).toStdString()
          << "' up to class " << c.maxClass;
    }
}

TEST(QuickSearchText, readingsCoverEveryReadingOfAPolyphone) {
  const std::vector<std::pair<QString, std::vector<std::string>>> cases = {
      {"行", {"hang", "xing"}},
      {"长", {"chang", "zhang"}},
      {"重", {"chong", "zhong"}},
      {"绿", {"lv"}},
      {"A", {}},
      {"😀", {}}};
  for (const auto& c : cases) {
    const char* readings[GU::kMaxPinyinReadings];
    const int count = GU::pinyinReadings(c.first.toUcs4().value(0), readings);
    const std::vector<std::string> got(readings, readings + count);
    for (const std::string& wanted : c.second)
      EXPECT_NE(std::find(got.begin(), got.end(), wanted), got.end())
          << c.first.toStdString() << " lacks " << wanted;
    EXPECT_EQ(count == 0, c.second.empty()) << c.first.toStdString();
  }
}

TEST(QuickSearchText, foldsLettersDigitsAndFullWidthFormsOnly) {
  const std::pair<ushort, ushort> cases[] = {{u'A', u'a'},     {u'z', u'z'},    {u'5', u'5'},
                                             {0xFF21, u'a'},   {0xFF5A, u'z'},  {0xFF10, u'0'},
                                             {0xFF01, 0xFF01}, {u'(', u'('},    {0xD83D, 0xD83D},
                                             {0x5E73, 0x5E73}, {0x00C4, 0x00E4}};
  for (const auto& c : cases) EXPECT_EQ(foldUnit(c.first), c.second) << std::hex << c.first;
}

}  // namespace
