// Account-data subscriptions: delivery order, key matching, release from
// other threads and from inside callbacks, throwing callbacks, several
// subscriber threads.

#include "host/services/accountdata.h"
#include "servicestestdata.h"

#include <gtest/gtest.h>

#include <atomic>
#include <boost/pointer_cast.hpp>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

using mxservice::CAccountData;
using mxservice::COrderCommand;
using mxservice::IDataPtr;
using servicestest::tenderCommand;

namespace {
const int kCommand = mxservice::DATA_TYPE_ORDER_COMMAND;

// Collects delivered command ids under a mutex, for checks from the test thread.
struct Collector {
  std::mutex mutex;
  std::vector<int> ids;
  std::vector<std::thread::id> threads;

  void operator()(const IDataPtr& record) {
    auto command = boost::dynamic_pointer_cast<COrderCommand>(record);
    std::lock_guard<std::mutex> lock(mutex);
    ids.push_back(command ? command->commandId : -1);
    threads.push_back(std::this_thread::get_id());
  }
  std::vector<int> snapshot() {
    std::lock_guard<std::mutex> lock(mutex);
    return ids;
  }
};

// A record of another data type than order commands.
class COtherRecord : public mxservice::IData {
public:
  explicit COtherRecord(std::string key) : m_key(std::move(key)) {}
  std::string getKey() const override { return m_key; }
  int dataType() const override { return 7; }
  bool bsonValueFromObj(const bson::BSONObj&, bool, std::string*) override { return true; }
  bson::BSONObj toBsonObj() const override { return bson::BSONObj(); }

private:
  std::string m_key;
};
}  // namespace

TEST(AccountSubscription, deliversOnOneHostThreadInPublicationOrder) {
  CAccountData account("acc");
  Collector seen;
  auto handle = account.subscribe(kCommand, "", boost::ref(seen));
  ASSERT_TRUE(handle);
  std::vector<int> published;
  for (int id = 1; id <= 500; ++id) {
    account.addOrUpdate(tenderCommand(id, "B", 0));
    published.push_back(id);
  }
  ASSERT_TRUE(account.waitForDeliveries());
  EXPECT_EQ(seen.snapshot(), published);
  std::lock_guard<std::mutex> lock(seen.mutex);
  for (const auto& id : seen.threads) {
    EXPECT_EQ(id, seen.threads.front());
    EXPECT_NE(id, std::this_thread::get_id());
  }
}

TEST(AccountSubscription, emptyKeyReceivesTheWholeTypeAndAKeyOnlyItsRecord) {
  CAccountData account("acc");
  Collector all, one, otherType;
  auto hAll = account.subscribe(kCommand, "", boost::ref(all));
  auto hOne = account.subscribe(kCommand, "OC.2", boost::ref(one));
  auto hOther = account.subscribe(7, "", boost::ref(otherType));
  for (int id : {1, 2, 3, 2}) account.addOrUpdate(tenderCommand(id, "B", 0));
  account.addOrUpdate(boost::make_shared<COtherRecord>("x"));
  ASSERT_TRUE(account.waitForDeliveries());
  EXPECT_EQ(all.snapshot(), (std::vector<int>{1, 2, 3, 2}));
  EXPECT_EQ(one.snapshot(), (std::vector<int>{2, 2}));
  EXPECT_EQ(otherType.snapshot(), (std::vector<int>{-1}));  // the type-7 record only
}

TEST(AccountSubscription, subscriberSeesOnlyWhatIsStoredAfterSubscribing) {
  CAccountData account("acc");
  account.addOrUpdate(tenderCommand(1, "B", 0));
  Collector seen;
  auto handle = account.subscribe(kCommand, "", boost::ref(seen));
  account.addOrUpdate(tenderCommand(2, "B", 0));
  ASSERT_TRUE(account.waitForDeliveries());
  EXPECT_EQ(seen.snapshot(), (std::vector<int>{2}));
}

TEST(AccountSubscription, emptyCallbackGivesNoHandle) {
  CAccountData account("acc");
  EXPECT_FALSE(account.subscribe(kCommand, "", CAccountData::RecordCallback()));
}

TEST(AccountSubscription, releaseFromAnotherThreadWaitsForTheRunningCallback) {
  CAccountData account("acc");
  std::mutex mutex;
  std::condition_variable changed;
  bool inside = false;
  std::atomic<bool> finished{false};
  std::atomic<int> calls{0};
  auto handle = account.subscribe(kCommand, "", [&](const IDataPtr&) {
    ++calls;
    {
      std::lock_guard<std::mutex> lock(mutex);
      inside = true;
    }
    changed.notify_all();
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    finished = true;
  });
  account.addOrUpdate(tenderCommand(1, "B", 0));
  {
    std::unique_lock<std::mutex> lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(5), [&] { return inside; }));
  }
  handle.reset();  // the last handle: must wait for the callback
  EXPECT_TRUE(finished.load());
  account.addOrUpdate(tenderCommand(2, "B", 0));
  ASSERT_TRUE(account.waitForDeliveries());
  EXPECT_EQ(calls.load(), 1);
}

