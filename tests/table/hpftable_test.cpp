// The table widget: clicks, keyboard, header sorting, layouts, filter, copy
// and export, painting at every pixel ratio, and the hand-over to new rows
// at updateTable().
#include "eventwait.h"
#include "hpftestsupport.h"

#include "host/table/hpfdatatable.h"
#include "host/table/hpftablelayout.h"
#include "host/ui/uiresource.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using namespace hpftest;

namespace {

// A panel's table: sees its own events first and keeps a log of them, then
// lets the standard table pass them on.
class CLoggingTable : public LW::CHpfDataTable {
public:
  explicit CLoggingTable(QWidget* parent) : LW::CHpfDataTable(1, 550, parent, GU::MENU_FLAG_ALL) {}
  bool handleEvent(int id, int wParam, int lParam, QString text, void* data) override {
    seen.push_back(id);
    return LW::CHpfDataTable::handleEvent(id, wParam, lParam, text, data);
  }
  std::vector<int> seen;
};

struct Fixture {
  Fixture() : model(boost::make_shared<CTestModel>()) {
    sink.resize(700, 400);
    table = new CLoggingTable(&sink);
    table->setGeometry(0, 0, 700, 400);
    table->setDataModel(model);
    sink.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&sink));
  }
  void load(const std::vector<GU::HpfRowPtr>& rows) {
    model->clear();
    for (const GU::HpfRowPtr& r : rows) model->addData(r);
    table->updateTable();
  }
  std::vector<std::string> shownKeys() const {
    std::vector<std::string> keys;
    for (int i = 0; i < table->viewRowCount(); ++i) keys.push_back(table->viewRowData(i)->key());
    return keys;
  }
  QPoint cellCentre(int viewRow, int id) const {
    return table->visualCellRect(viewRow, id).center();
  }
  QHeaderView* header() const { return table->findChild<QHeaderView*>(); }
  void clickHeader(int id) {
    QHeaderView* h = header();
    const int logical = h->logicalIndex(table->columnIndex(id));
    QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(h->sectionViewportPosition(logical) + 10, h->height() / 2));
  }

  CEventSink sink;
  CLoggingTable* table;
  boost::shared_ptr<CTestModel> model;
};

std::vector<GU::HpfRowPtr> fiveRows() {
  return {row("A", 3.0, 10, "alpha"), row("B", 1.0, 20, "beta"), row("C", 2.0, 30, "gamma"),
          row("D", 1.0, 40, "delta"), row("E", 5.0, 50, "epsilon")};
}

}  // namespace

