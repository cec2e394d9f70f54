// Lookups from worker threads, as table rows make them while loading.
#include "host/ui/uiresource.h"

#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <atomic>
#include <thread>

namespace {

TEST(UiResourceThreads, workersLookUpKnownAndUnknownKeysSafely) {
  GU::CUiResource* resource = GU::CUiResource::instance();  // GUI thread first
  const QPixmap* blank = resource->getPixmap("img_threads_warmup_unknown");
  uitest::LogCapture log;
  std::atomic<int> failures{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < 4; ++t) {
    workers.emplace_back([&, t] {
      for (int i = 0; i < 500; ++i) {
        if (!resource->getColor("clr_table_background2")->isValid()) ++failures;
        if (resource->getPixmap("img_code_gem_icon")->isNull()) ++failures;
        if (resource->getSize("lw_siz_setting_accounts_item_width") != 110) ++failures;
        if (resource->getFont("fnt_default_normal_fix")->pixelSize() <= 0) ++failures;
        // The same unknown key from every thread, and one per thread.
        if (resource->getPixmap("img_threads_shared_unknown") != blank) ++failures;
        if (!resource->getColor(QStringLiteral("clr_threads_unknown_%1").arg(t))) ++failures;
      }
    });
  }
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(log.count("img_threads_shared_unknown"), 1);
  for (int t = 0; t < 4; ++t)
    EXPECT_EQ(log.count(QStringLiteral("clr_threads_unknown_%1").arg(t).toStdString()), 1);
}

// Lookups from worker threads while the GUI thread switches themes: every
// pointer stays valid and every colour is one of the two themes'.
TEST(UiThemeThreads, workersReadColoursAndPixmapsWhileTheThemeSwitches) {
  GU::CUiResource* resource = GU::CUiResource::instance();
  ASSERT_TRUE(resource->setTheme("light"));
  const QColor light = resource->themeColor("light", "clr_table_background2");
  const QColor dark = resource->themeColor("dark", "clr_table_background2");
  ASSERT_NE(light, dark);
  std::atomic<bool> stop{false};
  std::atomic<int> failures{0};
  std::atomic<int> lookups{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < 3; ++t) {
    workers.emplace_back([&] {
      while (!stop.load()) {
        const QColor* color = resource->getColor("clr_table_background2");
        if (!color || (*color != light && *color != dark)) ++failures;
        const QPixmap* badge = resource->getPixmap("img_code_gem_icon", 2.0);
        if (!badge || badge->isNull()) ++failures;
        const QPixmap* bar = resource->getPixmap("lw_img_op_hedge_type_bg");
        if (!bar || bar->isNull()) ++failures;
        if (resource->pixmapForRatio(bar, 1.0) == nullptr) ++failures;
        ++lookups;
      }
    });
  }
  // The ratio-2 set is painted before the workers could miss it.
  resource->getPixmap("img_code_gem_icon", 2.0);
  // The switches start once the workers look up: on a loaded machine the
  // threads may otherwise first run after the last switch, and the test
  // would prove nothing (it failed so, with no lookup at all).
  while (lookups.load() == 0) std::this_thread::yield();
  for (int round = 0; round < 40; ++round) {
    ASSERT_TRUE(resource->setTheme(round % 2 ? "light" : "dark"));
    QCoreApplication::processEvents();
  }
  stop = true;
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_GT(lookups.load(), 0);
  resource->setTheme("light");
}

}  // namespace
