// Tender statuses are written into the tender details that every panel
// shares. A search left running by a tender panel that was closed meanwhile
// must not write a status derived from older order commands over a newer
// one that a live panel wrote: the closed panel no longer receives the
// delivery that would correct it.

#include "tendertestsupport.h"

#include "host/services/accountdata.h"
#include "host/services/exchangeclient.h"
#include "host/services/tradercenter.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "tender/tenderstatustable.h"

#include <boost/make_shared.hpp>
#include <condition_variable>
#include <mutex>

using namespace tendertest;

namespace {

class StaleTenderStatus : public TenderFixture {};

TEST_F(StaleTenderStatus, leftoverSearchOfAClosedPanelDoesNotOverwriteANewerStatus) {
  install({tenderBond("W1", today()), tenderBond("X1", today())},
          {orderCommand(1, "W1", 2), orderCommand(2, "X1", 2)});
  auto account = mxservice::TraderCenter::instance()->getDataCenter()->getAccountData("");
  // The workflow and model of a live tender panel.
  WorkflowRig live;
  live.search(dateQuery("招标日", today(), today()));
  ASSERT_EQ(listedDetail(live.model, "X1")->status(), 2);

  // The model of a panel that has been closed while its search runs.
  std::mutex mutex;
  std::condition_variable wake;
  int calls = 0;
  int blockedAt = 0;
  int releaseUpTo = 0;
  auto model = tenderModelHeldBy([&] {
    std::unique_lock<std::mutex> lock(mutex);
    ++calls;
    if (calls == 1 || calls == 5) {
      blockedAt = calls;
      wake.notify_all();
      wake.wait(lock, [&] { return releaseUpTo >= calls; });
    }
  });
  auto waitBlocked = [&](int at) {
    std::unique_lock<std::mutex> lock(mutex);
    return wake.wait_for(lock, std::chrono::seconds(10), [&] { return blockedAt == at; });
  };
  auto release = [&](int at) {
    std::lock_guard<std::mutex> lock(mutex);
    releaseUpTo = at;
    wake.notify_all();
  };
  // The live panel's row update may have to wait for the held search, so
  // deliveries are given only a short while here; the final check waits
  // for all of them.
  auto change = [&](int id, int status) {
    auto changed = boost::make_shared<mxservice::COrderCommand>(*account->findOrderCommand(id));
    changed->setStatus(status);
    account->addOrUpdate(changed);
    account->waitForDeliveries(std::chrono::milliseconds(300));
  };

  model->searchTenderBonds(false, "债券代码", "", "", "", false);
  ASSERT_TRUE(waitBlocked(1));  // W1 written from the search's snapshot
  change(1, 0);
  change(2, 0);
  release(1);
  ASSERT_TRUE(waitBlocked(5));  // second look: W1 corrected, X1 not yet
  change(2, 204);               // the live panel's update of X1 to locked
  release(5);
  ASSERT_TRUE(model->waitForIdle());
  ASSERT_TRUE(account->waitForDeliveries());
  stopHolding(model);
  settle(live.model);

  const int expected = LW::tenderStatusOfBond(LW::currentOrderCommands(), "X1");
  EXPECT_EQ(expected, 204);
  EXPECT_EQ(actionButtons(live.model)->itemButtons("TB.X1"),
            LW::CTenderModel::buildTenderButtons(204));
  // The shared detail the live panel shows:
  EXPECT_EQ(listedDetail(live.model, "X1")->status(), expected);
}

}  // namespace
