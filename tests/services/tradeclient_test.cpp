// The trade client's simulated server: asynchronous answers, injected
// failures, the command-status round trip and destruction with requests in
// flight.

#include "host/services/tradeclient.h"
#include "host/services/accountdata.h"
#include "host/services/hostservices.h"
#include "host/services/tradercenter.h"
#include "servicestestdata.h"

#include <gtest/gtest.h>
#include <QSignalSpy>

#include <atomic>
#include <boost/pointer_cast.hpp>
#include <condition_variable>
#include <mutex>
#include <thread>

using LW::CTradeClient;
using mxservice::CAccountData;
using mxservice::IDataPtr;

namespace {
// Answers of one or more requests, gathered from the worker thread.
struct Answers {
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<int> errorIds;
  std::vector<std::string> messages;
  std::vector<std::string> bondCodes;  // from the answer document
  std::vector<std::thread::id> threads;

  CTradeClient::ResultCallback callback() {
    return [this](const utils::MXError& error, bson::BSONObj result) {
      std::lock_guard<std::mutex> lock(mutex);
      errorIds.push_back(error.errorID());
      messages.push_back(error.errorMsg());
      bondCodes.push_back(result.getField("bondCode").String());
      threads.push_back(std::this_thread::get_id());
      arrived.notify_all();
    };
  }
  bool waitFor(std::size_t count) {
    std::unique_lock<std::mutex> lock(mutex);
    return arrived.wait_for(lock, std::chrono::seconds(10),
                            [&] { return errorIds.size() >= count; });
  }
  std::vector<int> ids() {
    std::lock_guard<std::mutex> lock(mutex);
    return errorIds;
  }
};

class TradeClientTest : public ::testing::Test {
protected:
  void SetUp() override {
    mxservice::CHostServices::install(servicestest::smallDataSet());
    client = CTradeClient::instance();
    client->setLatency(std::chrono::milliseconds(1));
  }
  void TearDown() override {
    client->waitForIdle();
    mxservice::CHostServices::reset();
  }
  mxservice::CAccountDataPtr account() {
    return mxservice::TraderCenter::instance()->getDataCenter()->getAccountData("");
  }

  CTradeClient* client = nullptr;
};
}  // namespace

TEST_F(TradeClientTest, tenderUpdateReturnsAtOnceAndAnswersOnceOnTheWorker) {
  client->setLatency(std::chrono::milliseconds(100));
  auto detail = servicestest::bareTenderBond("2400123");
  detail->setTrader("李四");
  detail->setInternalAmount(1.5);
  detail->setExternalAmount(0.25);
  Answers answers;
  client->updateTenderBondDetails(detail, answers.callback(), 0, 0);
  EXPECT_TRUE(answers.ids().empty());  // still in flight
  // The request carries the values of the moment it was made.
  detail->setTrader("later");
  ASSERT_TRUE(answers.waitFor(1));
  ASSERT_TRUE(client->waitForIdle());
  EXPECT_EQ(answers.ids(), (std::vector<int>{0}));
  EXPECT_EQ(answers.bondCodes.front(), "2400123");
  EXPECT_NE(answers.threads.front(), std::this_thread::get_id());
  CTradeClient::TenderServerState state;
  ASSERT_TRUE(client->serverTenderState("2400123", &state));
  EXPECT_EQ(state.trader, "李四");
  EXPECT_DOUBLE_EQ(state.internalAmount, 1.5);
  EXPECT_DOUBLE_EQ(state.externalAmount, 0.25);
  EXPECT_EQ(state.updates, 1);
}

TEST_F(TradeClientTest, emptyCallbackStillReachesTheServer) {
  auto detail = servicestest::bareTenderBond("2400456");
  detail->setWinBidAmount(3.0);
  client->updateTenderBondDetails(detail, CTradeClient::ResultCallback(), 0, 0);
  ASSERT_TRUE(client->waitForIdle());
  CTradeClient::TenderServerState state;
  ASSERT_TRUE(client->serverTenderState("2400456", &state));
  EXPECT_DOUBLE_EQ(state.winBidAmount, 3.0);
}

TEST_F(TradeClientTest, nullDetailIsAnsweredWithAnError) {
  Answers answers;
  client->updateTenderBondDetails(mxservice::CTenderBondInfoDetailPtr(), answers.callback(), 0, 0);
  ASSERT_TRUE(answers.waitFor(1));
  EXPECT_EQ(answers.ids(), (std::vector<int>{1001}));
}

