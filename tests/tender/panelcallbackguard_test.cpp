// The gate that keeps the trade client's late answers out of a destroyed
// tender workflow: nothing passes once retire() has returned, and a guarded
// call may enter the gate again.

#include "tender/panelcallbackguard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <boost/make_shared.hpp>
#include <thread>

namespace {

TEST(PanelCallbackGuardTest, noGuardedCallRunsOnceRetireHasReturned) {
  for (int round = 0; round < 50; ++round) {
    auto guard = boost::make_shared<LW::CPanelCallbackGuard>();
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
    guard->retire();
    panelGone.store(true);
    host.join();
    EXPECT_EQ(lateCalls.load(), 0);
    EXPECT_GT(calls.load(), 0);
    EXPECT_FALSE(guard->isAlive());
    EXPECT_FALSE(guard->runIfAlive([] { FAIL() << "ran after retire"; }));
  }
}

TEST(PanelCallbackGuardTest, aGuardedCallMayEnterTheGateAgain) {
  LW::CPanelCallbackGuard guard;
  int depth = 0;
  EXPECT_TRUE(guard.runIfAlive([&] {
    ++depth;
    EXPECT_TRUE(guard.runIfAlive([&] { ++depth; }));
  }));
  EXPECT_EQ(depth, 2);
  guard.retire();
  guard.retire();
  EXPECT_FALSE(guard.isAlive());
}

}  // namespace
