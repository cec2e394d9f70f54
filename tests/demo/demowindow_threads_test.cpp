// The demo window against favourites changes made on other threads: the
// panels are only touched on the GUI thread, and a window being destroyed
// is never reached.
#include "demologpane.h"
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
#include <vector>

namespace demotest {
namespace {

using DemoWindowThreadsTest = DemoTest;

std::string notAFavourite(LW::CInstrumentsPanel* panel) {
  const QSet<QString> favourites = LW::getUserConfig()->getCodeSetByTradeType(64);
  for (int row = 0; row < panel->table()->viewRowCount(); ++row) {
    const std::string key = panel->table()->viewRowData(row)->key();
    if (!favourites.contains(QString::fromStdString(key))) return key;
  }
  return std::string();
}

// Opens and shows window's panels and waits for their rows; the type-64
// panel, or null if it did not come up.
LW::CInstrumentsPanel* showFavouritesPanel(demo::CDemoWindow& window) {
  window.openPanels();
  window.show();
  return waitForRows(window) ? instrumentsPanel(window, 64) : nullptr;
}

TEST_F(DemoWindowThreadsTest, aFavouriteAddedOnAnotherThreadReachesThePanelOnTheGuiThread) {
  demo::CDemoWindow window(optionsWithPanels("64"), layoutFile());
  LW::CInstrumentsPanel* panel = showFavouritesPanel(window);
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
    auto window = std::make_unique<demo::CDemoWindow>(optionsWithPanels("64"), layoutFile());
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

int favouriteLogLines(const demo::CDemoWindow& window) {
  int count = 0;
  for (const QString& line : window.logPane()->lines())
    if (line.contains(QStringLiteral("自选"))) ++count;
  return count;
}

// Another thread may change favourites far faster than the GUI thread can
// show each change. What arrives while the GUI thread is busy must reach it
// as one delivery with the final state of each code, not as an event per
// change: otherwise the GUI thread falls further behind with every burst.
TEST_F(DemoWindowThreadsTest, aBurstOfChangesFromAnotherThreadArrivesAsOneDelivery) {
  demo::CDemoWindow window(optionsWithPanels("64"), layoutFile());
  LW::CInstrumentsPanel* panel = showFavouritesPanel(window);
  ASSERT_TRUE(panel);
  std::vector<QString> keys;
  for (int row = 0; row < panel->table()->viewRowCount() && keys.size() < 7; ++row)
    keys.push_back(QString::fromStdString(panel->table()->viewRowData(row)->key()));
  ASSERT_EQ(keys.size(), 7u);
  const int linesBefore = favouriteLogLines(window);

  // 3,001 toggles over 7 codes: the last operation of each code decides.
  constexpr int kChanges = 3001;
  std::thread changer([&] {
    LW::CUserConfig* config = LW::getUserConfig();
    for (int round = 0; round < kChanges; ++round) {
      const QString& key = keys[static_cast<size_t>(round) % keys.size()];
      if (!config->addFavourite(mxservice::NQ_TRADER_OUTER_FUTURE, key))
        config->removeFavourite(mxservice::NQ_TRADER_OUTER_FUTURE, key);
    }
  });
  changer.join();
  QCoreApplication::processEvents();

  // At most one line for the removals and one for the additions.
  const int lines = favouriteLogLines(window) - linesBefore;
  EXPECT_GE(lines, 1);
  EXPECT_LE(lines, 2);
  const QSet<QString> favourites = LW::getUserConfig()->getCodeSetByTradeType(64);
  for (const QString& key : keys) {
    SCOPED_TRACE(key.toStdString());
    EXPECT_EQ(favouriteButtonState(panel, key.toStdString()), favourites.contains(key) ? 0 : 1);
  }
  LW::getUserConfig()->clearFavourites();
}

}  // namespace
}  // namespace demotest
