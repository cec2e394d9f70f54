// Coalesced reloads of the instrument model: a burst of reload() calls from
// the GUI thread or from other threads, made while a load waits or runs,
// costs at most two loads, and the rows then show the last request's filter
// on the data as they were when it was made.

#include "model/instrumentmodel.h"

#include "host/table/ibasehpftabledata.h"

#include "modelfixture.h"
#include "workergate.h"

#include <QCoreApplication>
#include <atomic>
#include <boost/make_shared.hpp>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using LW::CHpfInsModel;
using testsupport::instrument;

namespace {

using Keys = std::vector<std::string>;

class ReloadCoalescingTest : public modeltest::HostFixture {
protected:
  // count stock instruments 600000.SH, 600001.SH, ... named after their index.
  mxservice::DataSet stocks(int count, const std::string& extraCode = std::string()) {
    mxservice::DataSet set;
    for (int i = 0; i < count; ++i)
      set.instruments.push_back(instrument(1, "SH", std::to_string(600000 + i), "股票"));
    if (!extraCode.empty()) set.instruments.push_back(instrument(1, "SZ", extraCode, "新股"));
    return set;
  }

  static Keys keysOf(const boost::shared_ptr<CHpfInsModel>& model) {
    Keys keys;
    for (const GU::HpfRowPtr& row : model->getAllDatas()) keys.push_back(row->key());
    return keys;
  }
};

// Where the burst comes from, and whether a load is already running (held
// inside its own sigRefreshed, on the worker) or only something else holds
// the worker so that the first request waits.
TEST_F(ReloadCoalescingTest, aBurstCostsAtMostTwoLoadsAndShowsTheLastRequest) {
  struct Case {
    const char* what;
    bool fromOtherThreads;
    bool duringALoad;
    int loads;  // the running one included
  };
  const Case cases[] = {
      {"GUI thread, first request waiting", false, false, 1},
      {"GUI thread, during a load", false, true, 2},
      {"other threads, first request waiting", true, false, 1},
      {"other threads, during a load", true, true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    install(stocks(300));
    auto model = boost::make_shared<CHpfInsModel>(mxservice::NQ_TRADER_STOCK);
    testsupport::CWorkerGate gate;
    std::atomic<int> loads{0};
    QObject receiver;
    QObject::connect(
        model.get(), &CHpfInsModel::sigRefreshed, &receiver,
        [&]() {
          if (loads.fetch_add(1) == 0 && c.duringALoad) gate.hold();
        },
        Qt::DirectConnection);
    if (c.duringALoad)
      model->reload(QStringLiteral("6000"));
    else
      ASSERT_TRUE(model->post([&gate]() { gate.hold(); }));
    gate.waitHeld();

    // The burst: filters narrowing to one code, and the data replaced half
    // way through (a new instrument appears, as with sigStockListChange).
    const std::vector<QString> filters = {"6", "60", "600", "6001", "60012", "600123"};
    const auto burst = [&](int from, int to) {
      for (int round = 0; round < 20; ++round)
        for (int i = from; i < to; ++i) model->reload(filters[static_cast<size_t>(i)]);
    };
    if (c.fromOtherThreads) {
      std::thread first([&]() { burst(0, 3); });
      first.join();
      install(stocks(300, "600123"));
      std::thread second([&]() { burst(3, 6); });
      std::thread third([&]() { burst(3, 5); });
      third.join();
      second.join();
      std::thread last([&]() { model->reload(filters.back()); });
      last.join();
    } else {
      burst(0, 3);
      install(stocks(300, "600123"));
      burst(3, 6);
    }
    EXPECT_LE(model->pendingJobs(), 1);
    gate.release();
    ASSERT_TRUE(model->waitForIdle());
    EXPECT_EQ(loads.load(), c.loads);
    EXPECT_EQ(keysOf(model), (Keys{"600123.SH", "600123.SZ"}));
    QObject::disconnect(model.get(), nullptr, &receiver, nullptr);
    QCoreApplication::processEvents();
  }
}

// refresh() keeps one load per call, in order, also between coalesced
// reloads: a reload never overtakes a refresh queued after it.
TEST_F(ReloadCoalescingTest, refreshesAreNeitherMergedNorOvertaken) {
  install(stocks(50));
  auto model = boost::make_shared<CHpfInsModel>(mxservice::NQ_TRADER_STOCK);
  testsupport::CWorkerGate gate;
  std::vector<int> rowsAtSignal;  // worker only until waitForIdle()
  QObject receiver;
  QObject::connect(
      model.get(), &CHpfInsModel::sigRefreshed, &receiver,
      [&]() { rowsAtSignal.push_back(static_cast<int>(model->committedRows()->size())); },
      Qt::DirectConnection);
  ASSERT_TRUE(model->post([&gate]() { gate.hold(); }));
  gate.waitHeld();
  model->reload(QStringLiteral("60000"));  // 10 rows, replaced by the next
  model->reload(QStringLiteral("60001"));  // 10 rows
  model->refresh(QStringLiteral("600049"));
  model->refresh(QStringLiteral("600049"));
  model->reload(QStringLiteral("6000"));  // 50 rows, replaced by the next
  model->reload(QStringLiteral("60002"));
  gate.release();
  ASSERT_TRUE(model->waitForIdle());
  EXPECT_EQ(rowsAtSignal, (std::vector<int>{10, 1, 1, 10}));
  EXPECT_EQ(keysOf(model).front(), "600020.SH");
  QObject::disconnect(model.get(), nullptr, &receiver, nullptr);
}

// The owner lets go while a coalesced load waits behind a running one: the
// waiting load is dropped, nothing reaches the receiver afterwards.
TEST_F(ReloadCoalescingTest, droppingTheModelWithAReloadWaitingRunsNothingMore) {
  install(stocks(2000));
  for (int round = 0; round < 5; ++round) {
    QObject receiver;
    auto model = boost::make_shared<CHpfInsModel>(mxservice::NQ_TRADER_STOCK);
    boost::weak_ptr<CHpfInsModel> weak = model;
    testsupport::CWorkerGate gate;
    std::atomic<int> loads{0};
    ASSERT_TRUE(model->post([&gate]() { gate.hold(); }));
    gate.waitHeld();
    QObject::connect(
        model.get(), &CHpfInsModel::sigRefreshed, &receiver, [&loads]() { ++loads; },
        Qt::DirectConnection);
    for (int i = 0; i < 10; ++i) model->reload(QString::number(i % 3));
    model.reset();  // the held job keeps the model until it returns
    gate.release();
    for (int spin = 0; spin < 30000 && !weak.expired(); ++spin)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(weak.expired()) << round;
    EXPECT_EQ(loads.load(), 0) << round;
  }
}

}  // namespace
