// Panel lifetimes against the threads that call into it: the model's load
// worker, host signals raised on other threads, order commands delivered
// while a tender panel closes, and the trade client's answers, which leave
// the panel on the trade client's thread and never reach a destroyed panel.

#include "paneltestsupport.h"

#include "eventwait.h"

#include "host/bson/bsonobj.h"
#include "host/data/ordercommand.h"
#include "host/services/accountdata.h"
#include "host/services/exchangeclient.h"
#include "host/services/idatacenter.h"
#include "host/services/tradeclient.h"
#include "host/services/tradercenter.h"
#include "host/ui/combobox.h"
#include "model/instrumentmodel.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QThread>
#include <atomic>
#include <boost/make_shared.hpp>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

using namespace paneltest;

namespace {

class PanelThreadsTest : public HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    // Enough rows that a load is often still running when the panel goes.
    mxservice::DataSet set;
    for (int i = 0; i < 3000; ++i) {
      char code[16];
      std::snprintf(code, sizeof code, "%06d", 600000 + i);
      set.instruments.push_back(
          instrument(mxservice::NQ_TRADER_STOCK, i % 2 ? "SH" : "SZ", code, "测试股票"));
    }
    install(set);
  }
};

// Waits until the last reference to the model has gone (the model then dies
// on its worker after the running job, or at once).
bool modelReleased(const boost::weak_ptr<LW::CHpfInsModel>& model) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!model.expired()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

TEST_F(PanelThreadsTest, panelDestroyedWhileItsModelLoadsDoesNotCrash) {
  for (int round = 0; round < 20; ++round) {
    auto parent = std::make_unique<EventRecorder>();
    auto* panel = new PanelProbe(round, mxservice::NQ_TRADER_STOCK, parent.get());
    boost::weak_ptr<LW::CHpfInsModel> model = panel->table()->model();
    // Two more loads queue behind the one of the constructor.
    panel->handleEvent(168, 0, 0, QStringLiteral("6"), nullptr);
    panel->handleEvent(168, 0, 0, QStringLiteral("60"), nullptr);
    if (round % 3 == 1) std::this_thread::sleep_for(std::chrono::milliseconds(round % 7));
    parent.reset();  // the panel, its table and the table's model share go
    // The running job finishes, the queued ones are dropped, and its late
    // sigRefreshed() finds no receiver.
    ASSERT_TRUE(modelReleased(model)) << round;
  }
}

TEST_F(PanelThreadsTest, hostSignalsFromOtherThreadsReachOnlyLivePanels) {
  std::atomic<bool> stop{false};
  LW::CExchangeClient* exchange = LW::CExchangeClient::instance();
  const QMap<QString, mxservice::CInstrumentDetailPtr> stocks = exchange->stockListMap();
  std::thread host([&] {
    int day = 0;
    while (!stop.load()) {
      exchange->emitStockList(stocks, 1);
      exchange->emitStockListChange({"600000.SH"});
      exchange->emitNewTradingDate(std::to_string(20240101 + ++day), "20240101");
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  });
  bool released = true;
  for (int round = 0; round < 20 && released; ++round) {
    auto parent = std::make_unique<EventRecorder>();
    auto* panel = new PanelProbe(round, mxservice::NQ_TRADER_STOCK, parent.get());
    boost::weak_ptr<LW::CHpfInsModel> model = panel->table()->model();
    for (int spin = 0; spin < 3; ++spin) {
      QCoreApplication::processEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    parent.reset();
    // Signals still queued for the destroyed panel are dropped with it.
    released = modelReleased(model);
    EXPECT_TRUE(released) << round;
  }
  stop.store(true);
  host.join();
  QCoreApplication::processEvents();
}

class TenderThreadsTest : public HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    installSample();
  }
};

