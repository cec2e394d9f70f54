// The tender loop across threads, through the workflow and its model: the
// trade client answers on its worker, order commands arrive on the account's
// delivery thread, searches run on the model's worker while the GUI thread
// clicks and refreshes.

#include "tendertestsupport.h"

#include "host/core/lifetimegate.h"
#include "host/services/accountdata.h"
#include "host/services/exchangeclient.h"
#include "host/services/tradeclient.h"
#include "host/services/tradercenter.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "model/instrumentdata.h"
#include "tender/tenderstatustable.h"

#include <QPointer>
#include <QSignalSpy>
#include <atomic>
#include <boost/make_shared.hpp>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <random>
#include <thread>

using namespace tendertest;

namespace {

// Signals of the workflow recorded on this thread (queued when emitted
// elsewhere).
class Recorder : public QObject {
public:
  explicit Recorder(LW::CTenderWorkflow* workflow) {
    connect(workflow, &LW::CTenderWorkflow::sigBondExecutionLockedTenderBond, this,
            [this](QString v) { entries.push_back("ExecutionLocked " + v); });
    connect(workflow, &LW::CTenderWorkflow::sigBondAllocationLockedTenderBond, this,
            [this](QString v) { entries.push_back("AllocationLocked " + v); });
    connect(workflow, &LW::CTenderWorkflow::sigRefreshCommandPanel, this,
            [this](QString v) { entries.push_back("RefreshCommandPanel " + v); });
  }
  QStringList entries;
};

boost::shared_ptr<mxservice::CAccountData> account() {
  return mxservice::TraderCenter::instance()->getDataCenter()->getAccountData("");
}

boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> buttons(const WorkflowRig& rig) {
  return actionButtons(rig.model);
}

int commandStatus(int id) {
  auto command = storedCommand(id);
  return command ? command->status() : -999;
}

// The search a tender panel runs when it opens: tender date today.
LW::TenderSearchQuery todaysBonds() { return dateQuery("招标日", today(), today()); }

class TenderLoop : public TenderFixture {
protected:
  void SetUp() override {
    TenderFixture::SetUp();
    install({tenderBond("A1", today()), tenderBond("B1", today())},
            {orderCommand(1, "A1", 2), orderCommand(2, "A1", 0), orderCommand(3, "B1", 2)});
  }
};

}  // namespace

TEST_F(TenderLoop, lockRoundTripThroughTheServerEndsLockedWithTheUnlockButton) {
  WorkflowRig rig;
  rig.search(todaysBonds());
  ASSERT_EQ(listedDetail(rig.model, "A1")->status(), 2);
  ASSERT_EQ(buttons(rig)->itemButtons("TB.A1").size(), 2);
  Recorder recorder(rig.workflow);

  rig.workflow->pressButton(26, QStringLiteral("TB.A1"));

  const QStringList expectedSignals = {"ExecutionLocked A1|0.100000",
                                       "AllocationLocked A1|0.100000", "RefreshCommandPanel A1"};
  EXPECT_TRUE(waitFor([&] { return recorder.entries.size() >= 3; }));
  EXPECT_EQ(recorder.entries, expectedSignals);
  // The server pushes the changed commands back; the row follows them.
  EXPECT_TRUE(waitFor([&] {
    auto detail = listedDetail(rig.model, "A1");
    const auto unlock = buttons(rig)->itemButtons("TB.A1");
    return detail && detail->status() == 204 && unlock.size() == 1 && unlock[0].id == 27;
  }));
  EXPECT_EQ(commandStatus(1), 204);
  EXPECT_EQ(commandStatus(2), 204);
  EXPECT_EQ(commandStatus(3), 2);
  EXPECT_EQ(listedDetail(rig.model, "B1")->status(), 2);
  LW::CTradeClient::instance()->waitForIdle();
  ASSERT_TRUE(account()->waitForDeliveries());
  settle(rig.model);
  EXPECT_EQ(recorder.entries, expectedSignals);
}

