// The gate that keeps callbacks from other threads (the trade client's late
// answers) out of a destroyed owner: nothing passes once close() has
// returned, and a guarded call may enter the gate again.

#include "host/core/lifetimegate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <boost/make_shared.hpp>
#include <thread>

namespace {

TEST(LifetimeGateTest, noGuardedCallRunsOnceCloseHasReturned) {
  for (int round = 0; round < 50; ++round) {
    auto guard = boost::make_shared<utils::CLifetimeGate>();
    std::atomic<bool> panelGone{false};
    std::atomic<int> calls{0};
    std::atomic<int> lateCalls{0};
    std::atomic<bool> started{false};
    std::thread host([guard, &panelGone, &calls, &lateCalls, &started] {
      for (int i = 0; i < 2000; ++i) {
        const bool ran = guard->runIfAlive([&] {
          started.store(true);
          if (panelGone.load()) ++lateCalls;
          ++calls;
        });
        if (!ran) break;
      }
    });
    while (!started.load()) std::this_thread::yield();
    guard->close();
    panelGone.store(true);
    host.join();
    EXPECT_EQ(lateCalls.load(), 0);
    EXPECT_GT(calls.load(), 0);
    EXPECT_FALSE(guard->isAlive());
    EXPECT_FALSE(guard->runIfAlive([] { FAIL() << "ran after close"; }));
  }
}

TEST(LifetimeGateTest, aGuardedCallMayEnterTheGateAgain) {
  utils::CLifetimeGate guard;
  int depth = 0;
  EXPECT_TRUE(guard.runIfAlive([&] {
    ++depth;
    EXPECT_TRUE(guard.runIfAlive([&] { ++depth; }));
  }));
  EXPECT_EQ(depth, 2);
  guard.close();
  guard.close();
  EXPECT_FALSE(guard.isAlive());
}

}  // namespace
