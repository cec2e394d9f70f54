// The reactions of a bond-tender panel to its rows: the state signals of a
// selected tender, and the lock, unlock and revoke buttons, which write the
// shared tender detail and send it to the trade client. The answer comes
// back through onUpdateTenderBondDetails (tendercommandstatus.cpp).
//
// Lifetime of the answer: the trade client calls the completion callback on
// its own thread, possibly after this panel is gone. The callback therefore
// holds no bare panel pointer of its own: it shares the panel's
// CPanelCallbackGuard and reaches the panel only through runIfAlive(), which
// the destructor closes first (waiting for an answer being handled). A
// QPointer checked after a queued hop to the GUI thread was turned down: the
// answer's work (status requests and signals) is meant to happen on the
// trade client's thread, and a queued hop would also reorder it behind
// whatever the GUI thread has pending.

#include "host/core/singleton.h"
#include "host/services/tradeclient.h"
#include "host/services/usermanager.h"
#include "host/ui/messagebox.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"
#include "panel/hpfinstable.h"
#include "panel/instrumentspanel.h"
#include "tender/tendersignals_p.h"

#include <QPointer>
#include <boost/bind/bind.hpp>

namespace LW {

namespace {

enum ETenderButtonId { BUTTON_REVOKE = 16, BUTTON_LOCK = 26, BUTTON_UNLOCK = 27 };

}  // namespace

void CInstrumentsPanel::processBondTenderRowSelect(
    boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail) {
  if (!detail) return;
  emitTenderStatusPair(this, detail->status(), tenderPayload(*detail));
  emit sigRefreshCommandPanel(QString::fromStdString(detail->bondCode));
}

void CInstrumentsPanel::processBondTenderButtonClick(int buttonId, QString rowKey) {
  if (!m_table) return;
  const boost::shared_ptr<CInstrumentData> row =
      boost::dynamic_pointer_cast<CInstrumentData>(m_table->model()->getDataByKey(rowKey));
  if (!row) return;
  // A share of the detail: the row may leave the model (a new search) while
  // the request is on its way.
  const mxservice::CTenderBondInfoDetailPtr detail = row->tenderBond();
  if (!detail) return;

  const boost::shared_ptr<CPanelCallbackGuard> guard = m_callbackGuard;
  auto send = [this, &detail, &guard](mxservice::EOrderCommandStatus requested) {
    const boost::function<void(const utils::MXError&, bson::BSONObj)> answer =
        boost::bind(&CInstrumentsPanel::onUpdateTenderBondDetails, this, boost::placeholders::_1,
                    boost::placeholders::_2, requested, detail);
    const IBondTenderService::ResultCallback callback = [guard, answer](const utils::MXError& error,
                                                                        bson::BSONObj result) {
      guard->runIfAlive([&] { answer(error, result); });
    };
    utils::CManualSingletonT<CTradeClient>::instance()->updateTenderBondDetails(detail, callback, 0,
                                                                                0);
  };

  const std::string userName = getUserConfig()->userName();
  switch (buttonId) {
    case BUTTON_LOCK:
      detail->setTrader(userName);
      send(mxservice::ORDER_COMMAND_LOCKED);
      break;
    case BUTTON_UNLOCK: {
      // The question runs a modal event loop: the panel may be closed
      // meanwhile.
      const QPointer<CInstrumentsPanel> self(this);
      const QMessageBox::StandardButton answer = GU::CMessageBox::question(
          nullptr, this, QStringLiteral("提示"),
          QStringLiteral("解锁后重新锁定,执行投标内部报量和外部报量数据将会重置,确定解锁?"),
          QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton, false);
      if (!self || answer != QMessageBox::Ok) return;
      detail->setTrader(userName);
      // Locking again starts the bidding over: the amounts reported so far
      // no longer stand.
      detail->setInternalAmount(0);
      detail->setExternalAmount(0);
      send(mxservice::ORDER_COMMAND_RUNNING);
      break;
    }
    case BUTTON_REVOKE:
      detail->setTrader(userName);
      send(mxservice::ORDER_COMMAND_STOPPED);
      break;
    default:
      break;
  }
}

}  // namespace LW
