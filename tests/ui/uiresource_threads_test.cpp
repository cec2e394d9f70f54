// Lookups from worker threads, as table rows make them while loading.
#include "host/ui/uiresource.h"

#include "uitesthelpers.h"

#include <gtest/gtest.h>
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

}  // namespace
