// The table as accessibility clients see it: a table of headers and cells
// whose texts are the painted ones, the current row as selection, and the
// buttons of a button column as push buttons whose press action does what a
// mouse click does.
#include "hpftestsupport.h"

#include <gtest/gtest.h>
#include <QAccessible>

using namespace hpftest;

namespace {

const int kButtonColumn = CButtonTable::kButtonColumn;

struct Fixture : CButtonTable {
  using CButtonTable::CButtonTable;
  QAccessibleInterface* tableInterface() const {
    return QAccessible::queryAccessibleInterface(table->viewport()->parentWidget());
  }
  QAccessibleTableInterface* cells() const { return tableInterface()->tableInterface(); }
  // The display position of column id among the shown columns.
  int position(int id) const {
    for (int column = 0; column < cells()->columnCount(); ++column)
      if (cells()->columnDescription(column) == table->columnTitle(id)) return column;
    return -1;
  }
  QAccessibleInterface* button(int viewRow, int index) const {
    QAccessibleInterface* cell = cells()->cellAt(viewRow, position(kButtonColumn));
    return cell ? cell->child(index) : nullptr;
  }
};

TEST(HpfAccessible, theViewIsATableOfColumnHeadersThenCellsRowByRow) {
  Fixture f;
  QAccessibleInterface* iface = f.tableInterface();
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->role(), QAccessible::Table);
  QAccessibleTableInterface* cells = iface->tableInterface();
  ASSERT_NE(cells, nullptr);
  EXPECT_EQ(cells->rowCount(), 3);
  ASSERT_EQ(cells->columnCount(), 4);
  EXPECT_EQ(iface->childCount(), 4 * (3 + 1));
  const QStringList titles = {QString::fromUtf8("代码"), QString::fromUtf8("价格"),
                              QString::fromUtf8("数量"), QString::fromUtf8("名称")};
  for (int column = 0; column < 4; ++column) {
    EXPECT_EQ(cells->columnDescription(column), titles[column]);
    QAccessibleInterface* header = iface->child(column);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(header->text(QAccessible::Name), titles[column]);
  }
  for (int index = 0; index < iface->childCount(); ++index) {
    QAccessibleInterface* child = iface->child(index);
    ASSERT_NE(child, nullptr) << index;
    EXPECT_EQ(iface->indexOfChild(child), index);
    EXPECT_EQ(child->parent(), iface);
    if (index >= 4) {
      QAccessibleTableCellInterface* cell = child->tableCellInterface();
      ASSERT_NE(cell, nullptr);
      EXPECT_EQ(cell->rowIndex(), index / 4 - 1);
      EXPECT_EQ(cell->columnIndex(), index % 4);
      EXPECT_EQ(cell->table(), iface);
      ASSERT_EQ(cell->columnHeaderCells().size(), 1);
      EXPECT_EQ(cell->columnHeaderCells().first(), iface->child(index % 4));
      EXPECT_EQ(cells->cellAt(index / 4 - 1, index % 4), child);
    }
  }
  EXPECT_EQ(iface->child(4 * 4), nullptr);
  EXPECT_EQ(cells->cellAt(3, 0), nullptr);
  EXPECT_EQ(cells->cellAt(0, 4), nullptr);
  EXPECT_EQ(cells->cellAt(-1, 0), nullptr);
  // A hidden column is not shown to clients either.
  f.table->setColumnHidden(COL_VOLUME, true);
  EXPECT_EQ(cells->columnCount(), 3);
  EXPECT_EQ(f.position(COL_VOLUME), -1);
}

