// The multi-buttons delegate in a table: presses become event 228 for the
// pressed button and row; disabled and hidden buttons do nothing.
#include "hpftestsupport.h"

#include <gtest/gtest.h>

using namespace hpftest;

namespace {

const int kButtonColumn = CButtonTable::kButtonColumn;
using Fixture = CButtonTable;

}  // namespace

TEST(HpfDelegate, theModelKnowsTheTablesDelegate) {
  Fixture f;
  EXPECT_EQ(f.model->columnDelegate(kButtonColumn), f.delegate);
  EXPECT_EQ(f.table->columnDelegate(kButtonColumn), f.delegate);
  EXPECT_FALSE(f.model->columnDelegate(COL_CODE));
  // A model attached later learns the delegates too.
  auto second = boost::make_shared<CTestModel>();
  f.table->setDataModel(second);
  EXPECT_EQ(second->columnDelegate(kButtonColumn), f.delegate);
}

TEST(HpfDelegate, buttonPressDelivers228WithButtonIdAndRowKey) {
  Fixture f;
  f.delegate->setItemButtons("r1", lockAndRevoke(), true);
  ASSERT_TRUE(f.clickButton(1, 1));
  std::vector<SEvent> events = f.buttonEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].wParam, 0);
  EXPECT_EQ(events[0].lParam, 16);
  EXPECT_EQ(events[0].text, QStringLiteral("r1"));
  EXPECT_EQ(events[0].firstInt, -999);
  // The same press is also a click on the row, with the button column's id.
  ASSERT_FALSE(f.sink.events.empty());
  EXPECT_EQ(f.sink.events[0].id, GU::HPF_EVENT_ROW_CLICKED);
  EXPECT_EQ(f.sink.events[0].firstInt, kButtonColumn);

  ASSERT_TRUE(f.clickButton(1, 0));
  events = f.buttonEvents();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].lParam, 26);
}

TEST(HpfDelegate, disabledHiddenOrMissingButtonsDeliverNothing) {
  struct Case {
    const char* name;
    bool enabled;
    bool visible;
    bool hideWhenDisabled;
    bool onScreen;  // whether the button can be clicked at all
  };
  const Case cases[] = {
      {"disabled", false, true, false, true},
      {"hidden", true, false, false, false},
      {"disabled and hidden when disabled", false, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    QVector<GU::ButtonData> buttons = lockAndRevoke();
    for (GU::ButtonData& b : buttons) b.hideWhenDisabled = c.hideWhenDisabled;
    f.delegate->setItemButtons("r0", buttons, true);
    f.delegate->setItemEnabled("r0", c.enabled, true);
    f.delegate->setItemVisible("r0", c.visible, true);
    EXPECT_EQ(f.delegate->isItemEnabled("r0"), c.enabled);
    EXPECT_EQ(f.delegate->isItemVisible("r0"), c.visible);
    if (c.onScreen) {
      EXPECT_TRUE(f.clickButton(0, 0));
    } else {
      EXPECT_FALSE(f.clickButton(0, 0));
      // Where the button would be: a plain row click.
      const QRect cell = f.table->visualCellRect(0, kButtonColumn);
      QTest::mouseClick(f.table->viewport(), Qt::LeftButton, Qt::NoModifier,
                        cell.topLeft() + QPoint(12, cell.height() / 2));
    }
    EXPECT_TRUE(f.buttonEvents().empty());
    f.delegate->setItemEnabled("r0", true, true);
    f.delegate->setItemVisible("r0", true, true);
    ASSERT_TRUE(f.clickButton(0, 0));
    EXPECT_EQ(f.buttonEvents().size(), 1u);
  }
}

TEST(HpfDelegate, releaseAwayFromThePressedButtonIsNoPress) {
  Fixture f;
  f.delegate->setItemButtons("r2", lockAndRevoke(), true);
  const QRect cell = f.table->visualCellRect(2, kButtonColumn);
  const QVector<QRect> rects = f.delegate->buttonRects(cell, "r2");
  QTest::mousePress(f.table->viewport(), Qt::LeftButton, Qt::NoModifier, rects[0].center());
  QTest::mouseRelease(f.table->viewport(), Qt::LeftButton, Qt::NoModifier, rects[1].center());
  EXPECT_TRUE(f.buttonEvents().empty());
  // The buttons changed between press and release: no press either.
  QTest::mousePress(f.table->viewport(), Qt::LeftButton, Qt::NoModifier, rects[0].center());
  f.delegate->setItemButtons("r2", {}, true);
  QTest::mouseRelease(f.table->viewport(), Qt::LeftButton, Qt::NoModifier, rects[0].center());
  EXPECT_TRUE(f.buttonEvents().empty());
}

TEST(HpfDelegate, stateIsKeptPerKeyAndClearedAtOnce) {
  GU::CBaseTableColumnMultiButtonsDelegate delegate(3, nullptr);
  EXPECT_TRUE(delegate.isItemEnabled("unknown"));
  EXPECT_TRUE(delegate.isItemVisible("unknown"));
  delegate.setItemEnabled("a", false, false);  // remembered before its buttons come
  delegate.setItemButtons("a", lockAndRevoke(), false);
  delegate.setItemButtons("b", lockAndRevoke().mid(0, 1), false);
  EXPECT_FALSE(delegate.isItemEnabled("a"));
  EXPECT_EQ(delegate.itemButtons("a"), lockAndRevoke());
  EXPECT_EQ(delegate.itemButtons("b").size(), 1);
  EXPECT_EQ(delegate.itemCount(), 2);
  delegate.clear();
  EXPECT_EQ(delegate.itemCount(), 0);
  EXPECT_TRUE(delegate.itemButtons("a").isEmpty());
  // Presses without a target are dropped, not delivered to a dangling one.
  delegate.setItemButtons("a", lockAndRevoke(), false);
  const QRect cell(0, 0, 200, 22);
  const QVector<QRect> rects = delegate.buttonRects(cell, "a");
  EXPECT_TRUE(delegate.mousePress(cell, rects[0].center(), "a"));
  delegate.mouseRelease(cell, rects[0].center(), "a");
}

TEST(HpfDelegate, tableGoingFirstLeavesTheSharedDelegateWithoutTarget) {
  auto model = boost::make_shared<CTestModel>();
  boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> delegate;
  {
    auto* table = new LW::CHpfDataTable(1, 550, nullptr, GU::MENU_FLAG_ALL);
    table->setDataModel(model);
    delegate = boost::make_shared<GU::CBaseTableColumnMultiButtonsDelegate>(COL_NAME, table);
    table->setColumnDelegate(COL_NAME, delegate);
    delete table;
  }
  EXPECT_EQ(delegate->target(), nullptr);
  EXPECT_EQ(model->columnDelegate(COL_NAME), delegate);
  delegate->setItemEnabled("x", false, true);  // repaint request to a gone table: ignored
  QCoreApplication::processEvents();
}
