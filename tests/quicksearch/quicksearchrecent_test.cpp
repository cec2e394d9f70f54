// The recent picks of the quick search popup: their order, the capacity and
// what a damaged settings file can hand to fromStringList().
#include "quicksearch/quicksearchrecent.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

using LW::CQuickSearchRecent;
using LW::SQuickSearchPick;

TEST(QuickSearchRecent, keepsTheLatestPicksFirstWithoutRepeatsUpToTheCapacity) {
  // The same key under another trading type (4) is another pick.
  const SQuickSearchPick a{"600000.SH", 1}, b{"000001.SZ", 1}, c{"cu2501.SHFE", 2},
      aCredit{"600000.SH", 4};
  const QString as = "600000.SH|1", bs = "000001.SZ|1", cs = "cu2501.SHFE|2";
  const std::tuple<const char*, std::vector<SQuickSearchPick>, int, QStringList> cases[] = {
      {"none", {}, 10, {}},
      {"newest first", {a, b, c}, 10, {cs, bs, as}},
      {"a repeat moves to the front", {a, b, c, a}, 10, {as, cs, bs}},
      {"the front picked again", {a, b, b}, 10, {bs, as}},
      {"same key, other type", {a, aCredit}, 10, {"600000.SH|4", as}},
      {"oldest dropped at the capacity", {a, b, c}, 2, {cs, bs}},
      {"a repeat does not push out the oldest", {a, b, b}, 2, {bs, as}},
      {"capacity one", {a, b, c}, 1, {cs}},
      {"capacity zero keeps nothing", {a, b}, 0, {}},
      {"negative capacity counts as zero", {a, b}, -5, {}},
      {"invalid picks are refused",
       {{"", 1}, {"600000.SH", 0}, {"600000.SH", 3}, {"a|b", 1}, {"600000.SH", -8}, b},
       10,
       {bs}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(std::get<0>(t));
    CQuickSearchRecent recent;
    recent.setCapacity(std::get<2>(t));
    for (const SQuickSearchPick& pick : std::get<1>(t)) recent.add(pick);
    EXPECT_EQ(recent.toStringList(), std::get<3>(t));
  }
}

TEST(QuickSearchRecent, shrinkingTheCapacityDropsTheOldestAndIsClamped) {
  CQuickSearchRecent recent;
  EXPECT_EQ(recent.capacity(), CQuickSearchRecent::kDefaultCapacity);
  for (int i = 0; i < 12; ++i) recent.add({QStringLiteral("%1.SH").arg(600000 + i), 1});
  ASSERT_EQ(recent.picks().size(), 10u);
  EXPECT_EQ(recent.picks().front().key, "600011.SH");
  EXPECT_EQ(recent.picks().back().key, "600002.SH");
  recent.setCapacity(3);
  EXPECT_EQ(recent.toStringList(), (QStringList{"600011.SH|1", "600010.SH|1", "600009.SH|1"}));
  // Growing again brings nothing back.
  recent.setCapacity(10);
  EXPECT_EQ(recent.picks().size(), 3u);
  recent.setCapacity(1'000'000);
  EXPECT_EQ(recent.capacity(), CQuickSearchRecent::kMaxCapacity);
}

TEST(QuickSearchRecent, readsBackWhatItWritesAndIgnoresEverythingElse) {
  const QString longestKey(CQuickSearchRecent::kMaxKeyLength, '7');
  // Entries read back: a stock, a tender type (high bit), the highest
  // one-bit int, a key of the longest length and one of non-Latin letters.
  const std::tuple<QString, QString, int> readable[] = {
      {"600000.SH|1", "600000.SH", 1},    {"TB.240001|134217728", "TB.240001", 0x8000000},
      {"X.Y|1073741824", "X.Y", 1 << 30}, {longestKey + "|1", longestKey, 1},
      {"黄金.SGE|16", "黄金.SGE", 16},
  };
  for (const auto& r : readable) {
    SCOPED_TRACE(std::get<0>(r).left(20).toStdString());
    SQuickSearchPick pick;
    ASSERT_TRUE(CQuickSearchRecent::parse(std::get<0>(r), &pick));
    EXPECT_EQ(pick.key, std::get<1>(r));
    EXPECT_EQ(pick.tradeType, std::get<2>(r));
    EXPECT_EQ(CQuickSearchRecent::format(pick), std::get<0>(r));
  }
  // Refused, and the output left alone: empty, no bar, no key or type, a type
  // that is not one plain decimal bit of an int, a bar, blank, control
  // character or lone surrogate in the key, a key too long, full-width digits.
  QStringList unreadable = {
      "600000.SH",       "600000.SH|",           "600000.SH|x",          "600000.SH|3",
      "600000.SH|0",     "600000 SH|1",          "600000.SH|１",         "600000.SH|-1",
      "600000.SH|+1",    "600000.SH| 1",         "600000.SH|1 ",         "600000.SH|0x1",
      "600000.SH\x01|1", "600000.SH|4294967296", "600000.SH|2147483648",
  };
  unreadable += QStringList{"", "|", "|1", "a|b|1", QString(QChar(0xD800)) + "|1"};
  unreadable << QString(CQuickSearchRecent::kMaxKeyLength + 1, '7') + "|1";
  for (const QString& entry : unreadable) {
    SCOPED_TRACE(entry.left(20).toStdString());
    SQuickSearchPick pick{"unchanged", 99};
    EXPECT_FALSE(CQuickSearchRecent::parse(entry, &pick));
    EXPECT_EQ(pick.key, "unchanged");
    EXPECT_EQ(pick.tradeType, 99);
  }
}

TEST(QuickSearchRecent, aDamagedListKeepsItsReadableEntriesInOrder) {
  CQuickSearchRecent recent;
  recent.setCapacity(3);
  recent.add(SQuickSearchPick{"OLD.SH", 1});
  const QStringList stored{"garbage",     "600000.SH|1",   "600000.SH|1",  "", "000001.SZ|1", "|||",
                           "600000.SH|4", "cu2501.SHFE|2", "au2506.SGE|16"};
  // Replaced, not merged; the repeat is not counted as damage.
  EXPECT_EQ(recent.fromStringList(stored), 3);
  EXPECT_EQ(recent.toStringList(), (QStringList{"600000.SH|1", "000001.SZ|1", "600000.SH|4"}));
  EXPECT_EQ(recent.fromStringList({}), 0);
  EXPECT_TRUE(recent.picks().empty());
}

}  // namespace
