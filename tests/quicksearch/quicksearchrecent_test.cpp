// The recent picks of the quick search popup: their order, the capacity and
// what a damaged settings file can hand to fromStringList().
#include "quicksearch/quicksearchrecent.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

namespace {

using LW::CQuickSearchRecent;
using LW::SQuickSearchPick;

QStringList added(const std::vector<SQuickSearchPick>& picks, int capacity) {
  CQuickSearchRecent recent;
  recent.setCapacity(capacity);
  for (const SQuickSearchPick& pick : picks) recent.add(pick);
  return recent.toStringList();
}

TEST(QuickSearchRecent, keepsTheLatestPicksFirstWithoutRepeatsUpToTheCapacity) {
  const SQuickSearchPick a{"600000.SH", 1};
  const SQuickSearchPick b{"000001.SZ", 1};
  const SQuickSearchPick c{"cu2501.SHFE", 2};
  // The same key under another trading type is another pick.
  const SQuickSearchPick aCredit{"600000.SH", 4};
  struct Case {
    const char* name;
    std::vector<SQuickSearchPick> picks;
    int capacity;
    QStringList expected;
  };
  const Case cases[] = {
      {"none", {}, 10, {}},
      {"newest first", {a, b, c}, 10, {"cu2501.SHFE|2", "000001.SZ|1", "600000.SH|1"}},
      {"a repeat moves to the front",
       {a, b, c, a},
       10,
       {"600000.SH|1", "cu2501.SHFE|2", "000001.SZ|1"}},
      {"the front picked again", {a, b, b}, 10, {"000001.SZ|1", "600000.SH|1"}},
      {"same key, other type", {a, aCredit}, 10, {"600000.SH|4", "600000.SH|1"}},
      {"oldest dropped at the capacity", {a, b, c}, 2, {"cu2501.SHFE|2", "000001.SZ|1"}},
      {"a repeat does not push out the oldest", {a, b, b}, 2, {"000001.SZ|1", "600000.SH|1"}},
      {"capacity one", {a, b, c}, 1, {"cu2501.SHFE|2"}},
      {"capacity zero keeps nothing", {a, b}, 0, {}},
      {"negative capacity counts as zero", {a, b}, -5, {}},
      {"invalid picks are refused",
       {SQuickSearchPick{"", 1}, SQuickSearchPick{"600000.SH", 0}, SQuickSearchPick{"600000.SH", 3},
        SQuickSearchPick{"a|b", 1}, SQuickSearchPick{"600000.SH", -8}, b},
       10,
       {"000001.SZ|1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(added(c.picks, c.capacity), c.expected);
  }
}

TEST(QuickSearchRecent, shrinkingTheCapacityDropsTheOldestAndIsClamped) {
  CQuickSearchRecent recent;
  EXPECT_EQ(recent.capacity(), CQuickSearchRecent::kDefaultCapacity);
  for (int i = 0; i < 12; ++i)
    recent.add(SQuickSearchPick{QStringLiteral("%1.SH").arg(600000 + i), 1});
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
  const QString longKey(CQuickSearchRecent::kMaxKeyLength + 1, QLatin1Char('7'));
  const QString longestKey(CQuickSearchRecent::kMaxKeyLength, QLatin1Char('7'));
  struct Case {
    const char* name;
    QString entry;
    bool readable;
    QString key;
    int tradeType;
  };
  const Case cases[] = {
      {"stock", "600000.SH|1", true, "600000.SH", 1},
      {"tender type, high bit", "TB.240001|134217728", true, "TB.240001", 0x8000000},
      {"the highest one-bit int", "X.Y|1073741824", true, "X.Y", 1 << 30},
      {"a key of the longest length", longestKey + "|1", true, longestKey, 1},
      {"a key with non-Latin letters", QString::fromUtf8("黄金.SGE|16"), true,
       QString::fromUtf8("黄金.SGE"), 16},
      {"empty", "", false, {}, 0},
      {"bar only", "|", false, {}, 0},
      {"no bar", "600000.SH", false, {}, 0},
      {"no key", "|1", false, {}, 0},
      {"no type", "600000.SH|", false, {}, 0},
      {"letters for a type", "600000.SH|x", false, {}, 0},
      {"hex type", "600000.SH|0x1", false, {}, 0},
      {"two bits", "600000.SH|3", false, {}, 0},
      {"zero", "600000.SH|0", false, {}, 0},
      {"negative", "600000.SH|-1", false, {}, 0},
      {"plus sign", "600000.SH|+1", false, {}, 0},
      {"blank in the type", "600000.SH| 1", false, {}, 0},
      {"trailing blank", "600000.SH|1 ", false, {}, 0},
      {"beyond int", "600000.SH|4294967296", false, {}, 0},
      {"sign bit", "600000.SH|2147483648", false, {}, 0},
      {"a bar in the key", "a|b|1", false, {}, 0},
      {"a blank in the key", "600000 SH|1", false, {}, 0},
      {"a control character", QStringLiteral("600000.SH\x01|1"), false, {}, 0},
      {"a lone surrogate", QString(QChar(0xD800)) + "|1", false, {}, 0},
      {"a key too long", longKey + "|1", false, {}, 0},
      {"full-width digits", QString::fromUtf8("600000.SH|１"), false, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SQuickSearchPick pick{"unchanged", 99};
    ASSERT_EQ(CQuickSearchRecent::parse(c.entry, &pick), c.readable);
    if (c.readable) {
      EXPECT_EQ(pick.key, c.key);
      EXPECT_EQ(pick.tradeType, c.tradeType);
      EXPECT_EQ(CQuickSearchRecent::format(pick), c.entry);
    } else {
      // A refused entry leaves the output alone.
      EXPECT_EQ(pick.key, "unchanged");
      EXPECT_EQ(pick.tradeType, 99);
    }
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
