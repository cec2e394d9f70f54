#include "tendertestsupport.h"

#include "host/services/accountdata.h"
#include "host/services/tradercenter.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "model/instrumentdata.h"
#include "tender/tenderids.h"

#include <QCoreApplication>
#include <boost/make_shared.hpp>

namespace tendertest {

boost::shared_ptr<LW::CTenderModel> tenderModel() {
  auto model = boost::make_shared<LW::CTenderModel>();
  model->setColumnDelegate(LW::kTenderActionColumn,
                           boost::make_shared<GU::CBaseTableColumnMultiButtonsDelegate>(
                               LW::kTenderActionColumn, nullptr));
  return model;
}

boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> actionButtons(
    const boost::shared_ptr<LW::CTenderModel>& model) {
  return boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
      model->columnDelegate(LW::kTenderActionColumn));
}

boost::shared_ptr<LW::CTenderModel> tenderModelHeldBy(const std::function<void()>& onWorker) {
  auto model = tenderModel();
  // The delegate belongs to the model: the raw pointer lives as long as it.
  LW::CTenderModel* raw = model.get();
  actionButtons(model)->setRepaintHook([raw, onWorker] {
    if (raw->isWorkerThread()) onWorker();
  });
  return model;
}

void stopHolding(const boost::shared_ptr<LW::CTenderModel>& model) {
  if (auto delegate = actionButtons(model)) delegate->setRepaintHook(boost::function<void()>());
}

void settle(const boost::shared_ptr<LW::CTenderModel>& model) {
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(model->waitForIdle(30000));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
  }
}

LW::TenderSearchQuery textQuery(const char* field, const std::string& text) {
  LW::TenderSearchQuery query;
  query.field = field;
  query.text = text;
  return query;
}

LW::TenderSearchQuery dateQuery(const char* field, const std::string& start,
                                const std::string& end) {
  LW::TenderSearchQuery query;
  query.isDateField = true;
  query.field = field;
  query.startDate = start;
  query.endDate = end;
  return query;
}

LW::TenderSearchQuery allBonds() { return textQuery("债券代码", ""); }

std::vector<std::string> listedCodes(const boost::shared_ptr<LW::CTenderModel>& model) {
  std::vector<std::string> codes;
  for (const GU::HpfRowPtr& row : model->getAllDatas()) {
    auto data = boost::dynamic_pointer_cast<LW::CInstrumentData>(row);
    codes.push_back(data && data->tenderBond() ? data->tenderBond()->bondCode : "?");
  }
  return codes;
}

mxservice::CTenderBondInfoDetailPtr listedDetail(const boost::shared_ptr<LW::CTenderModel>& model,
                                                 const std::string& bondCode) {
  for (const GU::HpfRowPtr& row : model->getAllDatas()) {
    auto data = boost::dynamic_pointer_cast<LW::CInstrumentData>(row);
    if (data && data->tenderBond() && data->tenderBond()->bondCode == bondCode) {
      return data->tenderBond();
    }
  }
  return nullptr;
}

mxservice::COrderCommandPtr storedCommand(int commandId) {
  auto account = mxservice::TraderCenter::instance()->getDataCenter()->getAccountData("");
  return account ? account->findOrderCommand(commandId) : nullptr;
}

WorkflowRig::WorkflowRig()
    : panel(std::make_unique<QWidget>()),
      model(tenderModel()),
      workflow(new LW::CTenderWorkflow(model, panel.get())) {
  workflow->followOrderCommands();
}

void WorkflowRig::search(const LW::TenderSearchQuery& query) {
  workflow->slotSearch(query);
  settle(model);
}

}  // namespace tendertest
