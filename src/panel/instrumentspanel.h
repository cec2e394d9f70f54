#pragma once
// The dockable instruments panel: every tradable instrument of one trading
// type in a high-performance table, under a tool bar with a search field.
// The host creates one panel per dock (dock key "itm"); the panel reloads its
// list whenever the host announces a new stock list, changed instruments, a
// new trading day or (inter-bank types) finished inter-bank data, relays the
// selected instrument's stock key and turns the favourites button of a row
// into sigSingleCodeOption.
//
// For the bond-tender trading type (0x8000000) the same panel fronts the bond
// tender workflow instead: a tender search bar replaces the search field, the
// rows carry a workflow status and action buttons, and the panel follows the
// host's order commands (data type 535) through a subscription to the
// current account's data. The tender operations declared below are defined
// with the tender workflow (src/tender/).
//
// Ownership: the table, the tool bar, the search field and the tender search
// widgets are Qt children (of the panel or its tool bar) and are never deleted
// by hand. The table owns the instrument model. Rows and the records they show
// belong to the host.
//
// Threads:
// - Everything runs on the GUI thread except onOrderCommand(), which the host
//   calls on the account data's delivery thread, and onUpdateTenderBondDetails(),
//   which the trade client calls on its worker (through m_callbackGuard).
// - onOrderCommand() holds m_orderCommandMutex for its whole search and row
//   update, so two commands are never applied at once. It reads only members
//   fixed before the subscription was made (m_table, the model pointer).
// - Destruction (GUI thread): the destructor first disconnects every
//   connection, closes m_callbackGuard (waiting for a completion callback in
//   progress) and releases the order-command subscription (waiting for an
//   onOrderCommand in progress), so that no host callback reaches a panel
//   being destroyed. The Qt children, the table among them, go after that.

#include "host/bson/bsonobj.h"
#include "host/core/mxerror.h"
#include "host/core/tradertypes.h"
#include "host/data/instrumentdetail.h"
#include "host/data/tenderbondinfodetail.h"
#include "host/services/accountdata.h"
#include "host/services/exchangeclient.h"
#include "host/ui/tradedockablewidget.h"
#include "panel/panelcallbackguard.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <boost/shared_ptr.hpp>
#include <boost/thread/recursive_mutex.hpp>
#include <string>

class QVBoxLayout;

namespace GU {
class CAutoExpandToolBar;
class CCheckBox;
class CComboBox;
class CLineEdit;
class CSearchTextLineEdit;
class CSimpleTextWidget;
class CSmallNoNormalButton;
class CSoftCalendarLineEdit;
}  // namespace GU

namespace LW {

class CHpfInsTable;

class CInstrumentsPanel : public ITradeDockableWidget {
  Q_OBJECT

public:
  // The host's dock key of instrument panels.
  static const char* const kDockKey;  // "itm"

  CInstrumentsPanel(int id, mxservice::ENqTraderType tradeType, QWidget* parent);
  ~CInstrumentsPanel() override;

  // The panel's persisted text is the table's column layout (the host
  // table's own configuration text); nothing else is kept.
  void setParam(const QString& param) override;
  QString param() const override;

  // Called by the host when codes entered (operation 0) or left (any other
  // operation) the user's favourites. Only a type-64 panel outside the broker
  // edition follows it: the codes' "添加自选" buttons are disabled (entered)
  // or enabled again (left). The first integer is not used.
  void updateOptionalStatus(int, int operation, const QSet<QString>& codes);

  // Tender panels: the host hands over new report amounts / the winning-bid
  // amount of one bond; the shared detail is updated, sent to the trade
  // client and the bond's row rebuilt. Unknown bond codes change nothing.
  void refreshBondTenderReportData(std::string bondCode, double internalAmount,
                                   double externalAmount);
  void refreshBondTenderWinBidAmount(std::string bondCode, double winBidAmount);

