// The row store of the table model: keys, in-place replacement, bounds,
// batches, snapshots, comparison and sorting.
#include "hpftestsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

using namespace hpftest;

namespace {

std::vector<std::string> keys(std::initializer_list<const char*> list) {
  return std::vector<std::string>(list.begin(), list.end());
}

std::vector<std::string> sorted(const GU::IBaseHpfTableModel& model, const GU::HpfRowVector& rows,
                                int column, bool ascending) {
  std::vector<int> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  model.sortByColumnID(rows, order, column, ascending);
  std::vector<std::string> keys;
  for (int i : order) keys.push_back(rows[static_cast<size_t>(i)]->key());
  return keys;
}

}  // namespace

TEST(HpfRowModel, addDataWithHeldKeyReplacesInPlaceAndKeepsPosition) {
  CTestModel model;
  ASSERT_TRUE(model.addData(row("a", 1)));
  ASSERT_TRUE(model.addData(row("b", 2)));
  ASSERT_TRUE(model.addData(row("c", 3)));
  GU::HpfRowPtr replacement = row("b", 20);
  ASSERT_TRUE(model.addData(replacement));
  EXPECT_EQ(keysOf(model.getAllDatas()), keys({"a", "b", "c"}));
  EXPECT_EQ(model.getDataByKey(std::string("b")), replacement);
  EXPECT_EQ(model.rowCount(), 3);
}

TEST(HpfRowModel, updateDataReplacesHeldKeyAndIgnoresUnknownKey) {
  struct Case {
    const char* key;
    bool held;
  };
  for (const Case& c : {Case{"b", true}, Case{"zz", false}, Case{"", false}}) {
    SCOPED_TRACE(c.key);
    CTestModel model;
    model.addData(row("a"));
    model.addData(row("b"));
    GU::HpfRowPtr update = row(c.key, 99);
    EXPECT_EQ(model.updateData(update), c.held);
    EXPECT_EQ(model.rowCount(), 2);  // an update never adds
    EXPECT_EQ(keysOf(model.getAllDatas()), keys({"a", "b"}));
    EXPECT_EQ(model.getDataByKey(std::string(c.key)) == update, c.held);
  }
  CTestModel model;
  EXPECT_FALSE(model.updateData(GU::HpfRowPtr()));
}

TEST(HpfRowModel, nullRowsAndRowsWithoutKeyAreRefused) {
  CTestModel model;
  EXPECT_FALSE(model.addData(GU::HpfRowPtr()));
  EXPECT_FALSE(model.addData(row("")));
  EXPECT_EQ(model.rowCount(), 0);
}

TEST(HpfRowModel, removeDataByKeyKeepsTheKeyIndexOfLaterRowsRight) {
  CTestModel model;
  for (const char* k : {"a", "b", "c", "d"}) model.addData(row(k));
  EXPECT_TRUE(model.removeDataByKey("b"));
  EXPECT_FALSE(model.removeDataByKey("b"));
  EXPECT_EQ(keysOf(model.getAllDatas()), keys({"a", "c", "d"}));
  // Rows after the removed one moved up; replacing them must hit the right slot.
  GU::HpfRowPtr d2 = row("d", 5);
  EXPECT_TRUE(model.updateData(d2));
  EXPECT_EQ(model.getAllDatas()[2], d2);
  EXPECT_TRUE(model.addData(row("c", 7)));
  EXPECT_EQ(keysOf(model.getAllDatas()), keys({"a", "c", "d"}));
  EXPECT_EQ(model.getDataByKey(QStringLiteral("c"))->getDouble(COL_PRICE), 7);
}

