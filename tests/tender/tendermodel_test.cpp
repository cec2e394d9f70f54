// The tender model on its own: the status it derives from the current
// account, the rows, statuses and buttons a search leaves, the single-row
// rebuild, the order of queued searches, and its lifetime against a running
// search.

#include "tendertestsupport.h"

#include "host/services/exchangeclient.h"
#include "host/services/hostservices.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"

#include <QSignalSpy>
#include <boost/make_shared.hpp>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

using namespace tendertest;

namespace {

class TenderModelTest : public TenderFixture {};

TEST_F(TenderModelTest, derivesTheStatusFromTheCurrentAccount) {
  install({tenderBond("A", today())},
          {orderCommand(1, "A", 5), orderCommand(2, "B", 204), orderCommand(3, "A", 2)});
  LW::CTenderModel model;
  EXPECT_EQ(model.deriveTenderStatus("A"), 2);
  EXPECT_EQ(model.deriveTenderStatus("B"), 204);
  EXPECT_EQ(model.deriveTenderStatus("C"), -2);
  // Without a current account every bond is settled.
  mxservice::CHostServices::reset();
  EXPECT_EQ(model.deriveTenderStatus("A"), -2);
}

// A search writes each listed row's status, derived from its commands, and
// its buttons: lock before revoke while approving or running, unlock while
// locked, none once the tender is over.
TEST_F(TenderModelTest, eachStatusShowsItsActionButtons) {
  struct Case {
    const char* code;
    std::vector<int> commandStatuses;
    int status;
    std::vector<int> ids;
  };
  const std::vector<Case> cases = {
      {"S0", {0}, 0, {26, 16}}, {"S2", {2}, 2, {26, 16}}, {"S204", {5, 204}, 204, {27}},
      {"S201", {201}, 201, {}}, {"S5", {5, 5}, 5, {}},    {"SN", {}, -2, {}},
  };
  struct Button {
    const char* text;
    int type;
  };
  const std::map<int, Button> buttons = {{26, {"锁定", 1}}, {16, {"撤销", 1}}, {27, {"解锁", 3}}};

  std::vector<mxservice::CTenderBondInfoDetailPtr> bonds;
  std::vector<mxservice::COrderCommandPtr> commands;
  int id = 1;
  for (const Case& c : cases) {
    bonds.push_back(tenderBond(c.code, today()));
    for (int status : c.commandStatuses) commands.push_back(orderCommand(id++, c.code, status));
  }
  install(bonds, commands);
  auto model = tenderModel();
  QSignalSpy refreshed(model.get(), SIGNAL(sigRefreshed()));
  model->searchTenderBonds(false, "债券代码", "", "", "", false);
  settle(model);
  EXPECT_EQ(refreshed.count(), 1);

  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    ASSERT_TRUE(listedDetail(model, c.code));
    EXPECT_EQ(listedDetail(model, c.code)->status(), c.status);
    const std::string key = std::string("TB.") + c.code;
    EXPECT_TRUE(actionButtons(model)->isItemVisible(key));
    const QVector<GU::ButtonData> shown = actionButtons(model)->itemButtons(key);
    ASSERT_EQ(shown.size(), static_cast<int>(c.ids.size()));
    for (int i = 0; i < shown.size(); ++i) {
      EXPECT_EQ(shown[i].id, c.ids[i]);
      EXPECT_EQ(shown[i].text, u8(buttons.at(c.ids[i]).text));
      EXPECT_EQ(shown[i].type, buttons.at(c.ids[i]).type);
      EXPECT_FALSE(shown[i].hideWhenDisabled);
      EXPECT_TRUE(shown[i].tips.isEmpty());
    }
  }
  // A status no command gives has no buttons either.
  EXPECT_TRUE(LW::CTenderModel::buildTenderButtons(3).isEmpty());
}

