// The account data's record tables: order, replacement by key, the lock and
// the copies.

#include "host/services/accountdata.h"
#include "servicestestdata.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using mxservice::CAccountData;
using mxservice::COrderCommandPtr;
using mxservice::IDataPtr;
using servicestest::tenderCommand;

namespace {
const int kCommand = mxservice::DATA_TYPE_ORDER_COMMAND;

std::vector<int> idsOf(const std::vector<COrderCommandPtr>& commands) {
  std::vector<int> ids;
  for (const auto& command : commands) ids.push_back(command->commandId);
  return ids;
}
}  // namespace

TEST(AccountData, replacesARecordWithTheSameKeyInItsPlace) {
  CAccountData account("acc");
  for (int id : {5, 3, 9}) account.addOrUpdate(tenderCommand(id, "B", 0));
  auto replacement = tenderCommand(3, "B", mxservice::ORDER_COMMAND_LOCKED);
  account.addOrUpdate(replacement);
  EXPECT_EQ(idsOf(account.orderCommands()), (std::vector<int>{5, 3, 9}));
  EXPECT_EQ(account.findOrderCommand(3), replacement);
  EXPECT_EQ(account.findOrderCommand(3)->status(), mxservice::ORDER_COMMAND_LOCKED);
  EXPECT_FALSE(account.findOrderCommand(4));
}

TEST(AccountData, recordsUnderTheLockAreTheLiveTableInOrder) {
  auto account = boost::make_shared<CAccountData>("acc");
  account->setRecords(kCommand, {tenderCommand(1, "A", 0), tenderCommand(2, "B", 0)});
  CAccountData::Lock lock(account);
  ASSERT_TRUE(lock.ownsLock());
  const std::vector<IDataPtr>& records = account->records(kCommand);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0]->getKey(), "OC.1");
  EXPECT_EQ(records[1]->getKey(), "OC.2");
  EXPECT_TRUE(account->records(12345).empty());
  // The lock is recursive: the copying accessors work inside it.
  EXPECT_EQ(account->orderCommands().size(), 2u);
}

TEST(AccountData, lockKeepsWritersOutUntilReleased) {
  CAccountData account("acc");
  std::atomic<bool> stored{false};
  std::thread writer;
  {
    CAccountData::Lock lock(account);
    writer = std::thread([&] {
      account.addOrUpdate(tenderCommand(1, "A", 0));
      stored = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(stored.load());
    EXPECT_TRUE(account.records(kCommand).empty());
  }
  writer.join();
  EXPECT_TRUE(stored.load());
  EXPECT_EQ(account.recordCount(kCommand), 1u);
}

TEST(AccountData, lockOnANullAccountHoldsNothing) {
  CAccountData::Lock lock{boost::shared_ptr<CAccountData>()};
  EXPECT_FALSE(lock.ownsLock());
}

TEST(AccountData, setRecordsSkipsNullsAndRepeatedKeysKeepingTheFirst) {
  CAccountData account("acc");
  auto first = tenderCommand(1, "A", 0);
  account.setRecords(kCommand,
                     {first, IDataPtr(), tenderCommand(2, "B", 0), tenderCommand(1, "C", 0)});
  EXPECT_EQ(idsOf(account.orderCommands()), (std::vector<int>{1, 2}));
  EXPECT_EQ(account.findOrderCommand(1), first);
  account.setRecords(kCommand, {});
  EXPECT_EQ(account.recordCount(kCommand), 0u);
}

TEST(AccountData, nullRecordIsIgnored) {
  CAccountData account("acc");
  account.addOrUpdate(IDataPtr());
  EXPECT_EQ(account.recordCount(0), 0u);
  EXPECT_EQ(account.recordCount(kCommand), 0u);
}

TEST(AccountData, copiesStayConsistentWhileAnotherThreadStores) {
  CAccountData account("acc");
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int id = 0; id < 2000; ++id) account.addOrUpdate(tenderCommand(id % 50, "A", id));
    done = true;
  });
  std::size_t last = 0;
  while (!done) {
    std::vector<COrderCommandPtr> copy = account.orderCommands();
    ASSERT_GE(copy.size(), last);  // records are only ever added or replaced
    for (std::size_t i = 0; i < copy.size(); ++i)
      ASSERT_EQ(copy[i]->commandId, static_cast<int>(i));
    last = copy.size();
  }
  writer.join();
  EXPECT_EQ(account.recordCount(kCommand), 50u);
}