// A literal key once matched the QString and the std::string overloads alike
// and did not compile.
TEST(HpfRowModel, getDataByKeyTakesALiteralAsTheSameKey) {
  CTestModel model;
  const GU::HpfRowPtr stock = row("600000.SH");
  const GU::HpfRowPtr named = row(u8"黄金.SGE");
  model.addData(stock);
  model.addData(named);
  EXPECT_EQ(model.getDataByKey("600000.SH"), stock);
  EXPECT_EQ(model.getDataByKey(u8"黄金.SGE"), named);
  EXPECT_EQ(model.getDataByKey(QString::fromUtf8(u8"黄金.SGE")), named);
  EXPECT_FALSE(model.getDataByKey("600000"));
  EXPECT_FALSE(model.getDataByKey(""));
  const char* none = nullptr;
  EXPECT_FALSE(model.getDataByKey(none));
  // Through the interface, as a host holds the model.
  const GU::IBaseHpfTableModel& base = model;
  EXPECT_EQ(base.getDataByKey("600000.SH"), stock);
}

// Model-checker style: every index either names exactly the row at that
// position or yields null; no index reads outside the rows.
TEST(HpfRowModel, rowAccessIsBoundsChecked) {
  CTestModel model;
  const int n = 5;
  for (int i = 0; i < n; ++i) model.addData(row("k" + std::to_string(i)));
  const std::vector<int> indices = {INT_MIN, -2, -1, 0, 1, n - 1, n, n + 1, INT_MAX};
  auto check = [&](const std::vector<std::string>& expected) {
    for (int index : indices) {
      SCOPED_TRACE(index);
      GU::HpfRowPtr r = model.getData(index);
      if (index >= 0 && index < static_cast<int>(expected.size())) {
        ASSERT_TRUE(r);
        EXPECT_EQ(r->key(), expected[static_cast<size_t>(index)]);
      } else {
        EXPECT_FALSE(r);
      }
    }
  };
  check(keysOf(model.getAllDatas()));
  EXPECT_FALSE(model.getDataByKey(std::string("missing")));
  EXPECT_FALSE(model.getDataByKey(QString()));

  // Published rows answer getData() until the next publish, whatever the
  // current rows do meanwhile: a click index stays meaningful.
  GU::HpfRowSnapshot shown = model.publishRows();
  model.clear();
  EXPECT_EQ(model.rowCount(), 0);
  check(keysOf(*shown));
  model.publishRows();
  check({});
}

TEST(HpfRowModel, batchKeepsRowsUncommittedUntilItEnds) {
  CTestModel model;
  model.addData(row("old"));
  int notified = 0;
  model.setRowsCommittedListener([&notified]() { ++notified; });

  model.beginBatch();
  model.clear();
  model.addData(row("new1"));
  model.beginBatch();  // nested
  model.addData(row("new2"));
  model.endBatch();
  EXPECT_TRUE(model.hasUncommittedRows());
  EXPECT_EQ(keysOf(*model.committedRows()), keys({"old"}));
  EXPECT_EQ(keysOf(*model.publishRows()), keys({"old"}));
  // The current rows are visible to key lookups at once.
  EXPECT_TRUE(model.getDataByKey(std::string("new2")));
  EXPECT_EQ(notified, 0);
  model.endBatch();
  EXPECT_FALSE(model.hasUncommittedRows());
  EXPECT_EQ(keysOf(*model.committedRows()), keys({"new1", "new2"}));
  EXPECT_EQ(notified, 1);

  // A batch that changes nothing commits nothing.
  model.beginBatch();
  model.endBatch();
  EXPECT_EQ(notified, 1);
  // Outside a batch each change commits.
  model.addData(row("x"));
  EXPECT_EQ(notified, 2);
  // An unbalanced end is ignored.
  model.endBatch();
  EXPECT_EQ(notified, 2);
  model.setRowsCommittedListener(boost::function<void()>());
}

TEST(HpfRowModel, snapshotsDoNotChangeWhenTheRowsDo) {
  CTestModel model;
  model.addData(row("a"));
  model.addData(row("b"));
  GU::HpfRowSnapshot before = model.committedRows();
  model.updateData(row("a", 5));
  model.removeDataByKey("b");
  model.addData(row("c"));
  EXPECT_EQ(keysOf(*before), keys({"a", "b"}));
  EXPECT_EQ((*before)[0]->getDouble(COL_PRICE), 1.0);
  EXPECT_EQ(keysOf(*model.committedRows()), keys({"a", "c"}));
}

