// The instruments panel's reloads are coalesced: a burst of host
// announcements and keystrokes, on the GUI thread or raised on other threads,
// made while a load waits, costs one load, and the rows show the last
// search text on the last data. A panel closed with a reload waiting drops it.

#include "paneltestsupport.h"
#include "workergate.h"

#include "host/services/exchangeclient.h"
#include "host/ui/eventids.h"
#include "model/instrumentmodel.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <atomic>
#include <boost/weak_ptr.hpp>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

using namespace paneltest;

namespace {

// Holds the model's worker inside a job until the gate is released or gone,
// so that everything the test queues meanwhile waits behind it.
std::unique_ptr<testsupport::CWorkerGate> holdWorker(
    const boost::shared_ptr<LW::CHpfInsModel>& model) {
  auto gate = std::make_unique<testsupport::CWorkerGate>();
  EXPECT_TRUE(model->post(gate->job()));
  gate->waitHeld();
  return gate;
}

class PanelReloadTest : public HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    install(stocks(false));
  }

  // 200 stocks, and with extra a new one that only the last data have.
  static mxservice::DataSet stocks(bool extra) {
    mxservice::DataSet set;
    for (int i = 0; i < 200; ++i)
      set.instruments.push_back(
          instrument(mxservice::NQ_TRADER_STOCK, "SH", std::to_string(600000 + i), "测试股票"));
    if (extra)
      set.instruments.push_back(instrument(mxservice::NQ_TRADER_STOCK, "SZ", "600150", "新股"));
    return set;
  }
};

// Every kind of announcement the panel follows, and keystrokes, mixed in one
// burst; once from the GUI thread, once raised on other threads (the host's
// signals then reach the panel queued).
TEST_F(PanelReloadTest, aBurstOfAnnouncementsCostsOneLoadAndShowsTheLastState) {
  LW::CExchangeClient* exchange = LW::CExchangeClient::instance();
  for (const bool fromOtherThreads : {false, true}) {
    SCOPED_TRACE(fromOtherThreads ? "other threads" : "GUI thread");
    install(stocks(false));
    auto parent = std::make_unique<EventRecorder>();
    auto* panel = new PanelProbe(1, mxservice::NQ_TRADER_STOCK, parent.get());
    LoadCounter counter(panel);
    const QMap<QString, mxservice::CInstrumentDetailPtr> list = exchange->stockListMap();
    ASSERT_FALSE(list.isEmpty());
    const auto announce = [&](int round) {
      exchange->emitStockList(list, 1);
      exchange->emitStockListChange({"600001.SH"});
      exchange->emitNewTradingDate("2024010" + std::to_string(round % 9 + 1), "20231231");
    };
    {
      const auto gate = holdWorker(panel->table()->model());
      for (const char* text : {"6", "60", "601", "6001"})
        panel->handleEvent(GU::EVENT_EDIT_TEXT_CHANGED, 0, 0, QString::fromLatin1(text), nullptr);
      if (fromOtherThreads) {
        std::thread first([&]() {
          for (int round = 0; round < 30; ++round) announce(round);
        });
        std::thread second([&]() {
          for (int round = 0; round < 30; ++round) announce(round + 3);
        });
        first.join();
        second.join();
      } else {
        for (int round = 0; round < 30; ++round) announce(round);
      }
      install(stocks(true));
      panel->handleEvent(GU::EVENT_EDIT_TEXT_CHANGED, 0, 0, QStringLiteral("60015"), nullptr);
      // The announcements raised elsewhere arrive now, after the keystroke.
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents();
      EXPECT_EQ(panel->table()->model()->pendingJobs(), 1);
    }
    EXPECT_EQ(counter.loads(), 1);
    EXPECT_EQ(rowKeys(panel->table()),
              (std::vector<std::string>{"600150.SH", "600151.SH", "600152.SH", "600153.SH",
                                        "600154.SH", "600155.SH", "600156.SH", "600157.SH",
                                        "600158.SH", "600159.SH", "600150.SZ"}));
    EXPECT_EQ(panel->table()->viewRowCount(), 11);
  }
}

// The dock closes while a reload waits behind a running job: the waiting
// reload is dropped with the model, and no load or repaint reaches the
// destroyed panel. Announcements from another thread race the close.
TEST_F(PanelReloadTest, aPanelClosedWithAReloadWaitingDropsIt) {
  LW::CExchangeClient* exchange = LW::CExchangeClient::instance();
  for (int round = 0; round < 6; ++round) {
    auto parent = std::make_unique<EventRecorder>();
    auto* panel = new PanelProbe(round, mxservice::NQ_TRADER_STOCK, parent.get());
    settle(panel);
    boost::shared_ptr<LW::CHpfInsModel> model = panel->table()->model();
    boost::weak_ptr<LW::CHpfInsModel> weak = model;
    std::atomic<int> loads{0};
    QObject counter;
    QObject::connect(
        model.get(), &LW::CHpfInsModel::sigRefreshed, &counter, [&loads]() { ++loads; },
        Qt::DirectConnection);
    std::atomic<bool> stop{false};
    std::thread announcer([&]() {
      while (!stop.load()) {
        exchange->emitStockListChange({});
        std::this_thread::yield();
      }
    });
    {
      auto gate = holdWorker(model);
      model.reset();  // only the panel's table owns the model now
      panel->handleEvent(GU::EVENT_EDIT_TEXT_CHANGED, 0, 0, QStringLiteral("6001"), nullptr);
      exchange->emitStockListChange({});
      QCoreApplication::processEvents();
      if (round % 2) parent.reset();  // closed while the gate holds the worker
      gate.reset();
      if (!parent) {
        // Nothing ran after the close: the waiting reload went with the model.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!weak.expired() && std::chrono::steady_clock::now() < deadline)
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_TRUE(weak.expired()) << round;
        EXPECT_EQ(loads.load(), 0) << round;
      }
    }
    stop.store(true);
    announcer.join();
    if (parent) {
      settle(panel);
      EXPECT_GE(loads.load(), 1) << round;
      EXPECT_EQ(panel->filterText(), QStringLiteral("6001"));
      EXPECT_EQ(panel->table()->model()->rowCount(), 100) << round;
      parent.reset();
    }
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
  }
}

}  // namespace