  // The table of the panel; null only if it could not be made. For the host
  // and tests; the panel keeps ownership (Qt child).
  CHpfInsTable* table() const { return m_table; }
  // The search field of non-tender panels; null for the bond-tender type.
  GU::CSearchTextLineEdit* searchEdit() const { return m_searchEdit; }
  // The upper-cased text of the last search.
  QString filterText() const { return m_filterText; }

signals:
  void sigSelectStock(QString);
  void sigSingleCodeOption(int, int, QString);
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

protected slots:
  // A new stock list from the exchange client: reload unless the map is
  // empty or the broker type does not serve this panel's trading type.
  void slotStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>&, int);
  // The model finished a load: repaint the table from it.
  void slotRefresh();
  // Changed instruments: reload (which codes changed does not matter).
  void slotStockListChange(const set<string>&);
  // A new trading day: reload unless the new date is empty or unchanged.
  void slotNewTradingDay(const std::string&, const std::string&);
  // Inter-bank data ready (types 32768, 0x2000000 and 512 only): reload.
  void slotInitInterBankDatasFinished();
  // Bond-tender data ready (tender panels only): run the tender search.
  void slotInitBondTenderDatasFinished();

protected:
  void createUi();
  QString tradeTypeToTitle(mxservice::ENqTraderType tradeType);
  bool handleEvent(int id, int wParam, int lParam, QString text, void* data) override;
  // The subscription callback of tender panels (account data's delivery
  // thread). Rebuilds the row of the bond the command belongs to.
  void onOrderCommand(const boost::shared_ptr<mxservice::IData>& data);

  // --- bond tender workflow (defined in src/tender/) ------------------------
  // Builds the tender search bar into toolbar and adds toolbar to layout;
  // nothing when either is null.
  void createBondTenderSearchUi(QVBoxLayout* layout, GU::CAutoExpandToolBar* toolbar);
  // Reads the search bar and queues one tender search on the model.
  void handleBondTenderSearchOperation();
  // True for the seven date fields of the search-field combo box.
  bool isSearchDateTypeColumn(std::string field);
  void refreshDateTypeSearchUi();
  void refreshOtherTypeSearchUi();
  // False (after showing a tip) when the shown date range is invalid.
  bool testHintDate();
  void processBondTenderRowSelect(boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail);
  void processBondTenderButtonClick(int buttonId, QString rowKey);
  // Completion callback of the trade client's tender detail update; runs on
  // the trade client's thread. Bind it through m_callbackGuard.
  void onUpdateTenderBondDetails(const utils::MXError& error, bson::BSONObj result,
                                 mxservice::EOrderCommandStatus status,
                                 boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail);

  // Shared with every host callback that carries this panel's address; see
  // panelcallbackguard.h.
  boost::shared_ptr<CPanelCallbackGuard> callbackGuard() const { return m_callbackGuard; }

private:
  // Queues a model reload with the current filter text.
  void reloadModel();
  bool isTenderPanel() const;
  static bool waitsForInterBankData(mxservice::ENqTraderType tradeType);

  CHpfInsTable* m_table = nullptr;                  // Qt child of the panel
  GU::CSearchTextLineEdit* m_searchEdit = nullptr;  // Qt child of the tool bar; null for tenders
  QString m_filterText;                             // upper-cased; GUI thread

protected:
  // The tender search bar (Qt children of the tool bar; null until
  // createBondTenderSearchUi, internalOnlyCheck null unless user type 200).
  GU::CSimpleTextWidget* startTimeLabel = nullptr;
  GU::CSimpleTextWidget* endTimeLabel = nullptr;
  GU::CSoftCalendarLineEdit* startDateEdit = nullptr;
  GU::CSoftCalendarLineEdit* endDateEdit = nullptr;
  GU::CComboBox* searchFieldCombo = nullptr;
  GU::CCheckBox* internalOnlyCheck = nullptr;
  GU::CLineEdit* searchTextEdit = nullptr;
  GU::CSmallNoNormalButton* queryButton = nullptr;

private:
  // Serialises onOrderCommand (recursive: a nested call on the same thread
  // does not block).
  boost::recursive_mutex m_orderCommandMutex;
  // Tender panels with account data at construction; released first thing in
  // the destructor. Written only by the constructor.
  mxservice::CAccountData::SubRequestPtr m_orderCommandSubscription;
  // Closed by the destructor before anything else; see panelcallbackguard.h.
  boost::shared_ptr<CPanelCallbackGuard> m_callbackGuard;
};

}  // namespace LW