TEST(HpfRowModel, compareOrdersMissingRowsAndNoValuesFirst) {
  CTestModel model;
  const double none = mxservice::kNoValueDouble;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    GU::HpfRowPtr a, b;
    int column;
    int expected;
  };
  const Case cases[] = {
      {"missing a", GU::HpfRowPtr(), row("b"), COL_PRICE, -1},
      {"missing b", row("a"), GU::HpfRowPtr(), COL_PRICE, 1},
      {"both missing", GU::HpfRowPtr(), GU::HpfRowPtr(), COL_PRICE, 0},
      {"double less", row("a", 1.0), row("b", 2.0), COL_PRICE, -1},
      {"double within tick", row("a", 1.0), row("b", 1.0 + 1e-12), COL_PRICE, 0},
      {"no value below value", row("a", none), row("b", -1e300), COL_PRICE, -1},
      {"value above no value", row("a", -5), row("b", none), COL_PRICE, 1},
      {"both no value", row("a", none), row("b", none), COL_PRICE, 0},
      {"nan sorts as no value", row("a", nan), row("b", 0.0), COL_PRICE, -1},
      {"int less", row("a", 0, 1), row("b", 0, 2), COL_VOLUME, -1},
      {"int no value", row("a", 0, mxservice::kNoValueInt), row("b", 0, INT_MIN), COL_VOLUME, -1},
      {"int extremes do not overflow", row("a", 0, INT_MIN), row("b", 0, INT_MAX - 1), COL_VOLUME,
       -1},
      {"text", row("a", 0, 0, "abc"), row("b", 0, 0, "abd"), COL_NAME, -1},
      {"text case-sensitive", row("a", 0, 0, "B"), row("b", 0, 0, "a"), COL_NAME, -1},
      {"text equal", row("a", 0, 0, "x"), row("b", 0, 0, "x"), COL_NAME, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(model.compare(c.a, c.b, c.column), c.expected);
  }
}

TEST(HpfRowModel, sortIsStableInBothDirections) {
  CTestModel model;
  // Equal prices in a known model order: "a1" < "a2" < "a3" by position.
  GU::HpfRowVector rows = {row("a1", 2), row("b", 1),  row("a2", 2),
                           row("c", 3),  row("a3", 2), row("n", mxservice::kNoValueDouble)};
  struct Case {
    bool ascending;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {true, {"n", "b", "a1", "a2", "a3", "c"}},
      {false, {"c", "a1", "a2", "a3", "b", "n"}},
  };
  for (const Case& c : cases) EXPECT_EQ(sorted(model, rows, COL_PRICE, c.ascending), c.expected);
  // Indices outside the rows are dropped, not followed.
  std::vector<int> bad = {0, 99, -1, 1};
  model.sortByColumnID(rows, bad, COL_PRICE, true);
  EXPECT_EQ(bad, (std::vector<int>{1, 0}));
}

namespace {

// Compares prices the other way round and ignores the no-value marker: a
// model with rules of its own, which the sort must follow.
class CReversedModel : public CTestModel {
public:
  int compare(const GU::HpfRowPtr& a, const GU::HpfRowPtr& b, int column) const override {
    if (column != COL_PRICE) return CTestModel::compare(a, b, column);
    const double x = a->getDouble(column), y = b->getDouble(column);
    return x > y ? -1 : (x < y ? 1 : 0);
  }
};

}  // namespace

TEST(HpfRowModel, sortFollowsAModelsOwnCompare) {
  CReversedModel model;
  GU::HpfRowVector rows = {row("a", 2), row("b", 1), row("c", 3), row("d", 1),
                           row("n", mxservice::kNoValueDouble)};
  EXPECT_EQ(sorted(model, rows, COL_PRICE, true),
            (std::vector<std::string>{"n", "c", "a", "b", "d"}));
  EXPECT_EQ(sorted(model, rows, COL_PRICE, false),
            (std::vector<std::string>{"b", "d", "a", "c", "n"}));
}