TEST(AccountSubscription, releaseFromInsideItsOwnCallbackDoesNotDeadlock) {
  CAccountData account("acc");
  std::mutex handleMutex;
  CAccountData::SubRequestPtr handle;
  std::atomic<int> calls{0};
  {
    std::lock_guard<std::mutex> lock(handleMutex);
    handle = account.subscribe(kCommand, "", [&](const IDataPtr&) {
      ++calls;
      CAccountData::SubRequestPtr mine;
      {
        std::lock_guard<std::mutex> lock(handleMutex);
        mine.swap(handle);
      }
      mine.reset();  // last handle released on the delivery thread
    });
  }
  for (int id = 1; id <= 5; ++id) account.addOrUpdate(tenderCommand(id, "B", 0));
  ASSERT_TRUE(account.waitForDeliveries());
  EXPECT_EQ(calls.load(), 1);
}

TEST(AccountSubscription, aCopyOfTheHandleKeepsTheSubscription) {
  CAccountData account("acc");
  Collector seen;
  auto handle = account.subscribe(kCommand, "", boost::ref(seen));
  auto copy = handle;
  handle.reset();
  account.addOrUpdate(tenderCommand(1, "B", 0));
  ASSERT_TRUE(account.waitForDeliveries());
  EXPECT_EQ(seen.snapshot(), (std::vector<int>{1}));
  copy.reset();
  account.addOrUpdate(tenderCommand(2, "B", 0));
  ASSERT_TRUE(account.waitForDeliveries());
  EXPECT_EQ(seen.snapshot(), (std::vector<int>{1}));
}

TEST(AccountSubscription, throwingCallbackIsCaughtAndDeliveryGoesOn) {
  CAccountData account("acc");
  Collector seen;
  auto thrower = account.subscribe(kCommand, "", [](const IDataPtr& record) {
    if (record->getKey() == "OC.1") throw std::runtime_error("bad subscriber");
    if (record->getKey() == "OC.2") throw 42;
  });
  auto good = account.subscribe(kCommand, "", boost::ref(seen));
  for (int id = 1; id <= 3; ++id) account.addOrUpdate(tenderCommand(id, "B", 0));
  ASSERT_TRUE(account.waitForDeliveries());
  EXPECT_EQ(seen.snapshot(), (std::vector<int>{1, 2, 3}));
}

TEST(AccountSubscription, callbackMayTakeTheAccountLockAndStoreRecords) {
  CAccountData account("acc");
  std::atomic<std::size_t> countSeen{0};
  auto handle = account.subscribe(kCommand, "OC.1", [&](const IDataPtr&) {
    CAccountData::Lock lock(account);
    countSeen = account.records(kCommand).size();
    account.addOrUpdate(tenderCommand(2, "B", 0));  // publishing from a callback
  });
  Collector second;
  auto handle2 = account.subscribe(kCommand, "OC.2", boost::ref(second));
  account.addOrUpdate(tenderCommand(1, "B", 0));
  ASSERT_TRUE(account.waitForDeliveries());
  ASSERT_TRUE(account.waitForDeliveries());
  EXPECT_EQ(countSeen.load(), 1u);
  EXPECT_EQ(second.snapshot(), (std::vector<int>{2}));
}

TEST(AccountSubscription, severalThreadsSubscribePublishAndReleaseAtOnce) {
  CAccountData account("acc");
  const int threads = 4;
  const int perThread = 200;
  std::vector<Collector> seen(threads);
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&, t] {
      const std::string key = "OC." + std::to_string(t);
      auto handle = account.subscribe(kCommand, key, boost::ref(seen[t]));
      // A short-lived wildcard subscriber churns beside the keyed one.
      for (int i = 0; i < perThread; ++i) {
        auto churn = account.subscribe(kCommand, "", [](const IDataPtr&) {});
        account.addOrUpdate(tenderCommand(t, "B" + std::to_string(i), i));
      }
      // Other threads keep publishing, so wait for this key's records rather
      // than for an idle table.
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (seen[t].snapshot().size() < static_cast<std::size_t>(perThread) &&
             std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      handle.reset();
    });
  }
  for (auto& worker : workers) worker.join();
  for (int t = 0; t < threads; ++t) {
    EXPECT_EQ(seen[t].snapshot().size(), static_cast<std::size_t>(perThread)) << "thread " << t;
  }
  EXPECT_EQ(account.recordCount(kCommand), static_cast<std::size_t>(threads));
}

TEST(AccountSubscription, handleOutlivesTheAccount) {
  CAccountData::SubRequestPtr handle;
  {
    CAccountData account("acc");
    handle = account.subscribe(kCommand, "", [](const IDataPtr&) {});
    account.addOrUpdate(tenderCommand(1, "B", 0));
  }
  handle.reset();  // no account, no thread: must simply end
  SUCCEED();
}

TEST(AccountSubscription, destroyingTheAccountDropsUndeliveredChanges) {
  std::atomic<int> calls{0};
  std::atomic<bool> block{true};
  CAccountData::SubRequestPtr handle;
  std::thread unblock;
  {
    CAccountData account("acc");
    handle = account.subscribe(kCommand, "", [&](const IDataPtr&) {
      ++calls;
      while (block) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    for (int id = 1; id <= 10; ++id) account.addOrUpdate(tenderCommand(id, "B", 0));
    while (calls == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    unblock = std::thread([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      block = false;
    });
  }  // waits for the running callback, drops the other nine
  unblock.join();
  EXPECT_EQ(calls.load(), 1);
}