TEST_F(TenderLoop, injectedServerFailureIsLoggedAndChangesNoStatus) {
  WorkflowRig rig;
  rig.search(todaysBonds());
  LogCapture capture;
  Recorder recorder(rig.workflow);
  LW::CTradeClient::instance()->failBondCodes({"A1"}, 3, "timeout");

  rig.workflow->pressButton(26, QStringLiteral("TB.A1"));
  EXPECT_TRUE(waitFor([&] {
    for (const auto& record : capture.records()) {
      if (record.level == 40000 &&
          record.message.find("error id:3, error message:timeout, bond code:A1") !=
              std::string::npos) {
        return true;
      }
    }
    return false;
  }));
  LW::CTradeClient::instance()->waitForIdle();
  ASSERT_TRUE(account()->waitForDeliveries());
  settle(rig.model);
  EXPECT_TRUE(recorder.entries.isEmpty());
  EXPECT_EQ(commandStatus(1), 2);
  EXPECT_EQ(commandStatus(2), 0);
  EXPECT_EQ(listedDetail(rig.model, "A1")->status(), 2);
  EXPECT_EQ(buttons(rig)->itemButtons("TB.A1").size(), 2);
  // The trader written before sending stays.
  EXPECT_EQ(listedDetail(rig.model, "A1")->trader(), "zhang.wei");
}

TEST_F(TenderLoop, answerAfterTheWorkflowIsGoneTouchesNothing) {
  LW::CTradeClient::instance()->setLatency(std::chrono::milliseconds(100));
  boost::shared_ptr<utils::CLifetimeGate> guard;
  {
    WorkflowRig rig;
    rig.search(todaysBonds());
    guard = rig.workflow->callbackGuard();
    rig.workflow->pressButton(26, QStringLiteral("TB.A1"));
    // The stand-in panel takes its workflow with it.
  }
  EXPECT_FALSE(guard->isAlive());
  ASSERT_TRUE(LW::CTradeClient::instance()->waitForIdle());
  // The detail update was answered, but nobody pushed a status.
  const auto requests = LW::CTradeClient::instance()->handledRequests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].kind, LW::CTradeClient::RequestRecord::TENDER_DETAILS);
  EXPECT_EQ(commandStatus(1), 2);
}

// Commands change on a host thread while searches and refreshes keep
// rebuilding the list: once everything has settled, every listed row shows
// the status its commands give, with the buttons of that status. A search
// that brought back a status older than the last command change, or a row
// update lost between a search's snapshot and its rows, fails this.
TEST_F(TenderLoop, rowsEndWithTheStatusOfTheLatestCommands) {
  const int bondCount = 40;
  std::vector<mxservice::CTenderBondInfoDetailPtr> bonds;
  std::vector<mxservice::COrderCommandPtr> commands;
  for (int i = 0; i < bondCount; ++i) {
    const std::string code = "S" + std::to_string(i);
    bonds.push_back(tenderBond(code, today()));
    commands.push_back(orderCommand(100 + 2 * i, code, 5));
    commands.push_back(orderCommand(101 + 2 * i, code, 2));
  }
  install(bonds, commands);
  WorkflowRig rig;
  rig.search(todaysBonds());

  std::atomic<bool> stop{false};
  std::thread host([&] {
    std::mt19937 random(7);
    const int statuses[] = {0, 2, 5, 201, 204, 3};
    auto target = account();
    int changes = 0;
    while (!stop.load() || changes < 400) {
      const int id = 100 + static_cast<int>(random() % (2 * bondCount));
      auto current = target->findOrderCommand(id);
      if (!current) continue;
      auto changed = boost::make_shared<mxservice::COrderCommand>(*current);
      changed->setStatus(statuses[random() % 6]);
      target->addOrUpdate(changed);
      if (++changes % 16 == 0) std::this_thread::sleep_for(std::chrono::microseconds(300));
      if (changes >= 4000) break;
    }
  });
  for (int i = 0; i < 40; ++i) {
    rig.workflow->slotSearch(todaysBonds());
    rig.workflow->refreshReportData("S" + std::to_string(i % bondCount), i, i);
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  stop = true;
  host.join();
  ASSERT_TRUE(account()->waitForDeliveries());
  settle(rig.model);

  const auto latest = LW::currentOrderCommands();
  ASSERT_EQ(listedCodes(rig.model).size(), static_cast<std::size_t>(bondCount));
  for (int i = 0; i < bondCount; ++i) {
    const std::string code = "S" + std::to_string(i);
    const int expected = LW::tenderStatusOfBond(latest, code);
    auto detail = listedDetail(rig.model, code);
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->status(), expected) << code;
    EXPECT_EQ(buttons(rig)->itemButtons("TB." + code),
              LW::CTenderModel::buildTenderButtons(expected))
        << code;
  }
}