TEST(HpfRowModel, valuesWithinTheCompareTickKeepModelOrder) {
  CTestModel model;
  // Model order puts the slightly larger value first; the default compare
  // calls them equal, so a stable sort keeps them as they are.
  GU::HpfRowVector rows = {row("later", 1.0 + 1e-12), row("x", 0.5), row("earlier", 1.0),
                           row("y", 2.0)};
  EXPECT_EQ(sorted(model, rows, COL_PRICE, true),
            (std::vector<std::string>{"x", "later", "earlier", "y"}));
  EXPECT_EQ(sorted(model, rows, COL_PRICE, false),
            (std::vector<std::string>{"y", "later", "earlier", "x"}));
  // Text and integer columns, with equal values and missing rows.
  GU::HpfRowVector mixed = {row("p", 0, 5, "b"), GU::HpfRowPtr(), row("q", 0, 5, "a"),
                            row("r", 0, mxservice::kNoValueInt, "b")};
  std::vector<int> order = {0, 1, 2, 3};
  model.sortByColumnID(mixed, order, COL_VOLUME, true);
  EXPECT_EQ(order, (std::vector<int>{1, 3, 0, 2}));
  order = {0, 1, 2, 3};
  model.sortByColumnID(mixed, order, COL_NAME, false);
  EXPECT_EQ(order, (std::vector<int>{0, 3, 2, 1}));
}

// The keyed sort of number columns must give exactly the order of a stable
// sort by compare(): no-values, NaN, both zeros, infinities, extremes and
// ties, null rows, in both directions, from model order (as tables hand
// the rows over).
TEST(HpfRowModel, numberSortsAgreeWithAStableSortByCompare) {
  CTestModel model;
  const double inf = std::numeric_limits<double>::infinity();
  const double prices[] = {mxservice::kNoValueDouble,
                           std::numeric_limits<double>::quiet_NaN(),
                           -0.0,
                           0.0,
                           -inf,
                           inf,
                           -1e300,
                           -1.5,
                           1.5,
                           2.0,
                           std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::denorm_min(),
                           -std::numeric_limits<double>::denorm_min()};
  const int volumes[] = {
      mxservice::kNoValueInt,         std::numeric_limits<int>::min() + 1, -5, 0, 5,
      std::numeric_limits<int>::max()};
  std::mt19937 random(5);
  GU::HpfRowVector rows;
  for (int i = 0; i < 3000; ++i) {
    if (i % 500 == 7) {
      rows.push_back(GU::HpfRowPtr());
      continue;
    }
    rows.push_back(row("r" + std::to_string(i), prices[random() % std::size(prices)],
                       volumes[random() % std::size(volumes)]));
  }
  for (const int column : {int(COL_PRICE), int(COL_VOLUME)}) {
    for (const bool ascending : {true, false}) {
      SCOPED_TRACE(testing::Message() << "column " << column << " ascending " << ascending);
      std::vector<int> order(rows.size());
      std::iota(order.begin(), order.end(), 0);
      std::vector<int> expected(rows.size());
      std::iota(expected.begin(), expected.end(), 0);
      std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
        const int c =
            model.compare(rows[static_cast<size_t>(a)], rows[static_cast<size_t>(b)], column);
        return ascending ? c < 0 : c > 0;
      });
      model.sortByColumnID(rows, order, column, ascending);
      ASSERT_EQ(order, expected);
    }
  }
}

