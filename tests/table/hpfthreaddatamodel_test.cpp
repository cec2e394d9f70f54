// The threaded model's serial worker: order, one job at a time, shutdown,
// and lifetimes (a job holding the last reference, destruction while a job
// runs, jobs queued at destruction).
#include "hpftestsupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <thread>

using namespace hpftest;

namespace {

// A one-shot gate a job waits at until the test opens it.
class CGate {
public:
  void open() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_open = true;
    m_cv.notify_all();
  }
  void wait() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cv.wait(lock, [this]() { return m_open; });
  }

private:
  std::mutex m_mutex;
  std::condition_variable m_cv;
  bool m_open = false;
};

// Reports its destruction and the thread it happened on.
class CWatchedModel : public CTestModel {
public:
  explicit CWatchedModel(std::promise<std::thread::id>* destroyed) : m_destroyed(destroyed) {}
  ~CWatchedModel() override {
    stopWorker();
    m_destroyed->set_value(std::this_thread::get_id());
  }

private:
  std::promise<std::thread::id>* m_destroyed;
};

}  // namespace

TEST(HpfThreadDataModel, jobsRunOneAtATimeInPostedOrder) {
  auto model = boost::make_shared<CTestModel>();
  std::vector<int> order;  // written by jobs only, read after waitForIdle()
  std::atomic<int> running{0};
  std::atomic<int> overlaps{0};
  std::atomic<bool> onWorker{true};
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(model->post([&, i]() {
      if (running.fetch_add(1) != 0) ++overlaps;
      if (!model->isWorkerThread()) onWorker = false;
      order.push_back(i);
      if (i % 50 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      running.fetch_sub(1);
    }));
  }
  ASSERT_TRUE(model->waitForIdle());
  EXPECT_EQ(overlaps.load(), 0);
  EXPECT_TRUE(onWorker.load());
  EXPECT_FALSE(model->isWorkerThread());
  ASSERT_EQ(order.size(), 300u);
  for (int i = 0; i < 300; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], i);
  EXPECT_FALSE(model->post(boost::function<void()>()));
}

TEST(HpfThreadDataModel, jobsQueuedWhenTheModelGoesNeverRun) {
  std::promise<std::thread::id> destroyed;
  std::future<std::thread::id> destroyedAt = destroyed.get_future();
  auto model = boost::make_shared<CWatchedModel>(&destroyed);
  CGate gate;
  std::atomic<bool> firstStarted{false};
  std::atomic<int> laterRuns{0};
  model->post([&]() {
    firstStarted = true;
    gate.wait();
  });
  for (int i = 0; i < 20; ++i) model->post([&]() { ++laterRuns; });
  while (!firstStarted) std::this_thread::yield();
  EXPECT_EQ(model->pendingJobs(), 20);
  model.reset();  // the running job keeps the model alive
  EXPECT_EQ(destroyedAt.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
  gate.open();
  // The model dies on the worker, right after the running job.
  ASSERT_EQ(destroyedAt.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_NE(destroyedAt.get(), std::this_thread::get_id());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(laterRuns.load(), 0);
}

TEST(HpfThreadDataModel, aJobHoldingTheLastReferenceEndsTheModelOnTheWorker) {
  std::promise<std::thread::id> destroyed;
  std::future<std::thread::id> destroyedAt = destroyed.get_future();
  std::promise<std::thread::id> jobThread;
  CGate ownerGone;
  {
    auto model = boost::make_shared<CWatchedModel>(&destroyed);
    boost::shared_ptr<CWatchedModel> self = model;
    model->post([self, &jobThread, &ownerGone]() {
      jobThread.set_value(std::this_thread::get_id());
      ownerGone.wait();  // until the job's reference is the only one
      self->addData(row("x"));
    });
  }
  ownerGone.open();
  ASSERT_EQ(destroyedAt.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_EQ(destroyedAt.get(), jobThread.get_future().get());
}

TEST(HpfThreadDataModel, destroyingAnUnsharedModelWaitsForTheRunningJob) {
  std::promise<std::thread::id> destroyed;
  std::future<std::thread::id> destroyedAt = destroyed.get_future();
  std::atomic<bool> jobStarted{false};
  std::atomic<bool> jobFinished{false};
  std::atomic<int> laterRuns{0};
  auto* model = new CWatchedModel(&destroyed);  // not owned by a shared_ptr
  model->post([&]() {
    jobStarted = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    model->addData(row("during"));
    jobFinished = true;
  });
  model->post([&]() { ++laterRuns; });
  while (!jobStarted) std::this_thread::yield();
  delete model;
  EXPECT_TRUE(jobFinished.load());
  EXPECT_EQ(destroyedAt.get(), std::this_thread::get_id());
  EXPECT_EQ(laterRuns.load(), 0);
}

TEST(HpfThreadDataModel, stoppedWorkerRefusesJobsAndAFailingJobDoesNotStopIt) {
  auto model = boost::make_shared<CTestModel>();
  std::atomic<int> runs{0};
  model->post([]() { throw std::runtime_error("broken feed"); });
  model->post([]() { throw 42; });
  model->post([&]() { ++runs; });
  ASSERT_TRUE(model->waitForIdle());
  EXPECT_EQ(runs.load(), 1);
  // A failing job still closes its batch: its rows are not stuck uncommitted.
  model->post([&]() {
    model->addData(row("partial"));
    throw std::runtime_error("half way");
  });
  ASSERT_TRUE(model->waitForIdle());
  EXPECT_FALSE(model->hasUncommittedRows());
  EXPECT_EQ(model->committedRows()->size(), 1u);

  model->stopWorker();
  EXPECT_FALSE(model->post([&]() { ++runs; }));
  EXPECT_TRUE(model->waitForIdle(100));
  EXPECT_EQ(runs.load(), 1);
}

TEST(HpfThreadDataModel, aJobsRowsAreCommittedOnlyWhenTheJobEnds) {
  auto model = boost::make_shared<CTestModel>();
  model->addData(row("old"));
  CGate built, checked;
  model->post([&]() {
    model->clear();
    for (int i = 0; i < 1000; ++i) model->addData(row("n" + std::to_string(i)));
    built.open();
    checked.wait();
  });
  built.wait();
  EXPECT_TRUE(model->hasUncommittedRows());
  EXPECT_EQ(keysOf(*model->committedRows()), std::vector<std::string>{"old"});
  EXPECT_EQ(model->rowCount(), 1000);  // key lookups see the new rows already
  checked.open();
  ASSERT_TRUE(model->waitForIdle());
  EXPECT_EQ(model->committedRows()->size(), 1000u);
}

TEST(HpfThreadDataModel, waitForIdleFromInsideAJobDoesNotDeadlock) {
  auto model = boost::make_shared<CTestModel>();
  std::atomic<int> result{-1};
  model->post([&]() { result = model->waitForIdle(1000) ? 1 : 0; });
  ASSERT_TRUE(model->waitForIdle());
  EXPECT_EQ(result.load(), 0);
}
