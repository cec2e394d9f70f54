// The table's cached filter texts: the rows they keep are exactly the rows
// QStringMatcher(Qt::CaseInsensitive) keeps cell by cell, for every kind of
// text (case pairs, one-way folds, surrogate pairs, hits across two cells),
// and a table never filters with texts its rows no longer have.
#include "hpftestsupport.h"

#include "host/table/hpfdatatable.h"
#include "host/table/hpffiltercache.h"

#include <gtest/gtest.h>

#include <QStringMatcher>
#include <random>

using namespace hpftest;

namespace {

// A row whose texts the test changes in place, as a host record may.
class CEditableRow : public GU::IBaseHpfTableData {
public:
  CEditableRow(const std::string& key, const QString& code, const QString& name)
      : m_key(key), m_code(code), m_name(name) {}
  QString getDisplayQString(int column) override { return getQString(column); }
  QString getQString(int column) override {
    return column == COL_CODE ? m_code : column == COL_NAME ? m_name : QString();
  }
  double getDouble(int) override { return mxservice::kNoValueDouble; }
  int getInt(int) override { return mxservice::kNoValueInt; }
  std::string key() override { return m_key; }
  void setCode(const QString& code) { m_code = code; }

private:
  const std::string m_key;
  QString m_code;
  QString m_name;
};

// What the table did before it kept texts: row by row, cell by cell.
std::vector<int> referenceMatch(const GU::HpfRowVector& rows, const std::vector<int>& columns,
                                const QString& filter) {
  std::vector<int> order;
  const QStringMatcher matcher(filter, Qt::CaseInsensitive);
  for (size_t r = 0; r < rows.size(); ++r) {
    if (!rows[r]) continue;
    for (int column : columns) {
      if (matcher.indexIn(rows[r]->getFilterQString(column)) >= 0) {
        order.push_back(static_cast<int>(r));
        break;
      }
    }
  }
  return order;
}

GU::HpfRowSnapshot snapshotOf(const std::vector<std::pair<QString, QString>>& cells) {
  auto rows = boost::make_shared<GU::HpfRowVector>();
  for (size_t i = 0; i < cells.size(); ++i) {
    if (cells[i].first == QStringLiteral("<null>")) {
      rows->push_back(GU::HpfRowPtr());
      continue;
    }
    rows->push_back(
        boost::make_shared<CEditableRow>("k" + std::to_string(i), cells[i].first, cells[i].second));
  }
  return rows;
}

const std::vector<int> kColumns = {COL_CODE, COL_NAME};

TEST(HpfFilterCache, keepsTheRowsTheMatcherKeeps) {
  const QString deseretUpper = QString::fromUcs4(U"\U00010400");  // folds to U+10428
  const QString deseretLower = QString::fromUcs4(U"\U00010428");
  const std::vector<std::pair<QString, QString>> cells = {
      {"600000", QString::fromUtf8("浦发银行")},
      {"AbC", "xyz"},
      {"ab", "Cxyz"},  // "bc" only across the two cells
      {"", ""},
      {"<null>", ""},
      {QString::fromUtf8("STRASSE"), QString::fromUtf8("Straße")},
      {QString::fromUtf8("ΣΊΣΥΦΟΣ"), QString::fromUtf8("σίσυφος")},
      {QString::fromUtf8("İstanbul"), QString::fromUtf8("ıi")},
      {deseretUpper + "A", "b" + deseretLower},
      {"a" + QString(QChar(0xD801)), "lone"},  // a high surrogate alone
      {"600036", QString::fromUtf8("招商银行")},
  };
  const char* const filters[] = {"6000", "600",     "a",      "BC",      "bc", "xyzc", "ss",
                                 "ß",    "σίσυφος", "ΣΊΣ",    "i",       "İ",  "ı",    "银行",
                                 "0",    "lone",    "600036", "6000360", "A"};
  const GU::HpfRowSnapshot rows = snapshotOf(cells);
  GU::CHpfFilterCache cache;
  cache.build(rows, kColumns);
  ASSERT_TRUE(cache.isBuiltFor(rows, kColumns));
  for (const char* text : filters) {
    const QString filter = QString::fromUtf8(text);
    SCOPED_TRACE(text);
    std::vector<int> order;
    ASSERT_TRUE(cache.match(filter, order));
    EXPECT_EQ(order, referenceMatch(*rows, kColumns, filter));
  }
  // Filter texts with a surrogate are left to the caller.
  for (const QString& filter : {deseretUpper, deseretLower, QString(QChar(0xD801)), QString()}) {
    std::vector<int> order;
    EXPECT_FALSE(cache.match(filter, order));
    EXPECT_TRUE(order.empty());
  }
}

// Random texts over a small alphabet with case pairs, a one-way fold and a
// surrogate pair, so that hits, near misses and hits across cells are common.
TEST(HpfFilterCache, agreesWithTheMatcherOnRandomTexts) {
  const QString alphabet = QString::fromUtf8("aAbBΣσςİı6") + QString::fromUcs4(U"\U00010400");
  std::mt19937 random(20261207);
  const auto randomText = [&](int maxLength) {
    QString text;
    const int length = static_cast<int>(random() % static_cast<unsigned>(maxLength + 1));
    for (int i = 0; i < length; ++i) {
      const int at = static_cast<int>(random() % static_cast<unsigned>(alphabet.size()));
      // Whole surrogate pairs mostly, a lone half now and then.
      if (alphabet.at(at).isLowSurrogate() && random() % 4 != 0) continue;
      text += alphabet.at(at);
      if (alphabet.at(at).isHighSurrogate() && random() % 4 != 0) text += alphabet.at(at + 1);
    }
    return text;
  };
  for (int round = 0; round < 40; ++round) {
    std::vector<std::pair<QString, QString>> cells;
    for (int r = 0; r < 60; ++r) cells.emplace_back(randomText(6), randomText(6));
    const GU::HpfRowSnapshot rows = snapshotOf(cells);
    GU::CHpfFilterCache cache;
    cache.build(rows, kColumns);
    for (int f = 0; f < 30; ++f) {
      const QString filter = randomText(3);
      std::vector<int> order;
      if (!cache.match(filter, order)) continue;
      ASSERT_EQ(order, referenceMatch(*rows, kColumns, filter))
          << "round " << round << " filter " << filter.toStdString();
    }
  }
}

// Texts a row changes in place reach the filter at the next updateTable();
// a new snapshot or other filter columns are never answered from old texts.
TEST(HpfFilterCache, theTableNeverFiltersWithTextsItsRowsNoLongerHave) {
  auto model = boost::make_shared<CTestModel>();
  LW::CHpfDataTable table(1, 550, nullptr, GU::MENU_FLAG_ALL);
  table.setDataModel(model);
  auto alpha = boost::make_shared<CEditableRow>("k1", "alpha", "x");
  auto beta = boost::make_shared<CEditableRow>("k2", "beta", "y");
  model->addData(alpha);
  model->addData(beta);
  table.updateTable();
  table.setFilterText(QStringLiteral("ALP"));
  EXPECT_EQ(table.viewRowCount(), 1);
  alpha->setCode(QStringLiteral("gamma"));
  beta->setCode(QStringLiteral("alpine"));
  table.updateTable();
  ASSERT_EQ(table.viewRowCount(), 1);
  EXPECT_EQ(table.viewRowData(0)->key(), "k2");
  table.setFilterText(QStringLiteral("GAM"));
  ASSERT_EQ(table.viewRowCount(), 1);
  EXPECT_EQ(table.viewRowData(0)->key(), "k1");
  // The name column stops being searched: "y" finds nothing any more.
  table.setFilterText(QStringLiteral("y"));
  EXPECT_EQ(table.viewRowCount(), 1);
  table.setColumnFilterable(COL_NAME, false);
  EXPECT_EQ(table.viewRowCount(), 0);
  table.setFilterText(QString());
  EXPECT_EQ(table.viewRowCount(), 2);
}

}  // namespace