TEST_F(TenderThreadsTest, tenderPanelDestroyedWhileTheSubscriptionDeliversDoesNotCrash) {
  boost::shared_ptr<mxservice::CAccountData> account =
      mxservice::TraderCenter::instance()->getDataCenter()->getAccountData(std::string());
  ASSERT_TRUE(account);
  const char* const bonds[] = {"260221", "260322", "2605012", "260423", "260012"};
  std::atomic<bool> stop{false};
  std::thread host([&] {
    int serial = 0;
    while (!stop.load()) {
      auto command = boost::make_shared<mxservice::COrderCommand>();
      command->tradeType = mxservice::NQ_TRADER_BOND_TENDER;
      command->commandId = 50000 + serial % 64;
      command->setStatus(serial % 2 ? mxservice::ORDER_COMMAND_LOCKED
                                    : mxservice::ORDER_COMMAND_RUNNING);
      command->params = bson::BSONObj::fromJson(std::string(R"({"btdparam": {"bondCode": ")") +
                                                bonds[serial % 5] + "\"}}");
      account->addOrUpdate(command);
      ++serial;
      std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
  });

  for (int round = 0; round < 20; ++round) {
    auto parent = std::make_unique<EventRecorder>();
    auto* panel = new PanelProbe(round, mxservice::NQ_TRADER_BOND_TENDER, parent.get());
    QSignalSpy refreshed(panel->table(), SIGNAL(sigRefreshed()));
    // Every bond listed, so that the commands find their rows.
    panel->searchFieldCombo->setCurrentText(QString::fromUtf8("债券代码"));
    panel->handleEvent(5, 5, 0, QString(), nullptr);
    // Two searches (construction, the one above), then at least one row
    // rebuilt by an order command: the commands do reach this live panel,
    // so its destruction below races real deliveries.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (refreshed.count() < 3 && std::chrono::steady_clock::now() < deadline) {
      QCoreApplication::processEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_GE(refreshed.count(), 3) << round;
    if (round % 2) std::this_thread::sleep_for(std::chrono::microseconds(100 * round));
    // The destructor releases the subscription, waiting for a delivery that
    // is inside onOrderCommand; nothing reaches the panel afterwards.
    parent.reset();
    QCoreApplication::processEvents();
  }
  stop.store(true);
  host.join();
  EXPECT_TRUE(account->waitForDeliveries());
}

class TenderAnswerThreadsTest : public testsupport::TenderHostFixture {
protected:
  void SetUp() override {
    TenderHostFixture::SetUp();
    install({testsupport::tenderBond("A1", testsupport::today()),
             testsupport::tenderBond("B1", testsupport::today())},
            {testsupport::orderCommand(1, "A1", 2), testsupport::orderCommand(2, "A1", 0),
             testsupport::orderCommand(3, "B1", 2)});
  }
};

// A host receiver connected directly sees the answer's signals on the trade
// client's thread, while its callback runs; one connected by default gets
// them queued on its own thread, in order.
TEST_F(TenderAnswerThreadsTest, answersLeaveThePanelOnTheTradeClientsThread) {
  PanelProbe panel(1, mxservice::NQ_TRADER_BOND_TENDER, nullptr);
  settle(&panel);
  std::mutex mutex;
  std::vector<QThread*> directThreads;  // guarded by mutex
  QObject::connect(
      &panel, &LW::CInstrumentsPanel::sigBondExecutionLockedTenderBond, &panel,
      [&](QString) {
        std::lock_guard<std::mutex> lock(mutex);
        directThreads.push_back(QThread::currentThread());
      },
      Qt::DirectConnection);
  QObject::connect(
      &panel, &LW::CInstrumentsPanel::sigRefreshCommandPanel, &panel,
      [&](QString) {
        std::lock_guard<std::mutex> lock(mutex);
        directThreads.push_back(QThread::currentThread());
      },
      Qt::DirectConnection);
  QObject context;
  QStringList queued;
  QObject::connect(&panel, &LW::CInstrumentsPanel::sigBondAllocationLockedTenderBond, &context,
                   [&](QString value) { queued << "AllocationLocked " + value; });
  QObject::connect(&panel, &LW::CInstrumentsPanel::sigRefreshCommandPanel, &context,
                   [&](QString value) { queued << "RefreshCommandPanel " + value; });

  EXPECT_TRUE(panel.handleEvent(228, 0, 26, QStringLiteral("TB.A1"), nullptr));
  EXPECT_TRUE(testsupport::waitFor([&] { return queued.size() >= 2; }));
  EXPECT_EQ(queued, (QStringList{"AllocationLocked A1|0.100000", "RefreshCommandPanel A1"}));
  std::lock_guard<std::mutex> lock(mutex);
  ASSERT_EQ(directThreads.size(), 2u);
  for (QThread* thread : directThreads) {
    EXPECT_NE(thread, nullptr);
    EXPECT_NE(thread, QThread::currentThread());
  }
}

TEST_F(TenderAnswerThreadsTest, panelsDestroyedWhileAnswersArriveNeverRace) {
  LW::CTradeClient::instance()->setLatency(std::chrono::milliseconds(0));
  boost::shared_ptr<mxservice::CAccountData> account =
      mxservice::TraderCenter::instance()->getDataCenter()->getAccountData("");
  for (int round = 0; round < 30; ++round) {
    auto* panel = new PanelProbe(1, mxservice::NQ_TRADER_BOND_TENDER, nullptr);
    settle(panel);
    panel->processBondTenderButtonClick(round % 2 ? 26 : 16, QStringLiteral("TB.B1"));
    if (round % 3 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(round % 5));
    delete panel;
  }
  ASSERT_TRUE(LW::CTradeClient::instance()->waitForIdle());
  ASSERT_TRUE(account->waitForDeliveries());
  QCoreApplication::processEvents();
  // Every status request that was made came from a live panel's answer.
  for (const auto& request : LW::CTradeClient::instance()->handledRequests()) {
    if (request.kind == LW::CTradeClient::RequestRecord::COMMAND_STATUS) {
      EXPECT_EQ(request.commandId, 3);
    }
  }
}

}  // namespace