// A command that changes while a search is rebuilding the list must not be
// lost: the search may have read the commands before the change, and the
// change's delivery may look for the row before the search has added it.
TEST_F(TenderLoop, commandChangesDuringASearchAreNotLost) {
  const int bondCount = 600;
  std::vector<mxservice::CTenderBondInfoDetailPtr> bonds;
  std::vector<mxservice::COrderCommandPtr> commands;
  for (int i = 0; i < bondCount; ++i) {
    const std::string code = "R" + std::to_string(i);
    bonds.push_back(tenderBond(code, today()));
    commands.push_back(orderCommand(1000 + i, code, 2));
    commands.push_back(orderCommand(5000 + i, code, 5));
  }
  install(bonds, commands);
  WorkflowRig rig;
  rig.search(todaysBonds());
  auto target = account();
  std::mt19937 random(11);
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE(round);
    rig.workflow->slotSearch(todaysBonds());
    // Changes spread over the time the search runs.
    std::thread host([&, seed = random()] {
      std::mt19937 local(seed);
      const int statuses[] = {0, 2, 204, 201};
      for (int i = 0; i < 60; ++i) {
        const int id = 1000 + static_cast<int>(local() % bondCount);
        auto changed = boost::make_shared<mxservice::COrderCommand>(*target->findOrderCommand(id));
        changed->setStatus(statuses[local() % 4]);
        target->addOrUpdate(changed);
        std::this_thread::sleep_for(std::chrono::microseconds(200 + local() % 300));
      }
    });
    host.join();
    ASSERT_TRUE(target->waitForDeliveries());
    settle(rig.model);
    const LW::CTenderStatusTable latest(LW::currentOrderCommands());
    std::map<std::string, mxservice::CTenderBondInfoDetailPtr> listed;
    for (const GU::HpfRowPtr& row : rig.model->getAllDatas()) {
      auto data = boost::dynamic_pointer_cast<LW::CInstrumentData>(row);
      if (data && data->tenderBond()) listed[data->tenderBond()->bondCode] = data->tenderBond();
    }
    ASSERT_EQ(listed.size(), static_cast<std::size_t>(bondCount));
    int wrong = 0;
    for (int i = 0; i < bondCount; ++i) {
      const std::string code = "R" + std::to_string(i);
      auto detail = listed[code];
      ASSERT_TRUE(detail);
      const int expected = latest.status(code);
      if (detail->status() != expected || buttons(rig)->itemButtons("TB." + code) !=
                                              LW::CTenderModel::buildTenderButtons(expected)) {
        ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

// A row update that arrives while a search rebuilds the list waits for the
// search: it never writes between the search's reading of the commands and
// its rows, where one of the two would overwrite the other's newer status.
TEST_F(TenderLoop, rowUpdateWaitsForARunningSearch) {
  std::mutex mutex;
  std::condition_variable wake;
  bool entered = false;
  bool released = false;
  // The search stops where it sets a row's buttons, on its worker, until
  // released.
  auto model = tenderModelHeldBy([&] {
    std::unique_lock<std::mutex> lock(mutex);
    entered = true;
    wake.notify_all();
    wake.wait(lock, [&] { return released; });
  });
  model->searchTenderBonds(false, "债券代码", "", "", "", false);
  {
    std::unique_lock<std::mutex> lock(mutex);
    ASSERT_TRUE(wake.wait_for(lock, std::chrono::seconds(10), [&] { return entered; }));
  }
  const auto a1 = LW::CExchangeClient::instance()->getTenderBondInfoDetails().at("TB.A1");
  std::atomic<bool> updated{false};
  std::thread updater([&] {
    model->updateTenderRow(a1);
    updated = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_FALSE(updated.load());
  {
    std::lock_guard<std::mutex> lock(mutex);
    released = true;
  }
  wake.notify_all();
  updater.join();
  EXPECT_TRUE(updated.load());
  ASSERT_TRUE(model->waitForIdle());
  stopHolding(model);
  EXPECT_EQ(model->rowCount(), 2);
  EXPECT_EQ(a1->status(), 2);
}
