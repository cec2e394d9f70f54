// The framework's widgets under a theme switch and what they tell
// accessibility clients about themselves.
#include "host/ui/autoexpandtoolbar.h"
#include "host/ui/checkbox.h"
#include "host/ui/lineedit.h"
#include "host/ui/searchtextlineedit.h"
#include "host/ui/simpletextwidget.h"
#include "host/ui/smallnonormalbutton.h"
#include "host/ui/softcalendarlineedit.h"
#include "host/ui/tradedockablewidget.h"
#include "host/ui/uiresource.h"

#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QAction>
#include <QImage>
#include <QTest>

namespace {

using GU::CUiResource;
using uitest::ThemeGuard;

QString accessibleText(QObject* object, QAccessible::Text type) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(type) : QStringLiteral("<no interface>");
}

// Counts paint events of a widget.
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

TEST(UiThemeWidgets, frameworkWidgetsTakeTheNewThemesColoursAndIcons) {
  ThemeGuard guard;
  CUiResource* resource = CUiResource::instance();
  ASSERT_TRUE(resource->setTheme("light"));
  QWidget window;
  window.resize(400, 120);
  auto* check = new GU::CCheckBox(3, QStringLiteral("仅显示有内部报量债券"), &window);
  auto* label = new GU::CSimpleTextWidget(QStringLiteral("查询: "), &window);
  label->setTextColorKey(QStringLiteral("clr_text_secondary"));
  auto* button = new GU::CSmallNoNormalButton(5, true, &window);
  auto* search = new GU::CSearchTextLineEdit(0, &window, true);
  auto* bar =
      new GU::CAutoExpandToolBar(QStringLiteral("lw_img_op_hedge_type_bg"), 2, 8, 2, 8, &window);
  bar->setGeometry(0, 60, 400, 32);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  const QImage lightBar = bar->grab().toImage();
  const QImage lightClear = search->clearAction()->icon().pixmap(14, 14).toImage();
  const QString lightStyle = button->styleSheet();
  PaintCounter barPaints(bar);

  ASSERT_TRUE(resource->setTheme("dark"));
  EXPECT_TRUE(uitest::waitFor([&] { return barPaints.paints > 0; }))
      << "the tool bar was not repainted after the switch";
  auto dark = [&](const char* key) { return resource->themeColor("dark", key); };
  EXPECT_EQ(check->palette().color(QPalette::WindowText), dark("clr_text_default"));
  EXPECT_EQ(label->palette().color(QPalette::WindowText), dark("clr_text_secondary"));
  EXPECT_NE(button->styleSheet(), lightStyle);
  EXPECT_TRUE(button->styleSheet().contains(dark("clr_button_primary_background").name()));
  EXPECT_NE(search->clearAction()->icon().pixmap(14, 14).toImage(), lightClear);
  const QImage darkBar = bar->grab().toImage();
  EXPECT_NE(darkBar, lightBar);
  EXPECT_EQ(QColor(darkBar.pixel(4, 16)).lightness() < 100, true) << "a dark bar";

  ASSERT_TRUE(resource->setTheme("light"));
  EXPECT_EQ(check->palette().color(QPalette::WindowText),
            resource->themeColor("light", "clr_text_default"));
  EXPECT_EQ(button->styleSheet(), lightStyle);
  EXPECT_EQ(bar->grab().toImage(), lightBar);
}

TEST(UiThemeWidgets, theEmptyHintFollowsTheThemeByKey) {
  ThemeGuard guard;
  CUiResource* resource = CUiResource::instance();
  GU::CLineEdit edit(4);
  edit.resize(200, 24);
  edit.setEmptyHintText(QStringLiteral("请输入内容, 按Enter键查询"));
  edit.setEmptyHintColor(QStringLiteral("clr_disable_color"));
  auto hintPixels = [&edit](const QColor& colour) {
    const QImage image = edit.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) count += QColor(image.pixel(x, y)) == colour;
    return count;
  };
  ASSERT_TRUE(resource->setTheme("light"));
  EXPECT_GT(hintPixels(resource->themeColor("light", "clr_disable_color")), 0);
  ASSERT_TRUE(resource->setTheme("dark"));
  EXPECT_GT(hintPixels(resource->themeColor("dark", "clr_disable_color")), 0);
  EXPECT_EQ(hintPixels(resource->themeColor("light", "clr_disable_color")), 0);
}

TEST(UiThemeWidgets, searchFieldsToolBarsAndPanelsHaveAccessibleNames) {
  QWidget window;
  auto* search = new GU::CSearchTextLineEdit(0, &window, false);
  auto* date = new GU::CSoftCalendarLineEdit(1, &window);
  auto* text = new GU::CLineEdit(4, &window);
  text->setEmptyHintText(QStringLiteral("请输入内容, 按Enter键查询"));
  auto* bar =
      new GU::CAutoExpandToolBar(QStringLiteral("lw_img_op_hedge_type_bg"), 2, 8, 2, 8, &window);
  auto* check = new GU::CCheckBox(3, QStringLiteral("仅显示有内部报量债券"), &window);
  auto* button = new GU::CSmallNoNormalButton(5, true, &window);
  button->setText(QStringLiteral("查询"));

  EXPECT_EQ(accessibleText(search, QAccessible::Name), QStringLiteral("搜索"));
  EXPECT_EQ(accessibleText(date, QAccessible::Name), QStringLiteral("日期"));
  EXPECT_EQ(accessibleText(text, QAccessible::Description),
            QStringLiteral("请输入内容, 按Enter键查询"));
  EXPECT_EQ(accessibleText(bar, QAccessible::Name), QStringLiteral("工具栏"));
  EXPECT_EQ(accessibleText(check, QAccessible::Name), QStringLiteral("仅显示有内部报量债券"));
  EXPECT_EQ(accessibleText(button, QAccessible::Name), QStringLiteral("查询"));
  // A changed hint follows; a description the host set stays.
  text->setEmptyHintText(QStringLiteral("代码"));
  EXPECT_EQ(accessibleText(text, QAccessible::Description), QStringLiteral("代码"));
  text->setAccessibleDescription(QStringLiteral("host's own"));
  text->setEmptyHintText(QStringLiteral("名称"));
  EXPECT_EQ(accessibleText(text, QAccessible::Description), QStringLiteral("host's own"));
  // An owner may name a field by its role in the panel.
  search->setAccessibleName(QStringLiteral("代码搜索"));
  EXPECT_EQ(accessibleText(search, QAccessible::Name), QStringLiteral("代码搜索"));
}

TEST(UiThemeWidgets, aPanelIsNamedAfterItsTitleUntilTheHostNamesIt) {
  LW::ITradeDockableWidget panel(QStringLiteral("itm"), 7,
                                 LW::ITradeDockableWidget::getDockWidgetInfo("itm"));
  EXPECT_EQ(accessibleText(&panel, QAccessible::Name), QStringLiteral("代码列表"));
  panel.setWindowTitle(QStringLiteral("股票列表"));
  EXPECT_EQ(accessibleText(&panel, QAccessible::Name), QStringLiteral("股票列表"));
  panel.setAccessibleName(QStringLiteral("主股票列表"));
  panel.setWindowTitle(QStringLiteral("合约列表"));
  EXPECT_EQ(accessibleText(&panel, QAccessible::Name), QStringLiteral("主股票列表"));
}

}  // namespace
