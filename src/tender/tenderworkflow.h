#pragma once
// The bond tender workflow behind one tender panel: it runs the panel's
// tender searches on the tender model, follows the current account's order
// commands (data type 535) so that the row of a bond whose commands changed
// is rebuilt, turns a selected row into the state signal pair of its status,
// carries out the lock, unlock and revoke buttons of a row, handles the trade
// client's answer to such a request, and refreshes the amounts of one bond.
//
// A tender status comes from the order commands of its bond; the workflow
// never keeps one. A button press writes the shared tender detail and sends
// it to the trade client; on a successful answer the requested status goes
// to every order command of the bond (CInstrumentsHelper) and the state pair
// and sigRefreshCommandPanel() are emitted; the row changes only when the
// host reports the changed commands back through the subscription.
//
// Signals: the twelve state signals carry the tender payload ("<bond code>|"
// and the basic tender unit / 10000 with six decimals); the execution signal
// of a status always comes right before its allocation signal, and
// sigRefreshCommandPanel() (the bond code) after the pair. They are emitted
// on the thread the triggering call runs on: the GUI thread for a selection,
// the trade client's thread for an answer.
//
// Ownership: the model is shared with the table that shows it and is fixed
// for the workflow's life. The panel given to the constructor is the
// workflow's Qt parent, parents the unlock question and is the address the
// workflow's log records name.
//
// Threads:
// - GUI thread: construction, followOrderCommands(), shutdown(), the search,
//   row clicks and button presses (the unlock question is modal there).
// - onOrderCommand(): the account data's delivery thread; two commands are
//   never applied at once.
// - onUpdateTenderBondDetails(): the trade client's thread, only while the
//   workflow lives (see Destruction); it reads no widget and only asks the
//   trade client and emits signals.
// - refreshReportData() / refreshWinBidAmount(): the caller's thread; the row
//   is rebuilt there.
// - Destruction: shutdown() (called again by the destructor) closes the
//   callback gate, waiting for an answer being handled, and releases the
//   order-command subscription, waiting for a delivery in progress; no host
//   callback reaches the workflow afterwards. The panel calls it first thing
//   in its destructor, before anything the callbacks reach is torn down.

#include "host/bson/bsonobj.h"
#include "host/core/annotatedmutex.h"
#include "host/core/mxerror.h"
#include "host/core/tradertypes.h"
#include "host/data/idata.h"
#include "host/data/tenderbondinfodetail.h"
#include "host/services/accountdata.h"
#include "tender/tendersearchquery.h"

#include <QObject>
#include <QString>
#include <boost/shared_ptr.hpp>
#include <string>

class QWidget;

namespace utils {
class CLifetimeGate;
}

namespace LW {

class CTenderModel;

class CTenderWorkflow : public QObject {
  Q_OBJECT

public:
  // model: never null. panel: the Qt parent (see above); may be null in a
  // test, and the unlock question then has no parent.
  CTenderWorkflow(boost::shared_ptr<CTenderModel> model, QWidget* panel);
  ~CTenderWorkflow() override;

  // Subscribes to the order commands of the current account; without
  // account data there is no subscription and order commands are never
  // seen. Once, before any delivery can matter.
  void followOrderCommands();
  // Ends every host callback into the workflow (see Threads). Idempotent.
  void shutdown();

  // A row was selected (the panel's processBondTenderRowSelect): the state
  // pair of the detail's status with its payload (none for a status outside
  // the six), then sigRefreshCommandPanel(bond code). A null detail: nothing.
  void selectRow(boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail);
  // A click on the model row with that index (event 43; column 3 when the
  // click was in the action column). A click in the action column of a row
  // showing buttons (status 0, 2 or 204) is a button press, not a selection.
  // An unknown row or one without a tender detail: nothing.
  void clickRow(int column, int row);

  // A button of the row with key rowKey was pressed (the panel's
  // processBondTenderButtonClick): lock (26) and revoke (16) write the
  // trader and send the detail with the requested status 204 or 5; unlock
  // (27) asks the user first and, on Ok, also zeroes both report amounts and
  // requests 2. Any other id, an unknown row, or a row without a detail:
  // nothing.
  void pressButton(int buttonId, const QString& rowKey);
  // Event 228: pressButton() for a row of the bond-tender trading type only.
  void pressRowButton(int buttonId, const QString& rowKey);

  // An order command arrived (the subscription callback): rebuilds the row
  // of the first listed bond its tender parameters name. Commands of other
  // trading types or without readable tender parameters are ignored before
  // any lock is taken.
  void onOrderCommand(const boost::shared_ptr<mxservice::IData>& data);

  // The trade client's answer to a tender detail update with the requested
  // status (see above). A failure writes one error record, in the format and
  // at the location the host's log viewers know, and changes nothing else.
  // result is not used.
  void onUpdateTenderBondDetails(const utils::MXError& error, bson::BSONObj result,
                                 mxservice::EOrderCommandStatus status,
                                 boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail);

  // New amounts of one bond from the host (tenderamounts.h), then the bond's
  // row rebuilt. An unknown bond code changes nothing.
  void refreshReportData(const std::string& bondCode, double internalAmount, double externalAmount);
  void refreshWinBidAmount(const std::string& bondCode, double winBidAmount);

  // The tender payload of detail: "ABC|0.100000" for bond ABC with a basic
  // tender unit of 1000.
  static QString tenderPayload(const mxservice::CTenderBondInfoDetail& detail);

  // Shared with every trade client callback in flight; for tests.
  boost::shared_ptr<utils::CLifetimeGate> callbackGuard() const { return m_callbackGuard; }

signals:
  void sigBondExecutionLockedTenderBond(QString);
  void sigBondAllocationLockedTenderBond(QString);
  void sigBondExecutionDealFinishedTenderBond(QString);
  void sigBondAllocationDealFinishedTenderBond(QString);
  void sigBondExecutionApprovingTenderBond(QString);
  void sigBondAllocationApprovingTenderBond(QString);
  void sigBondExecutionRunningTenderBond(QString);
  void sigBondAllocationRunningTenderBond(QString);
  void sigBondExecutionStoppedTenderBond(QString);
  void sigBondAllocationStoppedTenderBond(QString);
  void sigBondExecutionSettleFinishedTenderBond(QString);
  void sigBondAllocationSettleFinishedTenderBond(QString);
  void sigRefreshCommandPanel(QString);

public slots:
  // Queues one tender search with query on the model (the search bar's
  // sigSearchRequested()).
  void slotSearch(const LW::TenderSearchQuery& query);

private:
  // The execution and then the allocation signal of status; false, with
  // nothing emitted, for a status outside the six of the workflow.
  bool emitStatePair(int status, const QString& payload);
  // Sends detail to the trade client with a guarded answer for requested.
  void sendDetail(const mxservice::CTenderBondInfoDetailPtr& detail,
                  mxservice::EOrderCommandStatus requested);

  const boost::shared_ptr<CTenderModel> m_model;
  // Qt parent. Its address is read on any thread (log records); it is used
  // as a widget on the GUI thread only.
  QWidget* const m_panel;
  utils::CRecursiveMutex m_orderCommandMutex;
  // Written by followOrderCommands() and shutdown() on the GUI thread only.
  mxservice::CAccountData::SubRequestPtr m_orderCommandSubscription;
  const boost::shared_ptr<utils::CLifetimeGate> m_callbackGuard;
};

}  // namespace LW
