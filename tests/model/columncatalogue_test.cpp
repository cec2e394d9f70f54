// The column catalogue per trading type, checked for the shape every list
// relies on: ids without gaps, one favourites column at the end, sort kinds
// the table knows, one catalogue per column set, and the one column the
// broker edition leaves out. The titles themselves are pinned, with every
// cell, by the golden record of cellgolden_test.cpp.

#include "model/columncatalogue.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <sstream>

using LW::CColumnCatalogue;
using LW::EColumnSet;
using mxservice::ENqTraderType;

namespace {

ENqTraderType tt(long long v) { return static_cast<ENqTraderType>(v); }

const QString kFavourite = QString::fromUtf8("添加自选");

// Every single-bit trading type, the two combined ones, and values that are
// no trading type at all.
const long long kTypes[] = {0,         0x1,     0x2,      0x4,      0x8,       0x10,
                            0x20,      0x40,    0x80,     0x100,    0x200,     0x400,
                            0x800,     0x1000,  0x2000,   0x4000,   0x8000,    0x10000,
                            0x20000,   0x40000, 0x100000, 0x800000, 0x1000000, 0x2000000,
                            0x8000000, 0xC5DFF, 1536,     -1,       0x10000000};

std::string name(long long type, bool broker) {
  std::ostringstream out;
  out << std::hex << "0x" << type << (broker ? " broker" : " standard");
  return out.str();
}

TEST(ColumnCatalogue, everyCatalogueHasGaplessIdsDistinctTitlesAndKnownKinds) {
  for (long long type : kTypes) {
    for (bool broker : {false, true}) {
      SCOPED_TRACE(name(type, broker));
      const CColumnCatalogue cat = CColumnCatalogue::build(tt(type), broker);
      EXPECT_EQ(cat.brokerEdition, broker);
      QStringList titles;
      int id = 0;
      for (auto it = cat.columnTitles.constBegin(); it != cat.columnTitles.constEnd(); ++it, ++id) {
        EXPECT_EQ(it.key(), id) << "ids must run 0..count-1 without gaps";
        EXPECT_FALSE(it.value().trimmed().isEmpty()) << "column " << id;
        EXPECT_FALSE(titles.contains(it.value())) << "title twice: " << it.value().toStdString();
        titles << it.value();
      }
      for (int column = 0; column < cat.columnCount(); ++column) {
        const int kind = LW::columnValueKind(tt(type), column);
        EXPECT_TRUE(kind == LW::COLUMN_KIND_INT || kind == LW::COLUMN_KIND_DOUBLE ||
                    kind == LW::COLUMN_KIND_TEXT)
            << "column " << column << " kind " << kind;
      }
      // Ids outside the set, on both sides, sort as text.
      for (int outside : {-1000, -1, cat.columnCount(), cat.columnCount() + 1, 1000}) {
        EXPECT_EQ(LW::columnValueKind(tt(type), outside), LW::COLUMN_KIND_TEXT) << outside;
        EXPECT_FALSE(cat.numericColumns.contains(outside)) << outside;
      }
      for (int numeric : cat.numericColumns) {
        EXPECT_TRUE(cat.columnTitles.contains(numeric)) << numeric;
      }
      EXPECT_LE(cat.iconColumns.size(), 1);
      for (int icon : cat.iconColumns) EXPECT_TRUE(cat.columnTitles.contains(icon)) << icon;
    }
  }
}

TEST(ColumnCatalogue, favouritesColumnIsTheLastOfEveryListButTheTenders) {
  for (long long type : kTypes) {
    for (bool broker : {false, true}) {
      SCOPED_TRACE(name(type, broker));
      const CColumnCatalogue cat = CColumnCatalogue::build(tt(type), broker);
      const EColumnSet set = LW::columnSetOf(tt(type));
      if (set == EColumnSet::None) {
        EXPECT_EQ(cat.columnCount(), 0);
        EXPECT_EQ(cat.favoriteColumn, -1);
        EXPECT_TRUE(cat.iconColumns.isEmpty());
        continue;
      }
      ASSERT_GT(cat.columnCount(), 0);
      if (set == EColumnSet::BondTender) {
        // The tender list's rows act through its buttons, not favourites.
        EXPECT_EQ(cat.favoriteColumn, -1);
        EXPECT_FALSE(cat.columnTitles.values().contains(kFavourite));
        continue;
      }
      EXPECT_EQ(cat.favoriteColumn, cat.columnCount() - 1);
      EXPECT_EQ(cat.columnTitles.value(cat.favoriteColumn), kFavourite);
      EXPECT_EQ(cat.columnTitles.values().count(kFavourite), 1);
      EXPECT_FALSE(cat.numericColumns.contains(cat.favoriteColumn));
      EXPECT_EQ(LW::columnValueKind(tt(type), cat.favoriteColumn), LW::COLUMN_KIND_TEXT);
    }
  }
}

// Trading types that share a layout share the whole catalogue; a type
// without a layout (precious metals, repos, a combination of bits) has none.
TEST(ColumnCatalogue, typesOfOneColumnSetShareTheirCatalogue) {
  for (long long a : kTypes) {
    for (long long b : kTypes) {
      if (LW::columnSetOf(tt(a)) != LW::columnSetOf(tt(b))) continue;
      SCOPED_TRACE(name(a, false) + " and " + name(b, false));
      const CColumnCatalogue x = CColumnCatalogue::build(tt(a), false);
      const CColumnCatalogue y = CColumnCatalogue::build(tt(b), false);
      EXPECT_EQ(x.columnTitles, y.columnTitles);
      EXPECT_EQ(x.numericColumns, y.numericColumns);
      EXPECT_EQ(x.iconColumns, y.iconColumns);
      EXPECT_EQ(x.favoriteColumn, y.favoriteColumn);
      for (int column = 0; column < x.columnCount(); ++column) {
        EXPECT_EQ(LW::columnValueKind(tt(a), column), LW::columnValueKind(tt(b), column));
      }
    }
  }
  const struct {
    long long type;
    EColumnSet set;
  } sets[] = {{0x1, EColumnSet::Stock},        {0x100000, EColumnSet::Stock},
              {0x4, EColumnSet::Code},         {0x1000000, EColumnSet::Code},
              {0x40, EColumnSet::OuterFuture}, {0x800, EColumnSet::OuterFuture},
              {0x80, EColumnSet::HkStock},     {0x4000, EColumnSet::HkStock},
              {0x8000, EColumnSet::InterBank}, {0x2000000, EColumnSet::InterBank},
              {0x800000, EColumnSet::Mixed},   {0xC5DFF, EColumnSet::Mixed},
              {0x2000, EColumnSet::None},      {0x20000, EColumnSet::None},
              {1536, EColumnSet::None},        {-1, EColumnSet::None}};
  for (const auto& c : sets) EXPECT_EQ(LW::columnSetOf(tt(c.type)), c.set) << std::hex << c.type;
}

// The broker edition prices foreign futures in the exchange's own units: its
// catalogue is the standard one without the pricing-unit column, and every
// other list is the same in both editions.
TEST(ColumnCatalogue, brokerEditionOnlyDropsThePricingUnitOfForeignFutures) {
  for (long long type : kTypes) {
    SCOPED_TRACE(name(type, true));
    const CColumnCatalogue standard = CColumnCatalogue::build(tt(type), false);
    const CColumnCatalogue broker = CColumnCatalogue::build(tt(type), true);
    if (LW::columnSetOf(tt(type)) != EColumnSet::OuterFuture) {
      EXPECT_EQ(standard.columnTitles, broker.columnTitles);
      EXPECT_EQ(standard.numericColumns, broker.numericColumns);
      EXPECT_EQ(standard.favoriteColumn, broker.favoriteColumn);
      continue;
    }
    QStringList expected = standard.columnTitles.values();
    ASSERT_TRUE(expected.removeOne(QString::fromUtf8("计价单位")));
    EXPECT_EQ(broker.columnTitles.values(), expected);
    EXPECT_EQ(broker.favoriteColumn, standard.favoriteColumn - 1);
    EXPECT_EQ(broker.numericColumns, standard.numericColumns);  // all before the dropped one
  }
}

struct TagColumnCase {
  long long tradeType;
  int column;
};

TEST(ColumnCatalogue, tagIconColumnFollowsTheTradingTypeNotTheSet) {
  const TagColumnCase cases[] = {{0x1, 2},      {0x4, 2},        {0x8, 2},       {0x100, 1},
                                 {0x2, -1},     {0x80, -1},      {0x100000, -1}, {0x1000, -1},
                                 {0x10000, -1}, {0x8000000, -1}, {0, -1}};
  for (const TagColumnCase& c : cases) {
    EXPECT_EQ(LW::tagIconColumn(tt(c.tradeType)), c.column) << std::hex << c.tradeType;
    // The catalogue of the type's set has the icon column the rows use.
    if (c.column >= 0) {
      EXPECT_TRUE(CColumnCatalogue::build(tt(c.tradeType), false).iconColumns.contains(c.column));
    }
  }
}

}  // namespace
