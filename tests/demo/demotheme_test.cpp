// The demo's theme menu: a choice switches the theme at once and is
// remembered beside the layout file; a screenshot run writes nothing.
#include "demotestsupport.h"

#include "demothememenu.h"

#include "host/ui/uiresource.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>

namespace demotest {
namespace {

class DemoThemeTest : public DemoTest {
protected:
  void TearDown() override { GU::CUiResource::instance()->setTheme(QStringLiteral("light")); }
  QString themeFile() const { return demo::CDemoThemeMenu::settingsFileBeside(layoutFile()); }
};

QAction* themeAction(const demo::CDemoWindow& window, const QString& text) {
  return menuAction(window, QStringLiteral("主题"), text);
}

TEST_F(DemoThemeTest, aThemeChosenInTheMenuIsAppliedAndRemembered) {
  EXPECT_EQ(themeFile(), m_dir.filePath("instruments-demo.ini"));
  EXPECT_TRUE(demo::CDemoThemeMenu::savedTheme(themeFile()).isEmpty());
  {
    demo::CDemoWindow window(optionsWithPanels("1"), layoutFile());
    QAction* dark = themeAction(window, QStringLiteral("深色"));
    QAction* light = themeAction(window, QStringLiteral("浅色"));
    ASSERT_NE(dark, nullptr);
    ASSERT_NE(light, nullptr);
    EXPECT_TRUE(light->isChecked());
    dark->trigger();
    EXPECT_EQ(GU::CUiResource::instance()->theme(), "dark");
    EXPECT_TRUE(dark->isChecked());
    EXPECT_FALSE(light->isChecked());
  }
  EXPECT_EQ(demo::CDemoThemeMenu::savedTheme(themeFile()), "dark");

  // A switch made elsewhere (the host's own call) shows in the menu.
  demo::CDemoWindow window(optionsWithPanels("1"), layoutFile());
  EXPECT_TRUE(themeAction(window, QStringLiteral("深色"))->isChecked());
  GU::CUiResource::instance()->setTheme("light");
  EXPECT_TRUE(themeAction(window, QStringLiteral("浅色"))->isChecked());
  EXPECT_FALSE(themeAction(window, QStringLiteral("深色"))->isChecked());
  // Only a menu choice is saved.
  EXPECT_EQ(demo::CDemoThemeMenu::savedTheme(themeFile()), "dark");
}

TEST_F(DemoThemeTest, aScreenshotRunWritesNoTheme) {
  demo::CDemoOptions options = optionsWithPanels("1");
  options.screenshotFile = m_dir.filePath("shot.png");
  demo::CDemoWindow window(options, layoutFile());
  themeAction(window, QStringLiteral("深色"))->trigger();
  EXPECT_EQ(GU::CUiResource::instance()->theme(), "dark");
  EXPECT_FALSE(QFile::exists(themeFile()));
}

TEST_F(DemoThemeTest, aDamagedSettingsFileRemembersNoTheme) {
  QFile file(themeFile());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\\x00\\xff[ui\\ntheme=\\n\\x01garbage");
  file.close();
  EXPECT_TRUE(demo::CDemoThemeMenu::savedTheme(themeFile()).isEmpty());
  EXPECT_TRUE(demo::CDemoThemeMenu::savedTheme(m_dir.filePath("missing.ini")).isEmpty());
  EXPECT_TRUE(demo::CDemoThemeMenu::savedTheme(QString()).isEmpty());
}

}  // namespace
}  // namespace demotest
