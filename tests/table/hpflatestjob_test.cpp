// The threaded model's coalesced jobs (postLatest): a burst while one run is
// queued or running costs at most two runs, the last request is the one that
// runs, a coalesced job never overtakes a job posted after it, and requests
// racing from several threads and a stopping worker lose nothing that counts.
#include "hpftestsupport.h"
#include "workergate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace hpftest;

namespace {

// What the jobs did, in the order they ran (written on the worker only, read
// after waitForIdle()).
struct CRunLog {
  std::vector<std::string> runs;
  boost::function<void()> job(const std::string& name) {
    return [this, name]() { runs.push_back(name); };
  }
};

using Runs = std::vector<std::string>;

// Each script step either posts a plain job ("p:name") or a coalesced one
// ("l:name"); the worker is held by a blocker meanwhile, so everything queues.
TEST(HpfLatestJob, queuedRequestsMergeUntilSomethingElseIsPosted) {
  struct Case {
    const char* what;
    std::vector<std::string> script;
    Runs expected;
  };
  const Case cases[] = {
      {"a burst merges into its last request", {"l:a", "l:b", "l:c", "l:d"}, {"d"}},
      {"a plain job after the waiting one starts a new run",
       {"l:a", "l:b", "p:x", "l:c", "l:d"},
       {"b", "x", "d"}},
      {"a plain job before the burst runs first", {"p:x", "l:a", "l:b"}, {"x", "b"}},
      {"plain jobs are never merged", {"p:x", "p:y", "l:a", "p:z"}, {"x", "y", "a", "z"}},
      {"a single request runs once", {"l:a"}, {"a"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto model = boost::make_shared<CTestModel>();
    testsupport::CWorkerGate blocker;
    CRunLog log;
    ASSERT_TRUE(model->post(blocker.job()));
    blocker.waitHeld();
    for (const std::string& step : c.script) {
      const std::string name = step.substr(2);
      if (step[0] == 'l')
        ASSERT_TRUE(model->postLatest(log.job(name)));
      else
        ASSERT_TRUE(model->post(log.job(name)));
    }
    blocker.release();
    ASSERT_TRUE(model->waitForIdle());
    EXPECT_EQ(log.runs, c.expected);
  }
}

// Requests arriving while a coalesced run is already under way cannot join
// it (it may have read the state they change): they queue exactly one more.
TEST(HpfLatestJob, aBurstDuringARunningRequestCostsOneMoreRun) {
  auto model = boost::make_shared<CTestModel>();
  testsupport::CWorkerGate blocker;
  std::atomic<int> runs{0};
  std::string lastSeen;  // worker only until waitForIdle()
  ASSERT_TRUE(model->postLatest([&]() {
    ++runs;
    blocker.job()();
  }));
  blocker.waitHeld();
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(model->postLatest([&, i]() {
      ++runs;
      lastSeen = std::to_string(i);
    }));
  }
  EXPECT_EQ(model->pendingJobs(), 1);
  blocker.release();
  ASSERT_TRUE(model->waitForIdle());
  EXPECT_EQ(runs.load(), 2);
  EXPECT_EQ(lastSeen, "99");
}

// Several threads request at once while the worker runs: whatever the
// interleaving, at most one run waits at a time, and the run after the last
// request sees every thread's final value.
TEST(HpfLatestJob, requestsFromManyThreadsCostAtMostOneWaitingRun) {
  auto model = boost::make_shared<CTestModel>();
  constexpr int kThreads = 4;
  constexpr int kRequests = 2000;
  std::atomic<int> published[kThreads] = {};
  std::atomic<int> runs{0};
  std::atomic<int> maxPending{0};
  std::vector<int> seen(kThreads, -1);  // worker only until waitForIdle()
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t]() {
      for (int i = 0; i < kRequests; ++i) {
        published[t].store(i);
        ASSERT_TRUE(model->postLatest([&]() {
          ++runs;
          for (int k = 0; k < kThreads; ++k) seen[static_cast<size_t>(k)] = published[k].load();
          std::this_thread::yield();
        }));
        const int pending = model->pendingJobs();
        int known = maxPending.load();
        while (pending > known && !maxPending.compare_exchange_weak(known, pending)) {
        }
      }
    });
  }
  for (std::thread& t : threads) t.join();
  ASSERT_TRUE(model->waitForIdle());
  EXPECT_LE(maxPending.load(), 1);
  EXPECT_GE(runs.load(), 1);
  EXPECT_LE(runs.load(), kThreads * kRequests);
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(seen[static_cast<size_t>(t)], kRequests - 1) << t;
}

// Stopped: requests are refused, also one that would have merged into a run
// the stop dropped; dropping the model with a request waiting runs nothing.
TEST(HpfLatestJob, stoppedOrDroppedModelsRunNoRequest) {
  {
    auto model = boost::make_shared<CTestModel>();
    testsupport::CWorkerGate blocker;
    std::atomic<int> runs{0};
    ASSERT_TRUE(model->post(blocker.job()));
    blocker.waitHeld();
    ASSERT_TRUE(model->postLatest([&]() { ++runs; }));
    std::thread stopper([&]() { model->stopWorker(); });
    // Released only once the stop is in force (plain posts are refused).
    while (model->post([]() {})) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    blocker.release();
    stopper.join();
    EXPECT_FALSE(model->postLatest([&]() { ++runs; }));
    EXPECT_FALSE(model->postLatest(boost::function<void()>()));
    EXPECT_EQ(runs.load(), 0);
  }
  {
    auto model = boost::make_shared<CTestModel>();
    testsupport::CWorkerGate blocker;
    auto runs = std::make_shared<std::atomic<int>>(0);
    ASSERT_TRUE(model->post(blocker.job()));
    blocker.waitHeld();
    ASSERT_TRUE(model->postLatest([runs]() { ++*runs; }));
    boost::weak_ptr<CTestModel> weak = model;
    model.reset();  // the running job keeps the model until it returns
    EXPECT_FALSE(weak.expired());
    blocker.release();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!weak.expired() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(runs->load(), 0);
  }
}

}  // namespace