TEST(HpfTable, columnsComeFromTheModelInItsOrder) {
  Fixture f;
  ASSERT_EQ(f.table->columnCount(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.table->columnID(i), i);
  EXPECT_EQ(f.table->columnID(-1), -1);
  EXPECT_EQ(f.table->columnID(4), -1);
  EXPECT_EQ(f.table->columnTitle(COL_PRICE), QString::fromUtf8("价格"));
  EXPECT_EQ(f.table->getDataModel(), f.model);
}

TEST(HpfTable, rowClickReachesTheTableFirstThenTheParentWithModelRowAndColumn) {
  Fixture f;
  f.load(fiveRows());
  f.table->sortByColumn(COL_PRICE, false);  // view order differs from model order
  ASSERT_EQ(f.shownKeys(), (std::vector<std::string>{"E", "A", "C", "B", "D"}));

  QTest::mouseClick(f.table->viewport(), Qt::LeftButton, Qt::NoModifier,
                    f.cellCentre(1, COL_VOLUME));
  ASSERT_EQ(f.sink.events.size(), 1u);
  const SEvent& e = f.sink.events[0];
  EXPECT_EQ(e.id, GU::HPF_EVENT_ROW_CLICKED);
  EXPECT_EQ(e.wParam, GU::HPF_CLICK_LEFT);
  EXPECT_EQ(e.lParam, 0);  // "A" is model row 0
  EXPECT_EQ(e.text, QStringLiteral("A"));
  EXPECT_EQ(e.firstInt, COL_VOLUME);
  EXPECT_EQ(f.table->seen, std::vector<int>{GU::HPF_EVENT_ROW_CLICKED});
  EXPECT_EQ(f.model->getData(e.lParam)->key(), "A");
  EXPECT_EQ(f.table->currentViewRow(), 1);

  // Below the last row: nothing.
  QTest::mouseClick(f.table->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(5, f.table->viewport()->height() - 2));
  EXPECT_EQ(f.sink.events.size(), 1u);
}

TEST(HpfTable, keyboardMovesTheCurrentRowAndEnterSelectsIt) {
  Fixture f;
  std::vector<GU::HpfRowPtr> rows;
  for (int i = 0; i < 100; ++i) rows.push_back(row("k" + std::to_string(i), i));
  f.load(rows);
  QWidget* view = f.table->viewport()->parentWidget();
  view->setFocus();
  const int page = f.table->viewport()->height() / f.table->rowHeight();
  struct Step {
    Qt::Key key;
    int expected;
  };
  const Step steps[] = {{Qt::Key_Down, 0},
                        {Qt::Key_Down, 1},
                        {Qt::Key_Up, 0},
                        {Qt::Key_Up, 0},
                        {Qt::Key_End, 99},
                        {Qt::Key_Down, 99},
                        {Qt::Key_PageUp, 99 - page},
                        {Qt::Key_Home, 0},
                        {Qt::Key_PageDown, page}};
  for (const Step& s : steps) {
    QTest::keyClick(view, s.key);
    EXPECT_EQ(f.table->currentViewRow(), s.expected) << s.key;
  }
  QTest::keyClick(view, Qt::Key_Return);
  ASSERT_EQ(f.sink.events.size(), 1u);
  EXPECT_EQ(f.sink.events[0].wParam, GU::HPF_CLICK_KEYBOARD);
  EXPECT_EQ(f.sink.events[0].lParam, page);
  EXPECT_EQ(f.sink.events[0].firstInt, -1);
  // The current row is scrolled into view.
  EXPECT_TRUE(f.table->viewport()->rect().intersects(f.table->visualCellRect(page, COL_CODE)));
}

TEST(HpfTable, headerClickSortsStablyAndTogglesDirection) {
  Fixture f;
  f.load(fiveRows());
  f.clickHeader(COL_PRICE);
  EXPECT_EQ(f.table->sortColumn(), COL_PRICE);
  EXPECT_TRUE(f.table->sortAscending());
  EXPECT_EQ(f.shownKeys(), (std::vector<std::string>{"B", "D", "C", "A", "E"}));
  f.clickHeader(COL_PRICE);
  EXPECT_FALSE(f.table->sortAscending());
  EXPECT_EQ(f.shownKeys(), (std::vector<std::string>{"E", "A", "C", "B", "D"}));
  f.clickHeader(COL_NAME);
  EXPECT_EQ(f.shownKeys(), (std::vector<std::string>{"A", "B", "D", "E", "C"}));

  // A table that must not sort ignores header clicks and keeps its order.
  f.table->setFlag(f.table->flag() & ~GU::TABLE_FLAG_SORTABLE);
  f.clickHeader(COL_VOLUME);
  EXPECT_EQ(f.table->sortColumn(), COL_NAME);
  EXPECT_EQ(f.shownKeys(), (std::vector<std::string>{"A", "B", "D", "E", "C"}));
}

TEST(HpfTable, sortAndSelectionSurviveAReload) {
  Fixture f;
  f.load(fiveRows());
  f.table->sortByColumn(COL_PRICE, true);
  f.table->setCurrentViewRow(2);  // "C"
  f.load({row("Z", 0.5), row("C", 9.0), row("B", 1.0)});
  EXPECT_EQ(f.shownKeys(), (std::vector<std::string>{"Z", "B", "C"}));
  EXPECT_EQ(f.table->currentViewRow(), 2);
  f.load({row("Q", 1.0)});
  EXPECT_EQ(f.table->currentViewRow(), -1);
}

TEST(HpfTable, updateTableKeepsItsSnapshotUntilCalledAgain) {
  Fixture f;
  f.load(fiveRows());
  f.model->clear();
  f.model->addData(row("X"));
  EXPECT_EQ(f.table->viewRowCount(), 5);  // no change before updateTable()
  EXPECT_EQ(f.table->viewRowData(4)->key(), "E");
  f.table->updateTable();
  EXPECT_EQ(f.shownKeys(), std::vector<std::string>{"X"});
}

TEST(HpfTable, updateTableDuringABatchShowsTheLastCompleteRowsThenCatchesUp) {
  Fixture f;
  f.load(fiveRows());
  f.model->beginBatch();
  f.model->clear();
  f.model->addData(row("N1"));
  f.table->updateTable();
  EXPECT_EQ(f.table->viewRowCount(), 5);  // never the half-built list
  f.model->addData(row("N2"));
  f.model->endBatch();
  ASSERT_TRUE(testsupport::waitFor([&] { return f.table->viewRowCount() == 2; }));
  EXPECT_EQ(f.shownKeys(), (std::vector<std::string>{"N1", "N2"}));
}

TEST(HpfTable, layoutRoundTripRestoresOrderWidthsHiddenColumnsAndSort) {
  Fixture f;
  f.load(fiveRows());
  f.table->moveColumn(COL_NAME, 0);
  f.table->setColumnWidth(COL_PRICE, 137);
  f.table->setColumnHidden(COL_VOLUME, true);
  f.table->sortByColumn(COL_PRICE, false);
  const QString saved = f.table->saveConfigStr();

  Fixture g;
  g.load(fiveRows());
  ASSERT_TRUE(g.table->loadConfigStr(saved)) << saved.toStdString();
  EXPECT_EQ(g.table->columnID(0), COL_NAME);
  EXPECT_EQ(g.table->columnID(1), COL_CODE);
  EXPECT_EQ(g.table->columnWidth(COL_PRICE), 137);
  EXPECT_TRUE(g.table->isColumnHidden(COL_VOLUME));
  EXPECT_FALSE(g.table->isColumnHidden(COL_PRICE));
  EXPECT_EQ(g.table->sortColumn(), COL_PRICE);
  EXPECT_FALSE(g.table->sortAscending());
  EXPECT_EQ(g.shownKeys(), f.shownKeys());
  EXPECT_EQ(g.table->saveConfigStr(), saved);

  g.table->resetLayout();
  EXPECT_EQ(g.table->columnID(0), COL_CODE);
  EXPECT_FALSE(g.table->isColumnHidden(COL_VOLUME));
}

// Found by fuzz_table_layout: the header refused widths below 16 pixels that
// the layout text allows, so a loaded width of 10 came back as 16 (and
// setColumnWidth() could leave the column's width and the header apart).
TEST(HpfTable, layoutWidthsAtTheBoundsOfTheTextFormatAreAppliedExactly) {
  const int widths[] = {GU::CHpfTableLayout::kMinWidth, 10, 15, 16, GU::CHpfTableLayout::kMaxWidth};
  for (int width : widths) {
    SCOPED_TRACE(width);
    Fixture f;
    f.load(fiveRows());
    const QString saved = f.table->saveConfigStr();
    const QString edited =
        signedLayout(saved.left(saved.lastIndexOf(QStringLiteral(";crc=")))
                         .replace(QRegularExpression(QStringLiteral("cols=0:\\d+:")),
                                  QStringLiteral("cols=0:%1:").arg(width)));
    ASSERT_TRUE(edited.contains(QStringLiteral("cols=0:%1:").arg(width))) << saved.toStdString();

    ASSERT_TRUE(f.table->loadConfigStr(edited)) << edited.toStdString();
    const int logical = f.header()->logicalIndex(f.table->columnIndex(COL_CODE));
    EXPECT_EQ(f.table->columnWidth(COL_CODE), width);
    EXPECT_EQ(f.header()->sectionSize(logical), width);
    EXPECT_EQ(f.table->saveConfigStr().toStdString(), edited.toStdString());

    // The same bounds through the setter, also when the header already has
    // the size asked for (no resize signal to bring the two together).
    f.table->setColumnWidth(COL_VOLUME, width);
    f.table->setColumnWidth(COL_VOLUME, width);
    const int logical2 = f.header()->logicalIndex(f.table->columnIndex(COL_VOLUME));
    EXPECT_EQ(f.table->columnWidth(COL_VOLUME), width);
    EXPECT_EQ(f.header()->sectionSize(logical2), width);
  }
}

TEST(HpfTable, badLayoutTextsKeepTheCurrentLayout) {
  Fixture f;
  f.load(fiveRows());
  const QString good = f.table->saveConfigStr();
  // A layout of another table kind and one that hides every column.
  QWidget other;
  LW::CHpfDataTable foreign(2, 551, &other, GU::MENU_FLAG_ALL);
  foreign.setDataModel(boost::make_shared<CTestModel>());
  LW::CHpfDataTable otherTrade(2, 550, &other, GU::MENU_FLAG_ALL);
  otherTrade.setTradeType(mxservice::NQ_TRADER_FUTURE);
  otherTrade.setDataModel(boost::make_shared<CTestModel>());
  LW::CHpfDataTable allHidden(2, 550, &other, GU::MENU_FLAG_ALL);
  allHidden.setDataModel(boost::make_shared<CTestModel>());
  for (int id = 0; id < 4; ++id) allHidden.setColumnHidden(id, true);
  // A layout that names a column this table does not have.
  LW::CHpfDataTable wider(2, 550, &other, GU::MENU_FLAG_ALL);
  wider.setDataModel(boost::make_shared<CTestModel>());
  wider.addColumn(GU::CColumnProperty(QStringLiteral("x"), GU::HPF_KIND_TEXT, 0), false, true,
                  QString());

  const QStringList texts = {QString(),
                             QStringLiteral("   "),
                             QStringLiteral("garbage"),
                             good.left(good.size() / 2),
                             good.left(good.size() - 1),
                             good + QStringLiteral("x"),
                             foreign.saveConfigStr(),
                             otherTrade.saveConfigStr(),
                             allHidden.saveConfigStr(),
                             wider.saveConfigStr(),
                             QString::fromUtf8("HPFT1;\xc3\x28\xa0\xa1;crc=zzzz")};
  f.table->moveColumn(COL_PRICE, 0);
  f.table->sortByColumn(COL_VOLUME, false);
  const QString before = f.table->saveConfigStr();
  for (const QString& text : texts) {
    SCOPED_TRACE(text.toStdString());
    EXPECT_FALSE(f.table->loadConfigStr(text));
    EXPECT_EQ(f.table->saveConfigStr(), before);
  }
}

TEST(HpfTable, filterKeepsRowsWhoseFilterableColumnsContainTheText) {
  Fixture f;
  f.load(fiveRows());
  f.table->setFilterText(QStringLiteral("ETA"));  // beta, zeta-like names, case-insensitive
  EXPECT_EQ(f.shownKeys(), (std::vector<std::string>{"B"}));
  f.table->setFilterText(QStringLiteral("a"));
  EXPECT_EQ(f.shownKeys(), (std::vector<std::string>{"A", "B", "C", "D"}));
  f.table->setColumnFilterable(COL_NAME, false);
  EXPECT_EQ(f.shownKeys(), (std::vector<std::string>{"A"}));  // only the code "A" matches
  f.table->setFilterText(QString());
  EXPECT_EQ(f.table->viewRowCount(), 5);
}

TEST(HpfTable, contextMenuCopiesTheRowAndExportsCsv) {
  Fixture f;
  f.load({row("A", 1.5, 10, QStringLiteral("a, \"quoted\"")), row("B", 2.0, 20, "=SUM(A1)")});
  f.table->setColumnHidden(COL_VOLUME, true);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("out.csv"));
  QString suggested;
  f.table->setExportPathProvider([&](const QString& s) {
    suggested = s;
    return path;
  });
  std::unique_ptr<QMenu> menu(f.table->createContextMenu(0, COL_PRICE, nullptr));
  ASSERT_TRUE(menu);
  QStringList texts;
  for (QAction* action : menu->actions()) texts << action->text();
  EXPECT_TRUE(texts.contains(QString::fromUtf8("复制")));
  EXPECT_TRUE(texts.contains(QString::fromUtf8("导出")));
  for (QAction* action : menu->actions()) {
    if (action->text() == QString::fromUtf8("复制")) action->trigger();
  }
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("A\t1.50\ta, \"quoted\""));
  for (QAction* action : menu->actions()) {
    if (action->text() == QString::fromUtf8("导出")) action->trigger();
  }
  EXPECT_FALSE(suggested.isEmpty());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray content = file.readAll();
  EXPECT_TRUE(content.startsWith("\xef\xbb\xbf"));
  EXPECT_EQ(
      QString::fromUtf8(content.mid(3)),
      QString::fromUtf8("代码,价格,名称\r\nA,1.50,\"a, \"\"quoted\"\"\"\r\nB,2.00,'=SUM(A1)\r\n"));

  // A failing target reports failure instead of leaving a half file.
  QString error;
  EXPECT_FALSE(f.table->exportCsv(dir.filePath(QStringLiteral("missing/dir/out.csv")), &error));
  EXPECT_FALSE(error.isEmpty());

  // Tables without menu entries offer no menu.
  LW::CHpfDataTable bare(3, 550, nullptr, GU::MENU_FLAG_NONE);
  EXPECT_EQ(bare.createContextMenu(0, 0, nullptr), nullptr);
}

