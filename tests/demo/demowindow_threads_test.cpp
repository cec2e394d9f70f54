// The demo window against favourites changes made on other threads: the
// panels are only touched on the GUI thread, and a window being destroyed
// is never reached.
#include "demotestsupport.h"
#include "eventwait.h"

#include "host/services/userconfig.h"
#include "host/services/usermanager.h"
#include "host/table/ibasehpftabledata.h"
#include "panel/hpfinstable.h"
#include "panel/instrumentspanel.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <atomic>
#include <thread>

namespace demotest {
namespace {

class DemoWindowThreadsTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(installSampleData()) << "LW_SAMPLE_DATA not set"; }
  QTemporaryDir m_dir;
};

std::string notAFavourite(LW::CInstrumentsPanel* panel) {
  const QSet<QString> favourites = LW::getUserConfig()->getCodeSetByTradeType(64);
  for (int row = 0; row < panel->table()->viewRowCount(); ++row) {
    const std::string key = panel->table()->viewRowData(row)->key();
    if (!favourites.contains(QString::fromStdString(key))) return key;
  }
  return std::string();
}

TEST_F(DemoWindowThreadsTest, aFavouriteAddedOnAnotherThreadReachesThePanelOnTheGuiThread) {
  demo::CDemoWindow window(optionsWithPanels("64"), m_dir.filePath("layout.json"));
  window.openPanels();
  window.show();
  ASSERT_TRUE(waitForRows(window));
  LW::CInstrumentsPanel* panel = instrumentsPanel(window, 64);
  ASSERT_TRUE(panel);
  const std::string key = notAFavourite(panel);
  ASSERT_FALSE(key.empty());
  ASSERT_EQ(favouriteButtonState(panel, key), 1);

  std::thread other([&key] {
    LW::getUserConfig()->addFavourite(mxservice::NQ_TRADER_OUTER_FUTURE,
                                      QString::fromStdString(key));
  });
  other.join();
  // The change waits for the GUI thread: the panel was not touched yet.
  EXPECT_EQ(favouriteButtonState(panel, key), 1);
  EXPECT_TRUE(testsupport::waitFor([&] { return favouriteButtonState(panel, key) == 0; }));
  EXPECT_TRUE(logContains(window, QString::fromStdString(key)));
}

TEST_F(DemoWindowThreadsTest, favouritesChangingWhileWindowsComeAndGoReachNoDeadWindow) {
  // The other thread makes a bounded number of changes per window, so that
  // some are still queued, or still being made, when the window goes. An
  // unbounded stream would only measure how far the GUI thread falls behind.
  constexpr int kRounds = 6;
  constexpr int kChangesPerRound = 300;
  std::atomic<bool> stop{false};
  std::atomic<int> budget{0};
  std::atomic<int> changes{0};
  std::thread changer([&] {
    LW::CUserConfig* config = LW::getUserConfig();
    for (int round = 0; !stop.load();) {
      if (budget.load() <= 0) {
        std::this_thread::yield();
        continue;
      }
      const QString key = QStringLiteral("TEST%1.CME").arg(round++ % 7);
      if (!config->addFavourite(mxservice::NQ_TRADER_OUTER_FUTURE, key))
        config->removeFavourite(mxservice::NQ_TRADER_OUTER_FUTURE, key);
      --budget;
      ++changes;
    }
  });
  for (int round = 0; round < kRounds; ++round) {
    auto window =
        std::make_unique<demo::CDemoWindow>(optionsWithPanels("64"), m_dir.filePath("layout.json"));
    window->openPanels();
    budget += kChangesPerRound;
    for (int spin = 0; spin < 5; ++spin) QCoreApplication::processEvents();
    window.reset();  // with changes still queued for it, or still coming
  }
  EXPECT_TRUE(testsupport::waitFor([&] { return budget.load() <= 0; }, 30000));
  stop = true;
  changer.join();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(changes.load(), kRounds * kChangesPerRound);
  LW::getUserConfig()->clearFavourites();
}

}  // namespace
}  // namespace demotest
