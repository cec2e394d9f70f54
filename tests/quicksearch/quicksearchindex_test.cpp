// The quick search index: the order of the rows within and across classes,
// the limit, duplicates, lookups, market names and the cancel flag.

#include "quicksearch/quicksearchindex.h"
#include "model/tradetypetitle.h"
#include "quicksearch/quicksearchengine.h"
#include "quicksearch/quicksearchtypes.h"

#include "host/core/tradertypes.h"

#include "qstringprint.h"

#include <gtest/gtest.h>
#include <boost/make_shared.hpp>

#include <QStringList>

namespace {

using LW::CQuickSearchIndex;
using LW::CQuickSearchMatch;
using Source = CQuickSearchIndex::Source;

Source source(int tradeType, const char* market, const std::string& code, const char* name) {
  auto detail = boost::make_shared<mxservice::CInstrumentDetail>();
  detail->tradeType = tradeType;
  detail->marketId = market;
  detail->code = code;
  detail->name = name;
  return Source{detail, tradeType};
}

QString marketName(const std::string& market, const mxservice::CInstrumentDetailPtr&) {
  return QString::fromStdString("market " + market);
}

std::shared_ptr<const CQuickSearchIndex> indexOf(const std::vector<Source>& sources) {
  return CQuickSearchIndex::build(sources, &marketName);
}

// "key/type/class" per row.
QStringList rowsOf(const std::vector<CQuickSearchMatch>& rows) {
  QStringList out;
  for (const CQuickSearchMatch& m : rows)
    out << QStringLiteral("%1/%2/%3").arg(m.key).arg(m.tradeType, 0, 16).arg(m.rankClass);
  return out;
}

const std::shared_ptr<const CQuickSearchIndex>& sampleIndex() {
  static const std::vector<Source> sources = {
      source(0x1, "SZ", "000001", "平安银行"),   source(0x1, "SH", "601318", "中国平安"),
      source(0x1, "SZ", "000002", "万科A"),      source(0x1, "SH", "600000", "浦发银行"),
      source(0x1, "SH", "600900", "长江电力"),   source(0x1, "SH", "600132", "重庆啤酒"),
      source(0x2, "SHFE", "pb2406", "沪铅2406"), source(0x20, "SH", "10006000", "平安购6月"),
      source(0x8000, "IB", "000001", "平安债"),  source(0x200, "OTC", "000001", "平安基金"),
      source(0x4000, "HK", "02318", "中国平安"), source(0x80, "SH", "601318", "中国平安"),
      source(0x1, "SH", "510300", "300ETF(沪)"), source(0x1, "SH", "510301", "😀基金"),
  };
  static const auto index = indexOf(sources);
  return index;
}

TEST(QuickSearchIndex, ordersRowsByClassThenNameLengthThenTypeThenCode) {
  const auto& index = sampleIndex();
  ASSERT_TRUE(index);
  const std::pair<QString, QStringList> cases[] = {
      // The shortest name first (平安债); among names of one length the
      // mixed list's types (stocks) before the others (funds, 0x200).
      {"000001", {"000001.IB/8000/0", "000001.SZ/1/0", "000001.OTC/200/0"}},
      {"60",
       {"600000.SH/1/1", "600132.SH/1/1", "600900.SH/1/1", "601318.SH/1/1", "601318.SH/80/1",
        "10006000.SH/20/5"}},
      // Initials (平安… and the 沪铅 future with its code pb…), then full
      // pinyin, then substrings.
      {"pa",
       {"000001.IB/8000/2", "000001.SZ/1/2", "000001.OTC/200/2", "10006000.SH/20/2",
        "601318.SH/1/5", "601318.SH/80/5", "02318.HK/4000/5"}},
      {"平安",
       {"000001.IB/8000/3", "000001.SZ/1/3", "000001.OTC/200/3", "10006000.SH/20/3",
        "601318.SH/1/5", "601318.SH/80/5", "02318.HK/4000/5"}},
      {"zgpa", {"601318.SH/1/2", "601318.SH/80/2", "02318.HK/4000/2"}},
      {"zhongguo", {"601318.SH/1/4", "601318.SH/80/4", "02318.HK/4000/4"}},
      {"PB", {"pb2406.SHFE/2/1"}},
      {"q2406", {"pb2406.SHFE/2/5"}},
      {"hq", {"pb2406.SHFE/2/2"}},
      // Digits inside a code, and digits with a letter, which no code of
      // digits holds (300ETF's name does).
      {"10300", {"510300.SH/1/5"}},
      {"300e", {"510300.SH/1/2"}},
      {"0e", {"510300.SH/1/5"}},
      // Odd texts: punctuation as itself, emoji and lone surrogates as units.
      {"(", {"510300.SH/1/5"}},
      {"😀", {"510301.SH/1/3"}},
      {QString(QChar(0xD83D)), {"510301.SH/1/3"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(rowsOf(index->search(c.first, 30)), c.second) << c.first.toStdString();
  // Texts that match nothing, regular-expression characters among them.
  QStringList nothing = {"xyz", ".*", "[a-z]+", "\\", "　", QString(QChar(0xDE00))};
  nothing << QString(10000, '6') << QString(10000, QChar(0x5E73));
  for (const QString& text : nothing)
    EXPECT_TRUE(index->search(text, 30).empty()) << text.left(20).toStdString();
}

TEST(QuickSearchIndex, codesOrderByFoldedUnitsThenRawUnitsAtAnyLength) {
  // Names of one length and one type, so that the code decides: folded
  // units first (case and the eighth unit do not end the comparison), then
  // the raw units, a shorter code before a longer one even past a NUL.
  const std::string codes[] = {"ABCDEFGH2",
                               "abcdefgh10",
                               "abcd",
                               "ABCDEFGH",
                               "abcD",
                               "abcdefgh1",
                               "ab",
                               "abcdefgH1",
                               std::string("ab\0c", 4),
                               std::string("ab\0", 3)};
  std::vector<Source> sources;
  for (const std::string& code : codes) sources.push_back(source(0x1, "SH", code, "同名"));
  const auto index = indexOf(sources);
  QStringList got;
  for (const CQuickSearchMatch& m : index->search("ab", 30)) got << m.code;
  const QStringList expected = {"ab",
                                QString("ab") + QChar(0),
                                QString("ab") + QChar(0) + "c",
                                "abcD",
                                "abcd",
                                "ABCDEFGH",
                                "abcdefgH1",
                                "abcdefgh1",
                                "abcdefgh10",
                                "ABCDEFGH2"};
  EXPECT_EQ(got, expected);
}

TEST(QuickSearchIndex, limitCutsTheRankedRows) {
  const auto& index = sampleIndex();
  const QStringList all = rowsOf(index->search("pa", 100));
  ASSERT_EQ(all.size(), 7);
  const std::pair<int, int> cases[] = {{-1, 0}, {0, 0}, {1, 1}, {3, 3},      {4, 4},
                                       {5, 5},  {7, 7}, {8, 7}, {INT_MAX, 7}};
  for (const auto& c : cases)
    EXPECT_EQ(rowsOf(index->search("pa", c.first)), all.mid(0, c.second)) << "limit " << c.first;
  EXPECT_TRUE(index->search(QString(), 30).empty());
}

TEST(QuickSearchIndex, keepsOneRowPerInstrumentAndType) {
  const auto index = indexOf({
      source(0x1, "SH", "600000", "浦发银行"),
      source(0x1, "SH", "600000", "浦发银行（重复）"),
      source(0x8, "SH", "600000", "浦发银行"),
      source(0x1, "SZ", "600000", "同码异市"),
      Source{nullptr, 0x1},
      source(0x3, "SH", "600001", "两个类型"),
      source(0, "SH", "600002", "没有类型"),
  });
  EXPECT_EQ(index->size(), 3);
  EXPECT_EQ(rowsOf(index->search("600000", 30)),
            (QStringList{"600000.SH/1/0", "600000.SZ/1/0", "600000.SH/8/0"}));
  CQuickSearchMatch m;
  ASSERT_TRUE(index->lookup("600000.SH", 0x1, &m));
  EXPECT_EQ(m.name, "浦发银行");  // the first of the two
}

TEST(QuickSearchIndex, lookupFindsKeyAndTypeOnly) {
  struct Case {
    const char* key;
    int type;
    const char* name;  // empty: not found
  };
  const Case cases[] = {
      {"000001.SZ", 0x1, "平安银行"},
      {"000001.IB", 0x8000, "平安债"},
      {"000001.SZ", 0x8000, ""},
      {"000001.SH", 0x1, ""},
      {"601318.SH", 0x80, "中国平安"},
      {"601318", 0x1, ""},
      {"", 0x1, ""},
      {".", 0x1, ""},
      {"000001.SZ", 0x3, ""},
      {"000001.SZ", 0, ""},
      {"pb2406.SHFE", 0x2, "沪铅2406"},
      {"PB2406.SHFE", 0x2, ""},
  };
  for (const Case& c : cases) {
    CQuickSearchMatch m;
    ASSERT_EQ(sampleIndex()->lookup(c.key, c.type, &m), *c.name != 0) << c.key;
    if (!*c.name) continue;
    EXPECT_EQ(QStringList({m.name, m.key}), QStringList({c.name, c.key}));
    EXPECT_EQ(m.tradeType, c.type);
  }
}

TEST(QuickSearchIndex, rowsCarryMarketNameAndListTitle) {
  const auto rows = sampleIndex()->search("pb2406", 5);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(QStringList({rows[0].code, rows[0].name, rows[0].marketName, rows[0].listTitle}),
            QStringList({"pb2406", "沪铅2406", "market SHFE", "合约列表"}));
  const std::pair<int, const char*> titles[] = {
      {0x1, "股票列表"},    {0x4000, "股票列表"},   {0x2, "合约列表"},    {0x200, "合约列表"},
      {0x8000, "债券列表"}, {0x100000, "债券列表"}, {0x1000, "代码列表"}, {0x800000, "代码列表"}};
  for (const auto& t : titles) EXPECT_EQ(LW::tradeTypeListTitle(t.first), t.second) << t.first;
}

TEST(QuickSearchIndex, tradeTypeOrderFollowsTheMixedList) {
  using LW::quicksearch::tradeTypeOrder;
  // The mixed list's types keep their bit order and come before the rest.
  const int types[] = {0x1,      0x2,       0x4,       0x8,      0x10,    0x20,    0x40,
                       0x80,     0x100,     0x400,     0x800,    0x1000,  0x4000,  0x40000,
                       0x80000,  0x200,     0x2000,    0x8000,   0x10000, 0x20000, 0x100000,
                       0x800000, 0x1000000, 0x2000000, 0x8000000};
  int previous = -1;
  for (int t : types) {
    EXPECT_GT(tradeTypeOrder(t), previous) << t;
    previous = tradeTypeOrder(t);
  }
  EXPECT_EQ(tradeTypeOrder(0), 63);
  EXPECT_EQ(tradeTypeOrder(0x3), 63);
  EXPECT_LT(tradeTypeOrder(static_cast<int>(0x80000000u)), 63);
}

TEST(QuickSearchIndex, cancelledBuildGivesNoIndex) {
  std::vector<Source> sources;
  for (int i = 0; i < 10000; ++i)
    sources.push_back(source(0x1, "SH", std::to_string(600000 + i), "测试"));
  std::atomic<bool> cancel{true};
  EXPECT_FALSE(CQuickSearchIndex::build(sources, &marketName, &cancel));
  cancel = false;
  const auto index = CQuickSearchIndex::build(sources, &marketName, &cancel);
  ASSERT_TRUE(index);
  EXPECT_EQ(index->size(), 10000);
  EXPECT_LE(index->memoryBytes(), 64u * 10000);
  const auto empty = indexOf({});
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->search("6", 30).empty());
  EXPECT_FALSE(empty->lookup("600000.SH", 1, nullptr));
}

}  // namespace