TEST(HpfTable, addedColumnsShowExtraCellsAndSortByThem) {
  Fixture f;
  f.load(fiveRows());
  const int id = f.table->addColumn(
      GU::CColumnProperty(QStringLiteral("calc"), GU::HPF_KIND_DOUBLE, 0), false, true, QString());
  EXPECT_EQ(id, GU::CBaseHighPerformanceTable::firstExtraColumnId());
  EXPECT_EQ(f.table->columnCount(), 5);
  EXPECT_EQ(f.table->columnID(4), id);
  GU::CHpfExtraDataModel* extra = f.table->getExtraDataModel();
  extra->addData("A", id, 2.5, nullptr);
  extra->addData("B", id, -1.0, nullptr);
  extra->addData("C", id, std::numeric_limits<double>::infinity(), nullptr);
  extra->addData("D", id, QStringLiteral("n/a"), nullptr);
  f.table->updateTable();
  EXPECT_EQ(f.table->cellText(0, id), QStringLiteral("2.5"));
  EXPECT_EQ(f.table->cellText(2, id), QString::fromUtf8("非法值"));
  EXPECT_EQ(f.table->cellText(4, id), QString());
  f.table->sortByColumn(id, true);
  // No value first, then unparsable text, then numbers.
  EXPECT_EQ(f.shownKeys(), (std::vector<std::string>{"E", "D", "B", "A", "C"}));
  // A second column with the same ordinal gets another id.
  const int second =
      f.table->addColumn(GU::CColumnProperty(QStringLiteral("x"), 10, 0), true, true, QString());
  EXPECT_NE(second, id);
  EXPECT_TRUE(f.table->isColumnHidden(second));
  EXPECT_TRUE(f.table->removeColumn(id));
  EXPECT_FALSE(f.table->removeColumn(id));
  EXPECT_EQ(f.table->sortColumn(), -1);
  EXPECT_EQ(f.table->columnCount(), 5);
}

