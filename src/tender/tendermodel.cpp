#include "tender/tendermodel.h"

#include "host/core/annotatedmutex.h"
#include "host/services/exchangeclient.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "model/instrumentdata.h"
#include "model/lwlog.h"
#include "tender/tenderbondmatcher.h"
#include "tender/tenderids.h"
#include "tender/tendersearchquery.h"
#include "tender/tenderstatustable.h"

#include <QCoreApplication>
#include <QStringLiteral>
#include <boost/bind/bind.hpp>
#include <boost/make_shared.hpp>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace LW {

CTenderModel::CTenderModel() : CHpfInsModel(mxservice::NQ_TRADER_BOND_TENDER) {}

// m_tenderMutex is held by a tender search from emptying the rows until its
// last look at the order commands, and by updateTenderRow() from its look at
// the commands until its row is replaced. A row update therefore never lands
// between a search's reading of the commands and its rows (where the search
// would write back an older status), and of two row updates the later look
// is written last. It is taken before sharedTenderStatusMutex, never after
// it, and nothing that waits for another thread runs under either.

CTenderModel::~CTenderModel() {
  // A search job holds m_tenderMutex; the base's own stop comes after this
  // member is gone. Returns at once on the worker thread.
  stopWorker();
}

void CTenderModel::searchTenderBonds(bool isDateField, const std::string& field,
                                     const std::string& text, const std::string& startDate,
                                     const std::string& endDate, bool internalOnly) {
  TenderSearchQuery query;
  query.isDateField = isDateField;
  query.field = field;
  query.text = text;
  query.startDate = startDate;
  query.endDate = endDate;
  query.internalOnly = internalOnly;
  if (!post(boost::bind(&CTenderModel::tenderSearchJob, this, query))) {
    LW_LOG_WARN(this, "LW::CTenderModel::searchTenderBonds",
                "tender search for field '%1%' not queued", field);
  }
}

void CTenderModel::tenderSearchJob(const TenderSearchQuery& query) {
  try {
    tenderSearchRows(query);
  } catch (const std::exception& e) {
    // The rows added so far stay; the table must still hear that the search
    // is over.
    LW_LOG_WARN(this, "LW::CTenderModel::tenderSearchJob", "tender search failed: %1%", e.what());
  }
  commitAndAnnounce();
}

// Walks the exchange client's tender details in key order and derives the
// kept bonds' statuses from one pass over the order commands for the whole
// search (CTenderStatusTable); once every row is in, looks at the commands
// again and corrects the statuses of commands changed meanwhile.
void CTenderModel::tenderSearchRows(const TenderSearchQuery& query) {
  const mxservice::ENqTraderType type = tradeType();
  const CTenderBondMatcher matcher(query);
  utils::CMutexLocker<utils::CMutex> lock(m_tenderMutex);
  // From the first read of the commands to the last status written, no
  // other model derives or writes a status (see sharedTenderStatusMutex).
  utils::CMutexLocker<utils::CMutex> sharedLock(sharedTenderStatusMutex);
  clear();
  const mxservice::TenderBondInfoDetailMap details =
      CExchangeClient::instance()->getTenderBondInfoDetails();
  // Read at the first kept bond, so a search that keeps nothing never
  // reads the order commands.
  std::vector<mxservice::COrderCommandPtr> commands;
  std::vector<int> statusesRead;
  std::unique_ptr<CTenderStatusTable> statuses;
  std::vector<std::pair<mxservice::CTenderBondInfoDetailPtr, int>> kept;
  for (const auto& entry : details) {
    const mxservice::CTenderBondInfoDetailPtr& detail = entry.second;
    if (!matcher.matches(detail.get())) continue;
    if (!statuses) {
      commands = currentOrderCommands();
      statuses.reset(new CTenderStatusTable(commands, &statusesRead));
    }
    const int status = statuses->status(detail->bondCode);
    // The detail is shared with the host and every other view: the status
    // written here is what they all read from now on.
    detail->setStatus(status);
    applyTenderButtons(detail->getKey(), status);
    addData(boost::make_shared<CInstrumentData>(type, detail));
    kept.emplace_back(detail, status);
  }
  if (!statuses) return;

  // A command that changed after the snapshot above was delivered to the
  // panel while its bond's row was perhaps not yet in the list, and the
  // panel then had no row to rebuild. Every row is in the list now, so a
  // change from here on finds its row (and its row update waits for this
  // search); the changes made up to now are caught by one more look.
  const std::vector<mxservice::COrderCommandPtr> now = currentOrderCommands();
  if (sameCommands(commands, statusesRead, now)) return;
  const CTenderStatusTable fresh(now);
  for (const auto& row : kept) {
    const int status = fresh.status(row.first->bondCode);
    if (status == row.second) continue;
    row.first->setStatus(status);
    applyTenderButtons(row.first->getKey(), status);
  }
}

void CTenderModel::updateTenderRow(boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail) {
  LW_CHECK(detail, return);
  {
    utils::CMutexLocker<utils::CMutex> lock(m_tenderMutex);
    utils::CMutexLocker<utils::CMutex> sharedLock(sharedTenderStatusMutex);
    boost::shared_ptr<CInstrumentData> row =
        boost::make_shared<CInstrumentData>(tradeType(), detail);
    const std::string rowKey = detail->getKey();
    const int status = deriveTenderStatus(detail->bondCode);
    detail->setStatus(status);
    applyTenderButtons(rowKey, status);
    updateData(row);
  }
  emit sigRefreshed();
}

int CTenderModel::deriveTenderStatus(const std::string& bondCode) const {
  return tenderStatusOfBond(currentOrderCommands(), bondCode);
}

QVector<GU::ButtonData> CTenderModel::buildTenderButtons(int status) {
  QVector<GU::ButtonData> buttons;
  switch (status) {
    case mxservice::ORDER_COMMAND_APPROVING:
    case mxservice::ORDER_COMMAND_RUNNING:
      buttons.append(GU::ButtonData(TENDER_BUTTON_LOCK,
                                    QCoreApplication::translate("LW::CTenderModel", "锁定"),
                                    GU::NORMAL_BUTTON_PRIMARY, false, QMap<int, QString>()));
      buttons.append(GU::ButtonData(TENDER_BUTTON_REVOKE,
                                    QCoreApplication::translate("LW::CTenderModel", "撤销"),
                                    GU::NORMAL_BUTTON_PRIMARY, false, QMap<int, QString>()));
      break;
    case mxservice::ORDER_COMMAND_LOCKED:
      buttons.append(GU::ButtonData(TENDER_BUTTON_UNLOCK,
                                    QCoreApplication::translate("LW::CTenderModel", "解锁"),
                                    GU::NORMAL_BUTTON_WARNING, false, QMap<int, QString>()));
      break;
    default:
      break;
  }
  return buttons;
}

void CTenderModel::applyTenderButtons(const std::string& rowKey, int status) const {
  // Column 3 has no button delegate when the panel removed the workflow
  // columns for viewers; the row goes on without buttons.
  const boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> delegate =
      boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
          columnDelegate(kTenderActionColumn));
  if (!delegate) return;
  delegate->setItemButtons(rowKey, buildTenderButtons(status), true);
  delegate->setItemVisible(rowKey, true, true);
}

}  // namespace LW
