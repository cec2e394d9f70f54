#include "tender/tenderworkflow.h"

#include "host/core/lifetimegate.h"
#include "host/core/logcenter.h"
#include "host/core/singleton.h"
#include "host/data/ordercommand.h"
#include "host/services/idatacenter.h"
#include "host/services/tradeclient.h"
#include "host/services/tradercenter.h"
#include "host/services/usermanager.h"
#include "host/ui/messagebox.h"
#include "model/instrumentdata.h"
#include "model/lwlog.h"
#include "tender/bondtendersparamreader.h"
#include "tender/instrumentshelper.h"
#include "tender/tenderamounts.h"
#include "tender/tenderids.h"
#include "tender/tendermodel.h"

#include <log4cxx/level.h>
#include <log4cxx/logger.h>
#include <log4cxx/spi/location/locationinfo.h>
#include <QPointer>
#include <QWidget>
#include <boost/bind/bind.hpp>
#include <boost/make_shared.hpp>

// Lifetime of the trade client's answer: the trade client calls the
// completion callback on its own thread, possibly after the panel is gone.
// The callback therefore holds no bare workflow pointer of its own: it shares
// the workflow's lifetime gate and reaches the workflow only through
// runIfAlive(), which shutdown() closes first (waiting for an answer being
// handled). A QPointer checked after a queued hop to the GUI thread was turned
// down: the answer's work (status requests and signals) is meant to happen on
// the trade client's thread, and a queued hop would also reorder it behind
// whatever the GUI thread has pending.

