// The library's panels under the host's desk features: a theme switch
// repaints them in the new colours without a reload, and the favourites
// button can be pressed through accessibility with the same outcome as a
// click.
#include "paneltestsupport.h"

#include "bondinfo/bondinfopanel.h"
#include "eventwait.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/hpfdatatable.h"
#include "host/ui/uiresource.h"
#include "model/instrumentmodel.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

using namespace paneltest;

namespace {

const auto kStock = mxservice::NQ_TRADER_STOCK;
const auto kOuterFuture = mxservice::NQ_TRADER_OUTER_FUTURE;

class PaintCounter : public QObject {
public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class PanelUiTest : public HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    installSample();
  }
  void TearDown() override {
    GU::CUiResource::instance()->setTheme(QStringLiteral("light"));
    m_parents.clear();
    HostFixture::TearDown();
  }
  QWidget* shownParent() {
    m_parents.push_back(std::make_unique<EventRecorder>());
    m_parents.back()->consume = false;
    m_parents.back()->resize(1200, 400);
    return m_parents.back().get();
  }
  std::vector<std::unique_ptr<EventRecorder>> m_parents;
};

// The colour painted at the left edge of a table's first row.
QColor firstRowBackground(GU::CBaseHighPerformanceTable* table) {
  const QImage image = table->viewport()->grab().toImage();
  return QColor(image.pixel(1, table->rowHeight() / 2));
}

TEST_F(PanelUiTest, bothPanelsRepaintInTheNewThemeWithoutReloading) {
  GU::CUiResource* resource = GU::CUiResource::instance();
  ASSERT_TRUE(resource->setTheme("light"));
  QWidget* stocksParent = shownParent();
  auto* stocks = new PanelProbe(7, kStock, stocksParent);
  stocks->resize(1200, 400);
  QWidget* bondParent = shownParent();
  auto* bonds = new LW::CBondInfoPanel(8, bondParent);
  bonds->resize(1200, 400);
  stocksParent->show();
  bondParent->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(stocksParent));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(bondParent));
  settle(stocks);
  auto* bondTable = bonds->findChild<LW::CHpfDataTable*>();
  ASSERT_NE(bondTable, nullptr);
  ASSERT_GT(stocks->table()->viewRowCount(), 0);
  ASSERT_GT(bondTable->viewRowCount(), 0);
  EXPECT_EQ(firstRowBackground(stocks->table()),
            resource->themeColor("light", "clr_table_background"));

  LoadCounter stockLoads(stocks);
  QSignalSpy bondLoads(bonds, SIGNAL(sigInitBondInfo()));
  PaintCounter stockPaints(stocks->table()->viewport());
  PaintCounter bondPaints(bondTable->viewport());
  ASSERT_TRUE(resource->setTheme("dark"));
  EXPECT_TRUE(testsupport::waitFor([&] { return stockPaints.paints > 0 && bondPaints.paints > 0; }))
      << "instruments table paints " << stockPaints.paints << ", bond info table paints "
      << bondPaints.paints;
  // The rows are painted in the dark colours, with nothing loaded again.
  EXPECT_EQ(firstRowBackground(stocks->table()),
            resource->themeColor("dark", "clr_table_background"));
  EXPECT_EQ(firstRowBackground(bondTable), resource->themeColor("dark", "clr_table_background"));
  const QImage cells = stocks->table()->viewport()->grab().toImage();
  bool darkText = false;
  for (int x = 0; x < cells.width() && !darkText; ++x)
    darkText = QColor(cells.pixel(x, stocks->table()->rowHeight() / 2)) ==
               resource->themeColor("dark", "clr_text_default");
  EXPECT_TRUE(darkText) << "no cell text in the dark theme's text colour";
  EXPECT_EQ(stockLoads.loads(), 0);
  EXPECT_EQ(bondLoads.count(), 0);

  stockPaints.paints = 0;
  ASSERT_TRUE(resource->setTheme("light"));
  EXPECT_TRUE(testsupport::waitFor([&] { return stockPaints.paints > 0; }));
  EXPECT_EQ(firstRowBackground(stocks->table()),
            resource->themeColor("light", "clr_table_background"));
}

TEST_F(PanelUiTest, theFavouritesButtonPressedThroughAccessibilityEmitsWhatAClickEmits) {
  QWidget* parent = shownParent();
  auto* panel = new PanelProbe(7, kOuterFuture, parent);
  panel->resize(1200, 400);
  parent->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(parent));
  settle(panel);
  LW::CHpfInsTable* table = panel->table();
  const int favouriteColumn = table->model()->favoriteColumn();
  const int viewRow = viewRowOfKey(table, "ESM7.CME");
  ASSERT_GE(viewRow, 0);
  table->scrollToViewRow(viewRow);

  // A user's click.
  auto delegate = boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
      table->columnDelegate(favouriteColumn));
  ASSERT_TRUE(delegate);
  const QVector<QRect> buttons =
      delegate->buttonRects(table->visualCellRect(viewRow, favouriteColumn), "ESM7.CME");
  ASSERT_EQ(buttons.size(), 1);
  QSignalSpy clicked(panel, SIGNAL(sigSingleCodeOption(int, int, QString)));
  QSignalSpy clickedSelect(panel, SIGNAL(sigSelectStock(QString)));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, buttons[0].center());
  ASSERT_EQ(clicked.count(), 1);
  const QList<QVariant> clickedOption = clicked.takeFirst();
  const QList<QList<QVariant>> clickedSelections = clickedSelect;

  // The same button through the accessible tree.
  QAccessibleInterface* iface =
      QAccessible::queryAccessibleInterface(table->viewport()->parentWidget());
  ASSERT_NE(iface, nullptr);
  QAccessibleTableInterface* cells = iface->tableInterface();
  ASSERT_NE(cells, nullptr);
  int column = -1;
  for (int c = 0; c < cells->columnCount(); ++c)
    if (cells->columnDescription(c) == table->columnTitle(favouriteColumn)) column = c;
  ASSERT_GE(column, 0);
  QAccessibleInterface* cell = cells->cellAt(viewRow, column);
  ASSERT_NE(cell, nullptr);
  ASSERT_EQ(cell->childCount(), 1);
  QAccessibleInterface* button = cell->child(0);
  EXPECT_EQ(button->role(), QAccessible::Button);
  EXPECT_EQ(button->text(QAccessible::Name), cell->text(QAccessible::Name));
  ASSERT_NE(button->actionInterface(), nullptr);
  QSignalSpy pressed(panel, SIGNAL(sigSingleCodeOption(int, int, QString)));
  QSignalSpy pressedSelect(panel, SIGNAL(sigSelectStock(QString)));
  button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  ASSERT_EQ(pressed.count(), 1);
  EXPECT_EQ(pressed.at(0), clickedOption);
  EXPECT_EQ(pressed.at(0).at(2).toString(), QStringLiteral("ESM7.CME"));
  // The press is a click on the row as well, like the user's.
  EXPECT_EQ(QList<QList<QVariant>>(pressedSelect), clickedSelections);

  // A cell's text is what the table paints there.
  const int codeColumn = 0;
  QAccessibleInterface* first = cells->cellAt(viewRow, codeColumn);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->text(QAccessible::Name), table->cellText(viewRow, table->columnID(0)));
  // The panel and its search field are named.
  EXPECT_EQ(QAccessible::queryAccessibleInterface(panel)->text(QAccessible::Name),
            panel->windowTitle());
  EXPECT_EQ(iface->text(QAccessible::Name), panel->windowTitle());
}

}  // namespace