namespace {

// Paints row 1 in a colour of its own and gives column 0 an icon.
class CColouredModel : public CTestModel {
public:
  const QColor* getRowBackgroundColor(int row) const override {
    static const QColor red(200, 0, 0);
    return row == 1 ? &red : nullptr;
  }
};

class CIconRow : public CTestRow {
public:
  using CTestRow::CTestRow;
  const QPixmap* getIcon(int column) override {
    static const QPixmap icon = [] {
      QPixmap p(16, 16);
      p.fill(Qt::blue);
      return p;
    }();
    return column == COL_CODE ? &icon : nullptr;
  }
  QString getIconTip(int column) override {
    return column == COL_CODE ? QString::fromUtf8("创业板") : QString();
  }
};

}  // namespace

TEST(HpfTable, paintsModelRowColoursAndIconsWithTheirTips) {
  CEventSink sink;
  sink.resize(600, 300);
  auto* table = new LW::CHpfDataTable(1, 550, &sink, GU::MENU_FLAG_ALL);
  table->setGeometry(0, 0, 600, 300);
  auto model = boost::make_shared<CColouredModel>();
  table->setDataModel(model);
  table->setColumnShowIcon(COL_CODE, true);
  for (int i = 0; i < 3; ++i)
    model->addData(boost::make_shared<CIconRow>("r" + std::to_string(i), 1.0, 1, QString()));
  table->updateTable();
  sink.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&sink));

  const QImage image = table->viewport()->grab().toImage();
  const QRect row1 = table->visualCellRect(1, COL_NAME);
  EXPECT_EQ(QColor(image.pixel(row1.right() - 2, row1.center().y())), QColor(200, 0, 0));
  const QRect row0 = table->visualCellRect(0, COL_NAME);
  EXPECT_NE(QColor(image.pixel(row0.right() - 2, row0.center().y())), QColor(200, 0, 0));
  const QRect icon = table->visualCellRect(2, COL_CODE);
  EXPECT_EQ(QColor(image.pixel(icon.left() + 8, icon.center().y())), QColor(Qt::blue));
  // Without the icon flag the column shows no icon.
  table->setColumnShowIcon(COL_CODE, false);
  const QImage plain = table->viewport()->grab().toImage();
  EXPECT_NE(QColor(plain.pixel(icon.left() + 8, icon.center().y())), QColor(Qt::blue));
  table->setColumnShowIcon(COL_CODE, true);

  QHelpEvent help(QEvent::ToolTip, QPoint(icon.left() + 8, icon.center().y()),
                  table->viewport()->mapToGlobal(QPoint(icon.left() + 8, icon.center().y())));
  QCoreApplication::sendEvent(table->viewport(), &help);
  EXPECT_TRUE(testsupport::waitFor([] { return QToolTip::text() == QString::fromUtf8("创业板"); }));
}

