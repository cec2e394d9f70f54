// The bond info panel against a quote client that announces bond information
// from other threads: the load must run on the GUI thread, a load queued for
// a panel that is destroyed meanwhile must be dropped, and announcements
// racing panel creation and destruction must never reach a dead panel.
#include "bondinfotestsupport.h"
#include "eventwait.h"

#include "host/services/quoteclient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <thread>

namespace bondinfotest {
namespace {

using Keys = std::vector<std::string>;

void notifyFromAnotherThread() {
  std::thread notifier([] { LW::CQuoteClient::instance()->notifyBondInfoReady(); });
  notifier.join();
}

TEST_F(BondInfoTest, aNotificationFromAnotherThreadLoadsOnTheGuiThread) {
  auto log = std::make_shared<KeyReadLog>();
  mxservice::BondTradeInfoMap infos;
  infos["SH"][1] = observedBond(log, "SH", "019547");
  setBondTradeInfos(infos);
  setInstruments(
      {detail("SH", "019547", "19国债01", 0.5, 0), detail("SH", "010107", "01国债07", 0.7, 0)});
  BondInfoProbe panel(1, nullptr);
  ASSERT_EQ(shownKeys(panel), Keys({"019547.SH"}));
  QSignalSpy announced(&panel, SIGNAL(sigInitBondInfo()));

  infos["SH"][2] = observedBond(log, "SH", "010107");
  setBondTradeInfos(infos);
  log->clear();
  notifyFromAnotherThread();

  // The notifying thread has returned, and nothing was loaded on it: the
  // load waits for the GUI thread's event loop.
  EXPECT_EQ(log->reads(), 0);
  EXPECT_EQ(shownKeys(panel), Keys({"019547.SH"}));
  EXPECT_EQ(announced.count(), 0);

  ASSERT_TRUE(testsupport::waitFor([&] { return announced.count() == 1; }));
  EXPECT_EQ(shownKeys(panel), Keys({"019547.SH", "010107.SH"}));
  EXPECT_EQ(cellOf(panel, "010107.SH", u8("合约名称")), u8("01国债07"));
  EXPECT_GT(log->reads(), 0);
  EXPECT_EQ(log->threads(), std::set<QThread*>({QCoreApplication::instance()->thread()}));
}

// Another thread may announce far more often than the GUI thread can load:
// announcements that arrive while a load waits add nothing to it, and one
// that arrives once the load has begun queues the next.
TEST_F(BondInfoTest, announcementsFromAnotherThreadWhileALoadWaitsAreCoalesced) {
  mxservice::BondTradeInfoMap infos;
  infos["SH"][1] = bond("SH", "019547");
  setBondTradeInfos(infos);
  setInstruments({detail("SH", "019547", "19国债01", 0.5, 0)});
  BondInfoProbe panel(1, nullptr);
  QSignalSpy announced(&panel, SIGNAL(sigInitBondInfo()));

  std::thread burst([] {
    for (int i = 0; i < 500; ++i) LW::CQuoteClient::instance()->notifyBondInfoReady();
  });
  burst.join();
  infos["SH"][2] = bond("SH", "010107");
  setBondTradeInfos(infos);
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(announced.count(), 1);
  // The waiting load read the data as they were when it ran.
  EXPECT_EQ(shownKeys(panel), Keys({"019547.SH", "010107.SH"}));

  notifyFromAnotherThread();
  ASSERT_TRUE(testsupport::waitFor([&] { return announced.count() == 2; }));
  QCoreApplication::processEvents();
  EXPECT_EQ(announced.count(), 2);
}

TEST_F(BondInfoTest, aLoadQueuedForAPanelDestroyedMeanwhileIsDropped) {
  auto log = std::make_shared<KeyReadLog>();
  mxservice::BondTradeInfoMap infos;
  infos["SH"][1] = observedBond(log, "SH", "019547");
  setBondTradeInfos(infos);
  setInstruments({detail("SH", "019547", "19国债01", 0.5, 0)});
  const std::size_t listenersBefore = bondInfoListeners();

  auto* panel = new BondInfoProbe(1, nullptr);
  notifyFromAnotherThread();  // queues a load on the GUI thread
  delete panel;
  EXPECT_EQ(bondInfoListeners(), listenersBefore);

  log->clear();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(log->reads(), 0);
}

TEST_F(BondInfoTest, notificationsRacingPanelLifetimesNeverReachADestroyedPanel) {
  auto log = std::make_shared<KeyReadLog>();
  mxservice::BondTradeInfoMap infos;
  for (int i = 0; i < 20; ++i)
    infos["SH"][i] = observedBond(log, "SH", "0195" + std::to_string(10 + i));
  setBondTradeInfos(infos);
  setInstruments({detail("SH", "019510", "19国债10", 0.5, 0)});
  const std::size_t listenersBefore = bondInfoListeners();

  std::atomic<bool> stop{false};
  std::atomic<int> notifications{0};
  std::thread notifier([&] {
    while (!stop.load()) {
      LW::CQuoteClient::instance()->notifyBondInfoReady();
      ++notifications;
      std::this_thread::yield();
    }
  });
  // The data centre is replaced under the panels' feet as well.
  std::thread replacer([&] {
    for (int round = 0; !stop.load(); ++round) {
      mxservice::BondTradeInfoMap next = infos;
      next["SZ"][round % 3] = bond("SZ", "1019" + std::to_string(round % 3));
      setBondTradeInfos(next);
      std::this_thread::yield();
    }
  });

  QElapsedTimer clock;
  clock.start();
  int created = 0;
  while (created < 40 || (notifications.load() < 200 && clock.elapsed() < 20000)) {
    auto* parent = new QWidget;
    auto* panel = new BondInfoProbe(created, parent);
    QSignalSpy announced(panel, SIGNAL(sigInitBondInfo()));
    for (int spin = 0; spin < 3; ++spin) QCoreApplication::processEvents();
    // Close some docks while loads are still queued for them.
    if (created % 2) QCoreApplication::sendPostedEvents();
    EXPECT_LE(shownKeys(*panel).size(), infos.at("SH").size() + 3);
    delete parent;
    ++created;
  }
  stop = true;
  notifier.join();
  replacer.join();
  EXPECT_GE(notifications.load(), 1);
  EXPECT_EQ(bondInfoListeners(), listenersBefore);

  // Whatever was still queued for the destroyed panels goes nowhere; a new
  // panel sees the final content.
  log->clear();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(log->reads(), 0);
  setBondTradeInfos(infos);
  BondInfoProbe last(99, nullptr);
  EXPECT_EQ(shownKeys(last).size(), infos.at("SH").size());
  EXPECT_EQ(log->threads(), std::set<QThread*>({QCoreApplication::instance()->thread()}));
}

}  // namespace
}  // namespace bondinfotest