TEST(HpfAccessible, aCellsTextIsTheTextThePainterDraws) {
  Fixture f;
  QAccessibleTableInterface* cells = f.cells();
  for (int row = 0; row < 3; ++row) {
    for (int id : {COL_CODE, COL_PRICE, COL_VOLUME}) {
      QAccessibleInterface* cell = cells->cellAt(row, f.position(id));
      ASSERT_NE(cell, nullptr);
      EXPECT_EQ(cell->role(), QAccessible::Cell);
      EXPECT_EQ(cell->text(QAccessible::Name), f.table->cellText(row, id)) << row << " " << id;
    }
  }
  EXPECT_EQ(cells->cellAt(1, f.position(COL_PRICE))->text(QAccessible::Name), "11.50");
  EXPECT_EQ(cells->cellAt(2, f.position(COL_CODE))->text(QAccessible::Name), "r2");
  // The screen position is the painted cell's.
  QAccessibleInterface* cell = cells->cellAt(1, f.position(COL_PRICE));
  const QRect painted = f.table->visualCellRect(1, COL_PRICE);
  EXPECT_EQ(cell->rect(),
            QRect(f.table->viewport()->mapToGlobal(painted.topLeft()), painted.size()));
  EXPECT_EQ(f.tableInterface()->childAt(cell->rect().center().x(), cell->rect().center().y()),
            cell);
  // Sorting moves the texts with the rows; a kept cell reads its place afresh.
  f.table->sortByColumn(COL_CODE, false);
  EXPECT_EQ(cells->cellAt(2, f.position(COL_CODE)), cells->cellAt(2, f.position(COL_CODE)));
  EXPECT_EQ(cells->cellAt(0, f.position(COL_CODE))->text(QAccessible::Name), "r2");
  // After a reload with fewer rows a kept cell of a gone row is invalid.
  QAccessibleInterface* last = cells->cellAt(2, f.position(COL_CODE));
  f.model->clear();
  f.model->addData(row("only"));
  f.table->updateTable();
  EXPECT_EQ(cells->rowCount(), 1);
  EXPECT_FALSE(last->isValid());
  EXPECT_TRUE(last->text(QAccessible::Name).isEmpty());
  EXPECT_EQ(cells->cellAt(0, f.position(COL_CODE))->text(QAccessible::Name), "only");
}

TEST(HpfAccessible, selectionIsTheCurrentRow) {
  Fixture f;
  QAccessibleTableInterface* cells = f.cells();
  EXPECT_EQ(cells->selectedRowCount(), 0);
  ASSERT_TRUE(cells->selectRow(2));
  EXPECT_EQ(f.table->currentViewRow(), 2);
  EXPECT_TRUE(cells->isRowSelected(2));
  EXPECT_EQ(cells->selectedRows(), QList<int>{2});
  EXPECT_EQ(cells->selectedCellCount(), 4);
  EXPECT_EQ(cells->selectedCells().size(), 4);
  EXPECT_TRUE(cells->cellAt(2, 0)->state().selected);
  EXPECT_FALSE(cells->cellAt(1, 0)->state().selected);
  f.table->setCurrentViewRow(1);
  EXPECT_EQ(cells->selectedRows(), QList<int>{1});
  EXPECT_FALSE(cells->unselectRow(2));
  EXPECT_TRUE(cells->unselectRow(1));
  EXPECT_EQ(f.table->currentViewRow(), -1);
  EXPECT_FALSE(cells->selectRow(3));
  EXPECT_FALSE(cells->selectRow(-1));
  EXPECT_FALSE(cells->selectColumn(0));
}

TEST(HpfAccessible, cellButtonsArePushButtonsNamedByTheirTexts) {
  Fixture f;
  f.delegate->setItemButtons("r1", lockAndRevoke(), true);
  QAccessibleInterface* cell = f.cells()->cellAt(1, f.position(kButtonColumn));
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->text(QAccessible::Name), QString::fromUtf8("锁定 撤销"));
  ASSERT_EQ(cell->childCount(), 2);
  QAccessibleInterface* lock = cell->child(0);
  ASSERT_NE(lock, nullptr);
  EXPECT_EQ(lock->role(), QAccessible::Button);
  EXPECT_EQ(lock->text(QAccessible::Name), QString::fromUtf8("锁定"));
  EXPECT_EQ(lock->text(QAccessible::Description), QString::fromUtf8("锁定招标"));
  EXPECT_EQ(lock->parent(), cell);
  EXPECT_EQ(cell->indexOfChild(lock), 0);
  ASSERT_NE(lock->actionInterface(), nullptr);
  EXPECT_EQ(lock->actionInterface()->actionNames(),
            QStringList{QAccessibleActionInterface::pressAction()});
  const QRect painted = f.delegate->buttonRects(f.table->visualCellRect(1, kButtonColumn), "r1")[0];
  EXPECT_EQ(lock->rect(),
            QRect(f.table->viewport()->mapToGlobal(painted.topLeft()), painted.size()));
  // Rows without buttons are empty cells.
  EXPECT_EQ(f.cells()->cellAt(0, f.position(kButtonColumn))->childCount(), 0);
  EXPECT_TRUE(f.cells()->cellAt(0, f.position(kButtonColumn))->text(QAccessible::Name).isEmpty());

  // Disabled: the revoke button hides itself, the lock button greys out and
  // offers no action.
  f.delegate->setItemEnabled("r1", false, true);
  EXPECT_EQ(cell->childCount(), 1);
  EXPECT_EQ(cell->text(QAccessible::Name), QString::fromUtf8("锁定"));
  EXPECT_TRUE(lock->state().disabled);
  EXPECT_TRUE(lock->actionInterface()->actionNames().isEmpty());
  f.sink.events.clear();
  lock->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(f.sink.events.empty());
}

