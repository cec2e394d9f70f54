#include "host/ui/autoexpandtoolbar.h"

#include "host/ui/searchtextlineedit.h"
#include "host/ui/widgetlist.h"
#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using GU::CAutoExpandToolBar;

QWidget* fixedItem(QWidget* parent, int width) {
  auto* item = new QWidget(parent);
  item->setFixedSize(width, 20);
  return item;
}

TEST(AutoExpandToolBar, itemsWrapOntoNewRowsWhenTheWidthRunsOut) {
  struct Case {
    int width;
    int rows;
  };
  // Margins 8 at the sides, spacing 4, five items of 50: one row needs 282.
  const Case cases[] = {{400, 1}, {282, 1}, {281, 2}, {130, 3}, {60, 5}, {20, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new CAutoExpandToolBar("lw_img_op_hedge_type_bg", 2, 8, 2, 8, &host, -1, -1);
    for (int i = 0; i < 5; ++i) bar->addToolItem(fixedItem(bar, 50), false);
    layout->addWidget(bar);
    layout->addStretch(1);
    host.resize(c.width, 300);
    host.show();
    uitest::flushDeferredDeletes();
    EXPECT_EQ(bar->rowCount(), c.rows);
    // Every row is as tall as the tallest item or the theme's minimum, and
    // the bar's height covers them all.
    EXPECT_GE(bar->height(), c.rows * 20 + 4);
    EXPECT_EQ(bar->height(), bar->heightForWidth(bar->width()));
    for (QWidget* child : bar->findChildren<QWidget*>()) {
      EXPECT_GE(child->geometry().left(), 8);
      EXPECT_LE(child->geometry().bottom(), bar->height() - 1);
    }
  }
}

TEST(AutoExpandToolBar, hiddenItemsStayHiddenAndTakeNoRoom) {
  QWidget host;
  auto* bar = new CAutoExpandToolBar("lw_img_op_hedge_type_bg", 2, 8, 2, 8, &host);
  auto* first = fixedItem(bar, 40);
  auto* hidden = new GU::CSearchTextLineEdit(4, bar);
  hidden->hide();
  auto* last = fixedItem(bar, 40);
  bar->addToolItem(first);
  bar->addToolItem(hidden);
  bar->addFixedSpace(3);
  bar->addToolItem(last);
  bar->resize(400, bar->heightForWidth(400));
  host.show();
  uitest::flushDeferredDeletes();
  EXPECT_TRUE(hidden->isHidden());
  EXPECT_EQ(bar->itemCount(), 4);
  // first, gap 4, space 3, gap 4, last
  EXPECT_EQ(last->x(), first->x() + 40 + 4 + 3 + 4);
  hidden->show();
  uitest::flushDeferredDeletes();
  bar->resize(400, bar->heightForWidth(400));
  EXPECT_GT(last->x(), hidden->x());
}

TEST(AutoExpandToolBar, rightItemsEndTheRowWhateverTheCallOrder) {
  QWidget host;
  auto* bar = new CAutoExpandToolBar("lw_img_op_hedge_type_bg", 2, 8, 2, 8, &host);
  auto* right = fixedItem(bar, 30);
  auto* left = fixedItem(bar, 30);
  bar->addToolItem(right, true);
  bar->addToolItem(left, false);
  bar->resize(300, bar->heightForWidth(300));
  host.show();
  uitest::flushDeferredDeletes();
  EXPECT_EQ(left->x(), 8);
  EXPECT_EQ(right->geometry().right(), 300 - 8 - 1);
}

TEST(AutoExpandToolBar, unknownBackgroundIsLoggedAndStillPaints) {
  uitest::LogCapture log;
  CAutoExpandToolBar bar("img_no_such_toolbar_bg", 2, 8, 2, 8);
  bar.addToolItem(nullptr);  // ignored
  bar.resize(100, 30);
  EXPECT_FALSE(bar.grab().isNull());
  EXPECT_EQ(log.count("img_no_such_toolbar_bg"), 1);
  EXPECT_EQ(bar.itemCount(), 0);
}

TEST(WidgetList, fixedWidgetsKeepTheirSizeAndStretchWidgetsShareTheRest) {
  QWidget host;
  auto* list = new GU::CWidgetList(Qt::Vertical, &host);
  list->setMargin(1, 2, 3, 4);
  list->setSpacing(5);
  auto* bar = new CAutoExpandToolBar("lw_img_op_hedge_type_bg", 2, 8, 2, 8, list);
  bar->addToolItem(fixedItem(bar, 50));
  auto* table = new QWidget(list);
  auto* narrow = new QPushButton("x", list);
  list->addFixedWidget(bar, GU::CWidgetList::ANCHOR_FILL, false);
  list->addStretchWidget(table, 1, GU::CWidgetList::ANCHOR_FILL, false);
  list->addFixedWidget(narrow, GU::CWidgetList::ANCHOR_NONE, true);  // to the front
  list->addFixedWidget(nullptr, 3, false);
  EXPECT_EQ(list->count(), 3);
  list->resize(200, 300);
  host.show();
  uitest::flushDeferredDeletes();
  EXPECT_EQ(narrow->y(), 2);
  EXPECT_EQ(bar->y(), narrow->geometry().bottom() + 1 + 5);
  EXPECT_EQ(bar->x(), 1);
  EXPECT_EQ(bar->width(), 200 - 1 - 3);
  EXPECT_EQ(bar->height(), bar->heightForWidth(bar->width()));
  EXPECT_EQ(table->geometry().bottom(), 300 - 4 - 1);  // the rest goes to the table
  EXPECT_LT(narrow->width(), 200 - 4);                 // centred at its natural width
}

}  // namespace
