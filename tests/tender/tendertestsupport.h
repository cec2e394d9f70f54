#pragma once
// Shared fixtures of the tender tests, which test the tender components
// without a panel: a tender model with the action-button delegate a tender
// panel installs, a workflow serving a stand-in panel widget, and readers of
// the model's rows. Record builders and the host fixture come from
// tests/support (testrecords.h).

#include "eventwait.h"
#include "logcapture.h"
#include "tender/tendermodel.h"
#include "tender/tendersearchquery.h"
#include "tender/tenderworkflow.h"
#include "testrecords.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace GU {
class CBaseTableColumnMultiButtonsDelegate;
}

namespace tendertest {

using namespace testsupport;

// A tender model whose column 3 has a multi-button delegate of its own, as a
// tender panel's table gives it.
boost::shared_ptr<LW::CTenderModel> tenderModel();
boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> actionButtons(
    const boost::shared_ptr<LW::CTenderModel>& model);

// A tender model as above whose delegate calls onWorker at each request to
// repaint a row made on the model's worker (the search sets a row's buttons),
// so that a test can hold a search there.
boost::shared_ptr<LW::CTenderModel> tenderModelHeldBy(const std::function<void()>& onWorker);
// Stops calling the onWorker of tenderModelHeldBy.
void stopHolding(const boost::shared_ptr<LW::CTenderModel>& model);

// Waits until the model is idle and its sigRefreshed() reached this thread.
void settle(const boost::shared_ptr<LW::CTenderModel>& model);

// Queries of the search bar: a text field with a text, and a date range.
LW::TenderSearchQuery textQuery(const char* field, const std::string& text);
LW::TenderSearchQuery dateQuery(const char* field, const std::string& start,
                                const std::string& end);
// Every bond: the bond-code field with an empty text.
LW::TenderSearchQuery allBonds();

// The bond codes of the model's rows, in model order ("?" for a row without a
// tender detail), and the detail of one listed bond (null if none).
std::vector<std::string> listedCodes(const boost::shared_ptr<LW::CTenderModel>& model);
mxservice::CTenderBondInfoDetailPtr listedDetail(const boost::shared_ptr<LW::CTenderModel>& model,
                                                 const std::string& bondCode);
// The current account's command with that id (its latest stored version).
mxservice::COrderCommandPtr storedCommand(int commandId);

// A tender workflow as a tender panel holds it: a stand-in panel widget (its
// Qt parent), its model, its subscription. Destroying the widget destroys the
// workflow.
struct WorkflowRig {
  WorkflowRig();
  // Runs a search and waits for it.
  void search(const LW::TenderSearchQuery& query);

  std::unique_ptr<QWidget> panel;
  boost::shared_ptr<LW::CTenderModel> model;
  LW::CTenderWorkflow* workflow;  // Qt child of panel
};

using TenderFixture = testsupport::TenderHostFixture;

}  // namespace tendertest