TEST_F(TenderModelTest, rowUpdateRebuildsOneListedRowWithAFreshStatus) {
  auto a1 = tenderBond("A1", today());
  auto later = tenderBond("L1", daysFromToday(3));
  install({a1, later}, {orderCommand(1, "A1", 2), orderCommand(2, "L1", 204)});
  auto model = tenderModel();
  model->searchTenderBonds(true, "招标日", "", today(), today(), false);
  settle(model);
  ASSERT_EQ(listedCodes(model), std::vector<std::string>{"A1"});
  const GU::HpfRowPtr before = model->getDataByKey(QStringLiteral("TB.A1"));
  a1->setStatus(201);  // stale
  actionButtons(model)->setItemButtons("TB.A1", {}, false);
  QSignalSpy refreshed(model.get(), SIGNAL(sigRefreshed()));

  model->updateTenderRow(a1);
  EXPECT_EQ(refreshed.count(), 1);
  EXPECT_EQ(a1->status(), 2);
  EXPECT_EQ(actionButtons(model)->itemButtons("TB.A1"), LW::CTenderModel::buildTenderButtons(2));
  const GU::HpfRowPtr after = model->getDataByKey(QStringLiteral("TB.A1"));
  ASSERT_TRUE(after);
  EXPECT_NE(after, before);

  // A bond the list does not show gets its status, but no row.
  model->updateTenderRow(later);
  EXPECT_EQ(later->status(), 204);
  EXPECT_EQ(listedCodes(model), std::vector<std::string>{"A1"});
  // No detail: nothing at all.
  model->updateTenderRow(nullptr);
  EXPECT_EQ(refreshed.count(), 2);
}

TEST_F(TenderModelTest, lastQueuedSearchDecidesTheList) {
  std::vector<mxservice::CTenderBondInfoDetailPtr> bonds;
  for (int i = 0; i < 300; ++i) bonds.push_back(tenderBond("C" + std::to_string(i), today()));
  install(bonds, {});
  auto model = tenderModel();
  for (int i = 0; i < 25; ++i) {
    model->searchTenderBonds(false, "债券代码", "C" + std::to_string(i % 10), "", "", false);
  }
  model->searchTenderBonds(false, "债券代码", "C29", "", "", false);
  settle(model);
  EXPECT_EQ(listedCodes(model),
            (std::vector<std::string>{"C29", "C290", "C291", "C292", "C293", "C294", "C295", "C296",
                                      "C297", "C298", "C299"}));
}

// A model that no shared pointer owns runs its search on a bare pointer: its
// destructor must stop the worker before the search's own lock goes.
TEST_F(TenderModelTest, aModelDestroyedWhileItsSearchRunsWaitsForIt) {
  std::vector<mxservice::CTenderBondInfoDetailPtr> bonds;
  for (int i = 0; i < 50; ++i) bonds.push_back(tenderBond("D" + std::to_string(i), today()));
  install(bonds, {orderCommand(1, "D1", 2)});
  std::mutex mutex;
  std::condition_variable wake;
  bool entered = false;
  auto delegate = boost::make_shared<GU::CBaseTableColumnMultiButtonsDelegate>(3, nullptr);
  int buttonsSet = 0;
  {
    LW::CTenderModel model;
    model.setColumnDelegate(3, delegate);
    delegate->setRepaintHook([&] {
      std::lock_guard<std::mutex> lock(mutex);
      ++buttonsSet;
      entered = true;
      wake.notify_all();
    });
    model.searchTenderBonds(false, "债券代码", "", "", "", false);
    model.searchTenderBonds(false, "债券代码", "", "", "", false);
    std::unique_lock<std::mutex> lock(mutex);
    ASSERT_TRUE(wake.wait_for(lock, std::chrono::seconds(10), [&] { return entered; }));
  }
  // The running search finished inside the destructor, the queued one was
  // dropped: nothing reaches the delegate afterwards.
  int afterDestruction = 0;
  {
    std::lock_guard<std::mutex> lock(mutex);
    afterDestruction = buttonsSet;
  }
  EXPECT_GE(afterDestruction, 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  {
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(buttonsSet, afterDestruction);
  }
  delegate->setRepaintHook(boost::function<void()>());
}

}  // namespace
