// A tender detail's guarded members written by one thread while others read
// them and copy the record; an order command's status likewise (labelled
// "concurrency": runs under ThreadSanitizer too).
#include "host/data/ordercommand.h"
#include "host/data/tenderbondinfodetail.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace mxservice;

TEST(RecordsConcurrency, tenderDetailGuardedMembersUnderConcurrentWrites) {
  auto detail = boost::shared_ptr<CTenderBondInfoDetail>(new CTenderBondInfoDetail);
  detail->bondCode = "2400123";
  std::atomic<bool> stop{false};
  std::atomic<int> bad{0};

  std::thread writer([&] {
    for (int i = 0; i < 20000; ++i) {
      detail->setStatus(i % 2 == 0 ? ORDER_COMMAND_LOCKED : ORDER_COMMAND_RUNNING);
      detail->setTrader(i % 2 == 0 ? "张三" : "李四的一个很长很长的名字，超过短字符串优化的长度");
      detail->setInternalAmount(i);
      detail->setExternalAmount(i * 2.0);
      detail->setWinBidAmount(i * 0.5);
    }
    stop = true;
  });
  std::vector<std::thread> readers;
  for (int r = 0; r < 3; ++r) {
    readers.emplace_back([&] {
      while (!stop) {
        const int status = detail->status();
        if (status != kNoValueInt && status != ORDER_COMMAND_LOCKED &&
            status != ORDER_COMMAND_RUNNING)
          ++bad;
        const std::string trader = detail->trader();
        if (!trader.empty() && trader != "张三" && trader.size() < 20) ++bad;
        (void)detail->internalAmount();
        (void)detail->externalAmount();
        (void)detail->winBidAmount();
        const CTenderBondInfoDetail copy(*detail);  // a consistent snapshot under the lock
        if (copy.bondCode != "2400123") ++bad;
        const bson::BSONObj written = detail->toBsonObj();
        if (written["bondCode"].String() != "2400123") ++bad;
      }
    });
  }
  writer.join();
  for (std::thread& t : readers) t.join();
  EXPECT_EQ(bad.load(), 0);
  EXPECT_EQ(detail->internalAmount(), 19999.0);
}

TEST(RecordsConcurrency, orderCommandStatusUnderConcurrentWrites) {
  COrderCommand command;
  command.commandId = 1;
  std::atomic<bool> stop{false};
  std::atomic<int> bad{0};
  std::thread writer([&] {
    for (int i = 0; i < 20000; ++i)
      command.setStatus(i % 2 ? ORDER_COMMAND_LOCKED : ORDER_COMMAND_RUNNING);
    stop = true;
  });
  std::thread reader([&] {
    while (!stop) {
      const COrderCommand copy(command);
      const int s = copy.status();
      if (s != ORDER_COMMAND_APPROVING && s != ORDER_COMMAND_LOCKED && s != ORDER_COMMAND_RUNNING)
        ++bad;
      if (command.toBsonObj()["commandId"].Int() != 1) ++bad;
    }
  });
  writer.join();
  reader.join();
  EXPECT_EQ(bad.load(), 0);
}