TEST(HpfAccessible, pressingAButtonThroughItsActionDeliversWhatAMouseClickDelivers) {
  for (int index : {0, 1}) {
    SCOPED_TRACE(index);
    Fixture clicked;
    clicked.delegate->setItemButtons("r1", lockAndRevoke(), true);
    ASSERT_TRUE(clicked.clickButton(1, index));
    ASSERT_FALSE(clicked.sink.events.empty());

    Fixture pressed;
    pressed.delegate->setItemButtons("r1", lockAndRevoke(), true);
    QAccessibleInterface* button = pressed.button(1, index);
    ASSERT_NE(button, nullptr);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // The row click (43) then the button's event (228), the same values.
    EXPECT_EQ(pressed.sink.events, clicked.sink.events);
    bool sawButton = false;
    for (const SEvent& e : pressed.sink.events)
      sawButton = sawButton || (e.id == GU::HPF_EVENT_BUTTON_PRESSED && e.text == "r1");
    EXPECT_TRUE(sawButton);
    // An unknown action does nothing.
    pressed.sink.events.clear();
    button->actionInterface()->doAction(QStringLiteral("Explode"));
    EXPECT_TRUE(pressed.sink.events.empty());
  }
}

TEST(HpfAccessible, aButtonFollowsItsRowAndIsScrolledIntoViewToBePressed) {
  Fixture f(200);
  f.delegate->setItemButtons("r5", lockAndRevoke(), true);
  f.delegate->setItemButtons("r190", lockAndRevoke(), true);
  QAccessibleInterface* lock5 = f.button(5, 0);
  ASSERT_NE(lock5, nullptr);
  // Reversed order: r5 moves far down, off the screen.
  f.table->sortByColumn(COL_PRICE, false);
  EXPECT_TRUE(lock5->isValid());
  EXPECT_TRUE(lock5->state().offscreen);
  f.sink.events.clear();
  lock5->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  std::vector<SEvent> presses;
  for (const SEvent& e : f.sink.events)
    if (e.id == GU::HPF_EVENT_BUTTON_PRESSED) presses.push_back(e);
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].text, QStringLiteral("r5"));
  EXPECT_EQ(presses[0].lParam, 26);
  EXPECT_FALSE(lock5->state().offscreen);
  // A button whose row is gone is invalid and presses nothing.
  f.model->clear();
  f.model->addData(row("r0"));
  f.table->updateTable();
  EXPECT_FALSE(lock5->isValid());
  f.sink.events.clear();
  lock5->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(f.sink.events.empty());
}

TEST(HpfAccessible, theTableIsNamedAfterWhatHoldsIt) {
  Fixture f;
  f.sink.setWindowTitle(QString::fromUtf8("股票列表"));
  EXPECT_EQ(f.tableInterface()->text(QAccessible::Name), QString::fromUtf8("股票列表"));
  f.table->setAccessibleName(QString::fromUtf8("行情表"));
  EXPECT_EQ(f.tableInterface()->text(QAccessible::Name), QString::fromUtf8("行情表"));
}

}  // namespace