// The header's column model through Qt's model checker while columns are
// added, moved, removed and the model is replaced.
TEST(HpfTable, headerColumnModelPassesTheModelChecker) {
  Fixture f;
  QAbstractItemModel* headerModel = f.header()->model();
  QAbstractItemModelTester tester(headerModel,
                                  QAbstractItemModelTester::FailureReportingMode::Fatal);
  const int a = f.table->addColumn(GU::CColumnProperty(QStringLiteral("a"), 10, 0), false, true,
                                   QStringLiteral("tip"));
  const int b =
      f.table->addColumn(GU::CColumnProperty(QStringLiteral("b"), 6, 1), false, true, QString());
  EXPECT_EQ(headerModel->columnCount(), 6);
  EXPECT_EQ(headerModel->headerData(4, Qt::Horizontal, Qt::ToolTipRole).toString(),
            QStringLiteral("tip"));
  f.table->moveColumn(b, 0);
  EXPECT_TRUE(f.table->removeColumn(COL_PRICE));
  f.table->setDataModel(boost::make_shared<CTestModel>());
  // Model columns come back, added columns stay.
  EXPECT_EQ(headerModel->columnCount(), 6);
  EXPECT_TRUE(f.table->hasColumn(a));
  EXPECT_TRUE(f.table->hasColumn(COL_PRICE));
  f.table->setDataModel(boost::shared_ptr<GU::IBaseHpfTableModel>());
  EXPECT_EQ(f.table->columnCount(), 2);
  EXPECT_EQ(f.table->viewRowCount(), 0);
}

