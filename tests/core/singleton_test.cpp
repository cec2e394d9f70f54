#include "host/core/singleton.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {
struct Counter {
  static int alive;
  Counter() { ++alive; }
  ~Counter() { --alive; }
  int value = 0;
};
int Counter::alive = 0;
}  // namespace

TEST(ManualSingleton, createsOnceAcrossThreadsAndResetsCleanly) {
  using S = utils::CManualSingletonT<Counter>;
  S::destroy();
  std::vector<Counter*> seen(8, nullptr);
  std::vector<std::thread> threads;
  for (int i = 0; i < 8; ++i) threads.emplace_back([&, i] { seen[i] = S::instance(); });
  for (auto& t : threads) t.join();
  for (Counter* c : seen) EXPECT_EQ(c, seen[0]);
  EXPECT_EQ(Counter::alive, 1);

  S::reset(new Counter());
  EXPECT_NE(S::instance(), nullptr);
  EXPECT_EQ(Counter::alive, 1);  // the old instance was deleted
  S::destroy();
  EXPECT_FALSE(S::exists());
  EXPECT_EQ(Counter::alive, 0);
}