// Short texts (which the sort tells apart by their first four units and
// their length), texts that differ only after those four units or by a
// trailing U+0000, surrogate pairs and missing rows, in random order.
TEST(HpfRowModel, textSortAgreesWithStableSortByCompare) {
  CTestModel model;
  const QString nul(QChar(0));
  const QString texts[] = {QString(),
                           QStringLiteral("A"),
                           QStringLiteral("A") + nul,
                           QStringLiteral("AB"),
                           QStringLiteral("ABCD"),
                           QStringLiteral("ABCD") + nul,
                           QStringLiteral("ABCDE"),
                           QStringLiteral("ABCDF"),
                           QStringLiteral("ABC") + nul + QStringLiteral("X"),
                           QStringLiteral("a"),
                           QString::fromUtf8("平安银行"),
                           QString::fromUtf8("平安银行A"),
                           QString::fromUtf8("\xF0\x9F\x98\x80"),
                           QString::fromUtf8("\xEF\xBF\xBF")};
  std::mt19937 random(9);
  GU::HpfRowVector rows;
  for (int i = 0; i < 2000; ++i) {
    if (i % 400 == 3) {
      rows.push_back(GU::HpfRowPtr());
      continue;
    }
    rows.push_back(row("r" + std::to_string(i), 1.0, 1, texts[random() % std::size(texts)]));
  }
  for (const bool ascending : {true, false}) {
    SCOPED_TRACE(testing::Message() << "ascending " << ascending);
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> expected = order;
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
      const int c =
          model.compare(rows[static_cast<size_t>(a)], rows[static_cast<size_t>(b)], COL_NAME);
      return ascending ? c < 0 : c > 0;
    });
    model.sortByColumnID(rows, order, COL_NAME, ascending);
    ASSERT_EQ(order, expected);
  }
}

namespace {

// Compares prices by their size, not their sign: the keyed sort disagrees
// with it, so sorting takes the plain compare() path.
class CPriceSizeModel : public CTestModel {
public:
  int compare(const GU::HpfRowPtr& a, const GU::HpfRowPtr& b, int column) const override {
    if (column != COL_PRICE || !a || !b) return CTestModel::compare(a, b, column);
    const double x = std::fabs(a->getDouble(COL_PRICE));
    const double y = std::fabs(b->getDouble(COL_PRICE));
    return x < y ? -1 : (y < x ? 1 : 0);
  }
};

}  // namespace

// A sort is the stable sort by compare() of the order it is given: equal rows
// keep that order, whether it is model order or not, and whether the keyed
// sort or the plain compare() path does the work.
TEST(HpfRowModel, equalRowsKeepTheOrderTheyWereGivenInOnEverySortPath) {
  CTestModel keyed;
  CPriceSizeModel plain;
  const double prices[] = {-2.0, -1.0, 1.0, 2.0, 3.0};
  const QString names[] = {QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("c")};
  std::mt19937 random(11);
  GU::HpfRowVector rows;
  for (int i = 0; i < 400; ++i) {
    rows.push_back(row("r" + std::to_string(i), prices[random() % std::size(prices)],
                       int(random() % 4), names[random() % std::size(names)]));
  }
  std::vector<int> modelOrder(rows.size());
  std::iota(modelOrder.begin(), modelOrder.end(), 0);
  std::vector<int> shuffled = modelOrder;
  std::shuffle(shuffled.begin(), shuffled.end(), random);
  std::vector<int> subset;  // part of the rows, in no particular order
  for (size_t i = 0; i < shuffled.size(); i += 3) subset.push_back(shuffled[i]);

  struct Case {
    const char* name;
    const CTestModel* model;
    const std::vector<int>* given;
  };
  for (const Case& c :
       {Case{"keyed, model order", &keyed, &modelOrder}, Case{"keyed, shuffled", &keyed, &shuffled},
        Case{"keyed, subset", &keyed, &subset}, Case{"plain, model order", &plain, &modelOrder},
        Case{"plain, shuffled", &plain, &shuffled}, Case{"plain, subset", &plain, &subset}}) {
    for (const int column : {int(COL_PRICE), int(COL_VOLUME), int(COL_NAME)}) {
      for (const bool ascending : {true, false}) {
        SCOPED_TRACE(testing::Message()
                     << c.name << ", column " << column << ", ascending " << ascending);
        std::vector<int> expected = *c.given;
        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
          const int r =
              c.model->compare(rows[static_cast<size_t>(a)], rows[static_cast<size_t>(b)], column);
          return ascending ? r < 0 : r > 0;
        });
        std::vector<int> order = *c.given;
        c.model->sortByColumnID(rows, order, column, ascending);
        ASSERT_EQ(order, expected);
      }
    }
  }
}