namespace {

const char kBadge[] = "img_code_gem_icon";

// A row whose code column shows a tag badge, obtained as a row does: by key,
// without knowing any screen.
class CBadgeRow : public CTestRow {
public:
  using CTestRow::CTestRow;
  const QPixmap* getIcon(int column) override {
    return column == COL_CODE ? GU::CUiResource::instance()->getPixmap(kBadge) : nullptr;
  }
};

// Whether the opaque pixels of badge appear unchanged in image at (x, y).
bool containsBadgeAt(const QImage& image, const QImage& badge, int x, int y) {
  int opaque = 0;
  for (int by = 0; by < badge.height(); ++by) {
    for (int bx = 0; bx < badge.width(); ++bx) {
      const QRgb pixel = badge.pixel(bx, by);
      if (qAlpha(pixel) != 255) continue;
      ++opaque;
      if (image.pixel(x + bx, y + by) != pixel) return false;
    }
  }
  return opaque > badge.width() * badge.height() / 2;
}

}  // namespace

// The table at 150% and 200%: a row's tag icon is drawn from the pixmap
// painted for the device's pixel ratio, pixel for pixel, not a 100% pixmap
// scaled up.
TEST(HpfTableHighDpi, rowIconsAreDrawnFromThePixmapOfTheDevicesRatio) {
  auto model = boost::make_shared<CTestModel>();
  CEventSink sink;
  auto* table = new LW::CHpfDataTable(1, 550, &sink, GU::MENU_FLAG_ALL);
  table->setGeometry(0, 0, 500, 200);
  table->setDataModel(model);
  table->setColumnShowIcon(COL_CODE, true);
  table->setColumnWidth(COL_CODE, 120);
  model->addData(boost::make_shared<CBadgeRow>("600000", 1.0, 1, QString()));
  table->updateTable();
  sink.resize(500, 200);
  sink.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&sink));

  const QRect cell = table->visualCellRect(0, COL_CODE);
  ASSERT_FALSE(cell.isEmpty());
  for (qreal ratio : {1.0, 1.5, 2.0}) {
    SCOPED_TRACE(ratio);
    QWidget* viewport = table->viewport();
    QPixmap canvas(viewport->size() * ratio);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::white);
    viewport->render(&canvas);
    const QImage image = canvas.toImage();
    const QImage badge = GU::CUiResource::instance()->getPixmap(kBadge, ratio)->toImage();
    // The badge sits in the square left of the text, centred, on whole
    // device pixels.
    const int side = qMin(table->rowHeight() - 4, cell.width() - 8);
    const qreal left = cell.left() + 4 + (side - 16) / 2.0;
    const qreal top = cell.top() + (table->rowHeight() - side) / 2 + (side - 16) / 2.0;
    const int x = qRound(left * ratio);
    const int y = qRound(top * ratio);
    EXPECT_TRUE(containsBadgeAt(image, badge, x, y))
        << "badge not found pixel for pixel at " << x << "," << y;
  }
}
