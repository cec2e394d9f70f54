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
// tender workflow instead: it owns a tender search bar (CTenderSearchBar) in
// place of the search field and a tender workflow (CTenderWorkflow) that
// follows the host's order commands and carries out the row actions; the
// panel's tender operations forward to them and its tender signals are
// relayed from the workflow's. Panels of other types have neither, and their
// tender operations do nothing.
//
// Ownership: the table, the tool bar, the search field, the tender
// components and the tender search widgets are Qt children (of the panel or
// its tool bar) and are never deleted by hand. The table owns the instrument
// model. Rows and the records they show belong to the host.
//
// Threads: everything runs on the GUI thread, except onOrderCommand() (the
// account data's delivery thread) and onUpdateTenderBondDetails() (the trade
// client's thread), which the tender workflow guards; see tenderworkflow.h.
// The destructor shuts the workflow down before anything else, so that no
// host callback reaches a panel being destroyed.

#include "instrumentspanel_export.h"

#include "host/bson/bsonobj.h"
#include "host/core/mxerror.h"
#include "host/core/tradertypes.h"
#include "host/data/instrumentdetail.h"
#include "host/data/tenderbondinfodetail.h"
#include "host/services/exchangeclient.h"
#include "host/ui/tradedockablewidget.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <boost/shared_ptr.hpp>
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
class CTenderSearchBar;
class CTenderWorkflow;

class INSTRUMENTSPANEL_EXPORT CInstrumentsPanel : public ITradeDockableWidget {
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

  // The host hands over new report amounts / the winning-bid amount of one
  // bond: the shared detail is updated and sent to the trade client, and a
  // tender panel rebuilds the bond's row. Unknown bond codes change nothing.
  void refreshBondTenderReportData(std::string bondCode, double internalAmount,
                                   double externalAmount);
  void refreshBondTenderWinBidAmount(std::string bondCode, double winBidAmount);

  // The table of the panel; never null (made with the panel). For the host
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
  // A language switch: the title and the tender search bar are set again,
  // and the list reloads, so that its cells and buttons are made anew in the
  // new language.
  void changeEvent(QEvent* e) override;
  // The order-command subscription's callback (account data's delivery
  // thread): rebuilds the row of the bond the command belongs to.
  void onOrderCommand(const boost::shared_ptr<mxservice::IData>& data);

  // --- bond tender workflow --------------------------------------------------
  // These forward to the tender search bar and workflow of a tender panel
  // and do nothing on a panel of another type (isSearchDateTypeColumn
  // answers on every panel; testHintDate is then true).
  //
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
  // The trade client's answer to a tender detail update (its thread).
  void onUpdateTenderBondDetails(const utils::MXError& error, bson::BSONObj result,
                                 mxservice::EOrderCommandStatus status,
                                 boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail);

  // The tender search bar's widgets (Qt children of the tool bar; null on
  // other panels, internalOnlyCheck null unless user type 200).
  GU::CSimpleTextWidget* startTimeLabel = nullptr;
  GU::CSimpleTextWidget* endTimeLabel = nullptr;
  GU::CSoftCalendarLineEdit* startDateEdit = nullptr;
  GU::CSoftCalendarLineEdit* endDateEdit = nullptr;
  GU::CComboBox* searchFieldCombo = nullptr;
  GU::CCheckBox* internalOnlyCheck = nullptr;
  GU::CLineEdit* searchTextEdit = nullptr;
  GU::CSmallNoNormalButton* queryButton = nullptr;

private:
  // Queues a model reload with the current filter text, merged into a load
  // still waiting (see CHpfInsModel::reload); a tender search on a tender
  // panel.
  void reloadModel();
  void relayTenderSignals();
  static bool waitsForInterBankData(mxservice::ENqTraderType tradeType);

  CHpfInsTable* const m_table;                      // Qt child of the panel
  GU::CSearchTextLineEdit* m_searchEdit = nullptr;  // Qt child of the tool bar; null for tenders
  QString m_filterText;                             // upper-cased; GUI thread
  // Tender panels only (null otherwise); Qt children of the panel.
  CTenderSearchBar* m_tenderSearchBar = nullptr;
  CTenderWorkflow* m_tenderWorkflow = nullptr;
};

}  // namespace LW