namespace LW {

namespace {

// The function, file, signature and line the host's log viewers group tender
// update failures by. They name the panel's operation, which this answer
// handler serves.
const char* const kAnswerFunction = "LW::CInstrumentsPanel::onUpdateTenderBondDetails";
const char* const kLogFileName = "CInstrumentsPanel";
const char* const kLogSignature =
    "void LW::CInstrumentsPanel::onUpdateTenderBondDetails(const utils::MXError&, "
    "bson::BSONObj, mxservice::EOrderCommandStatus, "
    "boost::shared_ptr<mxservice::CTenderBondInfoDetail>)";
const int kLogLine = 731;

// Status codes of a tender row that shows action buttons: a click on the
// action column of such a row is a button press, not a selection.
bool showsTenderButtons(int status) {
  return status == mxservice::ORDER_COMMAND_APPROVING ||
         status == mxservice::ORDER_COMMAND_RUNNING || status == mxservice::ORDER_COMMAND_LOCKED;
}

// The states the workflow asks for; answers for any other status (which the
// host may send on its own) only refresh the command panel.
bool isRequestedStatus(int status) {
  return status == mxservice::ORDER_COMMAND_LOCKED || status == mxservice::ORDER_COMMAND_RUNNING ||
         status == mxservice::ORDER_COMMAND_STOPPED;
}

}  // namespace

CTenderWorkflow::CTenderWorkflow(boost::shared_ptr<CTenderModel> model, QWidget* panel)
    : QObject(panel),
      m_model(std::move(model)),
      m_panel(panel),
      m_callbackGuard(boost::make_shared<utils::CLifetimeGate>()) {}

CTenderWorkflow::~CTenderWorkflow() { shutdown(); }

void CTenderWorkflow::followOrderCommands() {
  if (m_orderCommandSubscription) return;
  const boost::shared_ptr<mxservice::IDataCenter> dataCenter =
      mxservice::TraderCenter::instance()->getDataCenter();
  const boost::shared_ptr<mxservice::CAccountData> account =
      dataCenter ? dataCenter->getAccountData(std::string()) : nullptr;
  if (!account) return;
  // The callback carries this workflow's address: shutdown() releases the
  // subscription (waiting for a delivery in progress) before anything the
  // callback reads is gone.
  m_orderCommandSubscription = account->subscribe(
      mxservice::DATA_TYPE_ORDER_COMMAND, std::string(),
      boost::bind(&CTenderWorkflow::onOrderCommand, this, boost::placeholders::_1));
}

void CTenderWorkflow::shutdown() {
  m_callbackGuard->close();
  if (m_orderCommandSubscription) {
    m_orderCommandSubscription->release();
    m_orderCommandSubscription.reset();
  }
}

void CTenderWorkflow::slotSearch(const LW::TenderSearchQuery& query) {
  m_model->searchTenderBonds(query.isDateField, query.field, query.text, query.startDate,
                             query.endDate, query.internalOnly);
}

QString CTenderWorkflow::tenderPayload(const mxservice::CTenderBondInfoDetail& detail) {
  // The command views parse the unit back from this text; std::to_string
  // writes the "%f" form (six decimals, no exponent) they expect.
  return QString::fromStdString(detail.bondCode) + QLatin1Char('|') +
         QString::fromStdString(std::to_string(detail.basicBidUnit / 10000.0));
}

void CTenderWorkflow::selectRow(boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail) {
  if (!detail) return;
  emitStatePair(detail->status(), tenderPayload(*detail));
  emit sigRefreshCommandPanel(QString::fromStdString(detail->bondCode));
}

void CTenderWorkflow::clickRow(int column, int row) {
  const boost::shared_ptr<CInstrumentData> data =
      boost::dynamic_pointer_cast<CInstrumentData>(m_model->getData(row));
  if (!data) return;
  const mxservice::CTenderBondInfoDetailPtr detail = data->tenderBond();
  if (!detail) return;
  if (column == kTenderActionColumn && showsTenderButtons(detail->status())) return;
  selectRow(detail);
}

void CTenderWorkflow::pressRowButton(int buttonId, const QString& rowKey) {
  const boost::shared_ptr<CInstrumentData> row =
      boost::dynamic_pointer_cast<CInstrumentData>(m_model->getDataByKey(rowKey));
  if (row && row->tradeType() == mxservice::NQ_TRADER_BOND_TENDER) pressButton(buttonId, rowKey);
}

void CTenderWorkflow::pressButton(int buttonId, const QString& rowKey) {
  const boost::shared_ptr<CInstrumentData> row =
      boost::dynamic_pointer_cast<CInstrumentData>(m_model->getDataByKey(rowKey));
  if (!row) return;
  // A share of the detail: the row may leave the model (a new search) while
  // the request is on its way.
  const mxservice::CTenderBondInfoDetailPtr detail = row->tenderBond();
  if (!detail) return;

  const std::string userName = getUserConfig()->userName();
  switch (buttonId) {
    case TENDER_BUTTON_LOCK:
      detail->setTrader(userName);
      sendDetail(detail, mxservice::ORDER_COMMAND_LOCKED);
      break;
    case TENDER_BUTTON_UNLOCK: {
      // The question runs a modal event loop: the panel, and this workflow
      // with it, may be closed meanwhile.
      const QPointer<CTenderWorkflow> self(this);
      const QMessageBox::StandardButton answer = GU::CMessageBox::question(
          nullptr, m_panel, tr("提示"),
          tr("解锁后重新锁定,执行投标内部报量和外部报量数据将会重置,确定解锁?"),
          QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton, false);
      if (!self || answer != QMessageBox::Ok) return;
      detail->setTrader(userName);
      // Locking again starts the bidding over: the amounts reported so far
      // no longer stand.
      detail->setInternalAmount(0);
      detail->setExternalAmount(0);
      sendDetail(detail, mxservice::ORDER_COMMAND_RUNNING);
      break;
    }
    case TENDER_BUTTON_REVOKE:
      detail->setTrader(userName);
      sendDetail(detail, mxservice::ORDER_COMMAND_STOPPED);
      break;
    default:
      break;
  }
}

void CTenderWorkflow::sendDetail(const mxservice::CTenderBondInfoDetailPtr& detail,
                                 mxservice::EOrderCommandStatus requested) {
  const boost::function<void(const utils::MXError&, bson::BSONObj)> answer =
      boost::bind(&CTenderWorkflow::onUpdateTenderBondDetails, this, boost::placeholders::_1,
                  boost::placeholders::_2, requested, detail);
  const boost::shared_ptr<utils::CLifetimeGate> guard = m_callbackGuard;
  const IBondTenderService::ResultCallback callback = [guard, answer](const utils::MXError& error,
                                                                      bson::BSONObj result) {
    guard->runIfAlive([&] { answer(error, result); });
  };
  utils::CManualSingletonT<CTradeClient>::instance()->updateTenderBondDetails(detail, callback, 0,
                                                                              0);
}

// Runs on the account data's delivery thread. m_orderCommandMutex
// (recursive) is held for the whole search and row update, so two commands
// are never applied at once; only m_model is read. The row update takes the
// model's tender mutex inside it, never the other way.
void CTenderWorkflow::onOrderCommand(const boost::shared_ptr<mxservice::IData>& data) {
  const boost::shared_ptr<mxservice::COrderCommand> command =
      boost::dynamic_pointer_cast<mxservice::COrderCommand>(data);
  if (!command || command->tradeType != mxservice::NQ_TRADER_BOND_TENDER) return;

  // The command's parameters are the same for every row: read them once,
  // not once per listed bond.
  mxservice::CBondTendersParamPtr parameters;
  readBondTendersParam(command->params, parameters);
  if (!parameters) return;

  utils::CMutexLocker<utils::CRecursiveMutex> lock(m_orderCommandMutex);
  for (const GU::HpfRowPtr& candidate : m_model->getAllDatas()) {
    const boost::shared_ptr<CInstrumentData> row =
        boost::dynamic_pointer_cast<CInstrumentData>(candidate);
    if (!row || !row->tenderBond()) continue;
    if (parameters->bondCode != row->tenderBond()->bondCode) continue;
    m_model->updateTenderRow(row->tenderBond());
    break;
  }
}

// The trade client's thread, entered through m_callbackGuard (a lifetime
// gate closed by shutdown()).
void CTenderWorkflow::onUpdateTenderBondDetails(
    const utils::MXError& error, bson::BSONObj /*result*/, mxservice::EOrderCommandStatus status,
    boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail) {
  const void* const owner = m_panel;
  if (!detail) {
    LW_LOG_WARN(owner, kAnswerFunction, "answer without a tender detail (error id %1%) ignored",
                error.errorID());
    return;
  }
  if (error.isSuccess()) {
    const QString bondCode = QString::fromStdString(detail->bondCode);
    CInstrumentsHelper::updateCommandStatus(status, bondCode);
    if (isRequestedStatus(status)) emitStatePair(status, tenderPayload(*detail));
    emit sigRefreshCommandPanel(bondCode);
    return;
  }

  // The row keeps its status (the commands did not change); the trader and
  // amounts already written to the detail stay. The user is not told: the
  // command views show the commands as they are.
  utils::CLogCenter* logCenter = utils::CLogCenter::instance();
  if (!logCenter->logEnabled()) return;
  const log4cxx::LoggerPtr logger = logCenter->logger();
  const log4cxx::LevelPtr level = log4cxx::Level::getError();
  if (!logger || !logger->isEnabledFor(level)) return;
  logger->forcedLog(
      level,
      detail::lwLogText(
          owner, kAnswerFunction,
          "updateTenderBondDetails error,error id:%1%, error message:%2%, bond code:%3%",
          error.errorID(), error.errorMsg(), detail->bondCode),
      log4cxx::spi::LocationInfo(kLogFileName, kLogFileName, kLogSignature, kLogLine));
}

void CTenderWorkflow::refreshReportData(const std::string& bondCode, double internalAmount,
                                        double externalAmount) {
  if (const mxservice::CTenderBondInfoDetailPtr detail =
          sendTenderReportAmounts(bondCode, internalAmount, externalAmount)) {
    m_model->updateTenderRow(detail);
  }
}

void CTenderWorkflow::refreshWinBidAmount(const std::string& bondCode, double winBidAmount) {
  if (const mxservice::CTenderBondInfoDetailPtr detail =
          sendTenderWinBidAmount(bondCode, winBidAmount)) {
    m_model->updateTenderRow(detail);
  }
}

bool CTenderWorkflow::emitStatePair(int status, const QString& payload) {
  switch (status) {
    case mxservice::ORDER_COMMAND_LOCKED:
      emit sigBondExecutionLockedTenderBond(payload);
      emit sigBondAllocationLockedTenderBond(payload);
      return true;
    case mxservice::ORDER_COMMAND_DEAL_FINISHED:
      emit sigBondExecutionDealFinishedTenderBond(payload);
      emit sigBondAllocationDealFinishedTenderBond(payload);
      return true;
    case mxservice::ORDER_COMMAND_APPROVING:
      emit sigBondExecutionApprovingTenderBond(payload);
      emit sigBondAllocationApprovingTenderBond(payload);
      return true;
    case mxservice::ORDER_COMMAND_RUNNING:
      emit sigBondExecutionRunningTenderBond(payload);
      emit sigBondAllocationRunningTenderBond(payload);
      return true;
    case mxservice::ORDER_COMMAND_STOPPED:
      emit sigBondExecutionStoppedTenderBond(payload);
      emit sigBondAllocationStoppedTenderBond(payload);
      return true;
    case mxservice::ORDER_COMMAND_SETTLE_FINISHED:
      emit sigBondExecutionSettleFinishedTenderBond(payload);
      emit sigBondAllocationSettleFinishedTenderBond(payload);
      return true;
    default:
      return false;
  }
}

}  // namespace LW