TEST_F(TradeClientTest, failsRequestsForTheChosenBondCodes) {
  struct Case {
    std::string bondCode;
    int expectedError;
  };
  const std::vector<Case> cases = {{"2400123", 3}, {"2400456", 0}, {"9999999", 3}, {"", 0}};
  client->failBondCodes({"2400123", "9999999"}, 3, "timeout");
  for (const Case& c : cases) {
    Answers answers;
    client->updateTenderBondDetails(servicestest::bareTenderBond(c.bondCode), answers.callback(), 0,
                                    0);
    ASSERT_TRUE(answers.waitFor(1)) << c.bondCode;
    EXPECT_EQ(answers.ids().front(), c.expectedError) << c.bondCode;
    if (c.expectedError) {
      EXPECT_EQ(answers.messages.front(), "timeout");
    }
    // A failed request leaves the server's record untouched.
    EXPECT_EQ(client->serverTenderState(c.bondCode, nullptr), c.expectedError == 0) << c.bondCode;
  }
  client->clearFailures();
  Answers after;
  client->updateTenderBondDetails(servicestest::bareTenderBond("2400123"), after.callback(), 0, 0);
  ASSERT_TRUE(after.waitFor(1));
  EXPECT_EQ(after.ids().front(), 0);
}

TEST_F(TradeClientTest, failsEveryNthRequestCountingAllRequests) {
  client->failEveryNthRequest(3, 77, "busy");
  Answers answers;
  for (int i = 0; i < 4; ++i)
    client->updateTenderBondDetails(servicestest::bareTenderBond("2400123"), answers.callback(), 0,
                                    0);
  mxservice::EOrderCommandStatus locked = mxservice::ORDER_COMMAND_LOCKED;
  // Status requests count too: this is the fifth and sixth request.
  client->updateOrderCommandStatus(1002, locked, "tester", "", "pb", bson::BSONObj(),
                                   answers.callback(), false);
  client->updateOrderCommandStatus(1002, locked, "tester", "", "pb", bson::BSONObj(),
                                   answers.callback(), false);
  ASSERT_TRUE(answers.waitFor(6));
  EXPECT_EQ(answers.ids(), (std::vector<int>{0, 0, 77, 0, 0, 77}));
  // Error id 0 would read as success; an injected failure never uses it.
  client->failEveryNthRequest(1, 0, "zero");
  Answers zero;
  client->updateTenderBondDetails(servicestest::bareTenderBond("2400123"), zero.callback(), 0, 0);
  ASSERT_TRUE(zero.waitFor(1));
  EXPECT_NE(zero.ids().front(), 0);
}

TEST_F(TradeClientTest, commandStatusRoundTripReachesSubscribersWithTheNewStatus) {
  auto current = account();
  ASSERT_TRUE(current);
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<std::pair<int, int>> seen;  // (command id, status)
  auto handle =
      current->subscribe(mxservice::DATA_TYPE_ORDER_COMMAND, "", [&](const IDataPtr& record) {
        auto command = boost::dynamic_pointer_cast<mxservice::COrderCommand>(record);
        std::lock_guard<std::mutex> lock(mutex);
        seen.emplace_back(command->commandId, command->status());
        arrived.notify_all();
      });
  auto before = current->findOrderCommand(1001);
  mxservice::EOrderCommandStatus locked = mxservice::ORDER_COMMAND_LOCKED;
  client->updateOrderCommandStatus(1001, locked, "tester", "", "pb-1001", bson::BSONObj(),
                                   CTradeClient::ResultCallback(), false);
  {
    std::unique_lock<std::mutex> lock(mutex);
    ASSERT_TRUE(arrived.wait_for(lock, std::chrono::seconds(10), [&] { return !seen.empty(); }));
    EXPECT_EQ(seen.front(),
              std::make_pair(1001, static_cast<int>(mxservice::ORDER_COMMAND_LOCKED)));
  }
  ASSERT_TRUE(client->waitForIdle());
  // Stored in place, as a new record; a copy taken before keeps its status.
  auto commands = current->orderCommands();
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0]->commandId, 1001);
  EXPECT_EQ(commands[0]->status(), mxservice::ORDER_COMMAND_LOCKED);
  EXPECT_EQ(before->status(), mxservice::ORDER_COMMAND_RUNNING);
  auto log = client->handledRequests();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].kind, CTradeClient::RequestRecord::COMMAND_STATUS);
  EXPECT_EQ(log[0].bondCode, "2400123");
  EXPECT_EQ(log[0].passBackText, "pb-1001");
  EXPECT_EQ(log[0].userName, "tester");
}

TEST_F(TradeClientTest, commandStatusFailuresChangeNothing) {
  client->failBondCodes({"2400456"}, 9, "refused");
  Answers answers;
  mxservice::EOrderCommandStatus stopped = mxservice::ORDER_COMMAND_STOPPED;
  client->updateOrderCommandStatus(1002, stopped, "tester", "", "", bson::BSONObj(),
                                   answers.callback(), false);  // bond 2400456: injected
  client->updateOrderCommandStatus(4242, stopped, "tester", "", "", bson::BSONObj(),
                                   answers.callback(), false);  // no such command
  ASSERT_TRUE(answers.waitFor(2));
  EXPECT_EQ(answers.ids(), (std::vector<int>{9, 2002}));
  EXPECT_EQ(account()->findOrderCommand(1002)->status(), mxservice::ORDER_COMMAND_APPROVING);
  EXPECT_FALSE(account()->findOrderCommand(4242));

  mxservice::CHostServices::reset();  // no current account any more
  Answers noAccount;
  client->updateOrderCommandStatus(1001, stopped, "tester", "", "", bson::BSONObj(),
                                   noAccount.callback(), false);
  ASSERT_TRUE(noAccount.waitFor(1));
  EXPECT_EQ(noAccount.ids().front(), 2001);
}

TEST_F(TradeClientTest, requestsAreAnsweredInTheOrderMade) {
  Answers answers;
  std::vector<std::string> sent;
  for (int i = 0; i < 20; ++i) {
    sent.push_back("B" + std::to_string(i));
    client->updateTenderBondDetails(servicestest::bareTenderBond(sent.back()), answers.callback(),
                                    0, 0);
  }
  ASSERT_TRUE(answers.waitFor(sent.size()));
  std::lock_guard<std::mutex> lock(answers.mutex);
  EXPECT_EQ(answers.bondCodes, sent);
}

TEST_F(TradeClientTest, throwingCallbackDoesNotStopTheWorker) {
  client->updateTenderBondDetails(
      servicestest::bareTenderBond("2400123"),
      [](const utils::MXError&, bson::BSONObj) { throw std::runtime_error("caller bug"); }, 0, 0);
  Answers answers;
  client->updateTenderBondDetails(servicestest::bareTenderBond("2400456"), answers.callback(), 0,
                                  0);
  ASSERT_TRUE(answers.waitFor(1));
  EXPECT_EQ(answers.ids().front(), 0);
}

TEST_F(TradeClientTest, readySignalsReachSpies) {
  QSignalSpy interBank(client, SIGNAL(sigInitInterBankDatasFinished()));
  QSignalSpy tender(client, SIGNAL(sigInitBondTenderDatasFinished()));
  client->notifyInterBankDatasFinished();
  client->notifyBondTenderDatasFinished();
  client->notifyBondTenderDatasFinished();
  EXPECT_EQ(interBank.count(), 1);
  EXPECT_EQ(tender.count(), 2);
}

TEST(TradeClientLifetime, destructionDropsQueuedRequestsAndRunsNoLaterCallback) {
  std::atomic<int> calls{0};
  auto token = std::make_shared<int>(0);  // owned by every pending callback
  std::weak_ptr<int> watch = token;
  {
    CTradeClient client;
    client.setLatency(std::chrono::milliseconds(40));
    for (int i = 0; i < 10; ++i) {
      client.updateTenderBondDetails(
          servicestest::bareTenderBond("B"),
          [&calls, token](const utils::MXError&, bson::BSONObj) { ++calls; }, 0, 0);
    }
    token.reset();
  }
  const int atDestruction = calls.load();
  EXPECT_LT(atDestruction, 10);
  EXPECT_TRUE(watch.expired());  // the dropped callbacks were released
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(calls.load(), atDestruction);
}

TEST(TradeClientLifetime, destructionWaitsForTheCallbackBeingRun) {
  std::atomic<bool> started{false};
  std::atomic<bool> finished{false};
  {
    CTradeClient client;
    client.setLatency(std::chrono::milliseconds(0));
    client.updateTenderBondDetails(
        servicestest::bareTenderBond("B"),
        [&](const utils::MXError&, bson::BSONObj) {
          started = true;
          std::this_thread::sleep_for(std::chrono::milliseconds(60));
          finished = true;
        },
        0, 0);
    while (!started) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_TRUE(finished.load());
}

TEST(TradeClientLifetime, clientDestroyedFromItsOwnCallbackEndsCleanly) {
  std::mutex mutex;
  std::condition_variable changed;
  bool requestReturned = false;
  bool destroyed = false;
  auto* client = new CTradeClient();
  client->setLatency(std::chrono::milliseconds(0));
  client->updateTenderBondDetails(
      servicestest::bareTenderBond("B"),
      [&, client](const utils::MXError&, bson::BSONObj) {
        std::unique_lock<std::mutex> lock(mutex);
        // Nobody else may be inside the client while it goes.
        changed.wait(lock, [&] { return requestReturned; });
        delete client;
        destroyed = true;
        changed.notify_all();
      },
      0, 0);
  std::unique_lock<std::mutex> lock(mutex);
  requestReturned = true;
  changed.notify_all();
  EXPECT_TRUE(changed.wait_for(lock, std::chrono::seconds(10), [&] { return destroyed; }));
}

TEST(TradeClientLifetime, cancelPendingDropsQueuedCallbacks) {
  CTradeClient client;
  client.setLatency(std::chrono::milliseconds(200));
  std::atomic<int> calls{0};
  for (int i = 0; i < 3; ++i) {
    client.updateTenderBondDetails(
        servicestest::bareTenderBond("B"), [&](const utils::MXError&, bson::BSONObj) { ++calls; },
        0, 0);
  }
  client.cancelPending();
  EXPECT_TRUE(client.waitForIdle(std::chrono::seconds(5)));
  EXPECT_EQ(calls.load(), 0);
  EXPECT_TRUE(client.handledRequests().empty());
}
