#include "panel/instrumentspanel.h"

#include "host/core/singleton.h"
#include "host/services/brokertype.h"
#include "host/services/config.h"
#include "host/services/tradeclient.h"
#include "host/services/usermanager.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/hpftypes.h"
#include "host/ui/autoexpandtoolbar.h"
#include "host/ui/eventids.h"
#include "host/ui/searchtextlineedit.h"
#include "host/ui/smallnonormalbutton.h"
#include "model/instrumentmodel.h"
#include "model/tradetypetitle.h"
#include "panel/hpfinstable.h"
#include "tender/tenderamounts.h"
#include "tender/tenderids.h"
#include "tender/tendermodel.h"
#include "tender/tendersearchbar.h"
#include "tender/tenderworkflow.h"

#include <QEvent>
#include <QVBoxLayout>
#include <boost/make_shared.hpp>

namespace LW {

const char* const CInstrumentsPanel::kDockKey = "itm";

namespace {

// Foreign futures accept the contract spellings traders type: letters and
// digits, a product and a month separated by a blank, or a Chinese name
// (U+4E00 to U+9FA5).
const char* const kOuterFutureSearchPattern =
    "(^$)|([a-zA-Z0-9]+|[a-zA-Z]+[ ][a-zA-Z]+|[a-zA-Z]+[ ][0-9]+$)|(^[一-龥]*$)";
const char* const kSearchPattern = "(^$)|[a-zA-Z0-9]+$";

// Bit 8 of the host table flags makes the view follow the tail of a growing
// list; an instrument list is re-sorted and filtered, so the user's place is
// kept instead.
const int kFollowTailFlag = GU::TABLE_FLAG_FOLLOW_TAIL;

}  // namespace

// The table is made before anything else, so that no state of the panel is
// without one. It is made without a parent: the layout adopts it in
// createUi(), after the tool bar's widgets exist, which puts it behind them in
// the focus chain (a child made first would come first, and Tab would enter
// the panel at the table).
CInstrumentsPanel::CInstrumentsPanel(int id, mxservice::ENqTraderType tradeType, QWidget* parent)
    : ITradeDockableWidget(QString::fromLatin1(kDockKey), id,
                           ITradeDockableWidget::getDockWidgetInfo(QString::fromLatin1(kDockKey)),
                           parent),
      m_table(new CHpfInsTable(tradeType, nullptr)) {
  setTradeType(tradeType);
  // A bond-tender table holds a tender model: the panel then fronts the
  // tender workflow, and a search bar replaces the search field.
  if (const boost::shared_ptr<CTenderModel> tenderModel = m_table->tenderModel()) {
    m_tenderSearchBar = new CTenderSearchBar(this);
    m_tenderWorkflow = new CTenderWorkflow(tenderModel, this);
    connect(m_tenderSearchBar, SIGNAL(sigSearchRequested(LW::TenderSearchQuery)), m_tenderWorkflow,
            SLOT(slotSearch(LW::TenderSearchQuery)));
    relayTenderSignals();
  }
  createUi();

  CExchangeClient* exchange = utils::CManualSingletonT<CExchangeClient>::instance();
  connect(exchange,
          SIGNAL(sigStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>&, int)), this,
          SLOT(slotStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>&, int)));
  connect(exchange, SIGNAL(sigStockListChange(const set<string>&)), this,
          SLOT(slotStockListChange(const set<string>&)));
  connect(m_table, SIGNAL(sigSelectStock(QString)), this, SIGNAL(sigSelectStock(QString)));
  connect(m_table, SIGNAL(sigRefreshed()), this, SLOT(slotRefresh()));
  connect(exchange, SIGNAL(sigNewTradingDate(const std::string&, const std::string&)), this,
          SLOT(slotNewTradingDay(const std::string&, const std::string&)));

  m_table->setTradeType(tradeType);

  CTradeClient* tradeClient = utils::CManualSingletonT<CTradeClient>::instance();
  if (m_tenderWorkflow) {
    handleBondTenderSearchOperation();
    connect(tradeClient, SIGNAL(sigInitBondTenderDatasFinished()), this,
            SLOT(slotInitBondTenderDatasFinished()));
    m_tenderWorkflow->followOrderCommands();
  } else {
    reloadModel();
    if (waitsForInterBankData(tradeType)) {
      connect(tradeClient, SIGNAL(sigInitInterBankDatasFinished()), this,
              SLOT(slotInitInterBankDatasFinished()));
    }
  }
}

CInstrumentsPanel::~CInstrumentsPanel() {
  // Before anything else: returns once a host callback running on another
  // thread has left the panel; none starts afterwards.
  if (m_tenderWorkflow) m_tenderWorkflow->shutdown();
  disconnect();
  // Incoming connections go with QObject as well; dropping them here keeps a
  // host signal from reaching the panel while its members are torn down.
  CExchangeClient::instance()->disconnect(this);
  CTradeClient::instance()->disconnect(this);
  m_table->disconnect(this);
}

void CInstrumentsPanel::relayTenderSignals() {
  // The trade client's answer emits the workflow's signals on the trade
  // client's thread, and the panel's must leave from that same thread: a
  // host receiver connected directly handles the answer while the trade
  // client's callback still runs, and receivers elsewhere get it queued as
  // from any emitter. The default connection would instead queue the relay
  // to the GUI thread (later, on another thread, and lost if the panel closes
  // meanwhile), so these relays alone connect directly. Selections come from
  // the GUI thread and are relayed there.
  static const char* const kRelayed[] = {
      SIGNAL(sigBondExecutionLockedTenderBond(QString)),
      SIGNAL(sigBondAllocationLockedTenderBond(QString)),
      SIGNAL(sigBondExecutionDealFinishedTenderBond(QString)),
      SIGNAL(sigBondAllocationDealFinishedTenderBond(QString)),
      SIGNAL(sigBondExecutionApprovingTenderBond(QString)),
      SIGNAL(sigBondAllocationApprovingTenderBond(QString)),
      SIGNAL(sigBondExecutionRunningTenderBond(QString)),
      SIGNAL(sigBondAllocationRunningTenderBond(QString)),
      SIGNAL(sigBondExecutionStoppedTenderBond(QString)),
      SIGNAL(sigBondAllocationStoppedTenderBond(QString)),
      SIGNAL(sigBondExecutionSettleFinishedTenderBond(QString)),
      SIGNAL(sigBondAllocationSettleFinishedTenderBond(QString)),
      SIGNAL(sigRefreshCommandPanel(QString)),
  };
  for (const char* signal : kRelayed) {
    connect(m_tenderWorkflow, signal, this, signal, Qt::DirectConnection);
  }
}

void CInstrumentsPanel::createUi() {
  const mxservice::ENqTraderType type = tradeType();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* toolbar = new GU::CAutoExpandToolBar(QStringLiteral("lw_img_op_hedge_type_bg"), 2, 8, 2, 8,
                                             this, -1, -1);
  if (m_tenderSearchBar) {
    createBondTenderSearchUi(layout, toolbar);
  } else {
    m_searchEdit = new GU::CSearchTextLineEdit(0, toolbar, false);
    m_searchEdit->setLineEditFrame(true);
    m_searchEdit->setRegExp(QString::fromUtf8(
        type == mxservice::NQ_TRADER_OUTER_FUTURE ? kOuterFutureSearchPattern : kSearchPattern));
    toolbar->addToolItem(m_searchEdit, false);
    layout->addWidget(toolbar, 0);
  }

  m_table->setFlag(m_table->flag() & ~kFollowTailFlag);
  if (m_tenderWorkflow) {
    m_table->setColumnDelegate(
        kTenderActionColumn,
        boost::make_shared<GU::CBaseTableColumnMultiButtonsDelegate>(kTenderActionColumn, m_table));
    if (isTenderViewerUserType(getUserConfig()->userType())) {
      for (int column = kTenderFirstWorkflowColumn; column <= kTenderLastWorkflowColumn; ++column) {
        m_table->removeColumn(column);
      }
    }
  }

  // Adopted here, after the tool bar: the focus chain then leads from the
  // tool bar's items into the table, as the user reads the panel.
  layout->addWidget(m_table, 1);
  setLayout(layout);

  const QString title = tradeTypeToTitle(type);
  setWindowTitle(title);
  deliverEvent(GU::EVENT_DOCK_TITLE_CHANGED, 0, 0, title, nullptr);
}

QString CInstrumentsPanel::tradeTypeToTitle(mxservice::ENqTraderType tradeType) {
  return tradeTypeListTitle(static_cast<int>(tradeType));
}

void CInstrumentsPanel::changeEvent(QEvent* e) {
  if (e->type() == QEvent::LanguageChange) {
    const QString title = tradeTypeToTitle(tradeType());
    setWindowTitle(title);
    deliverEvent(GU::EVENT_DOCK_TITLE_CHANGED, 0, 0, title, nullptr);
    if (m_tenderSearchBar) {
      m_tenderSearchBar->retranslate();
      handleBondTenderSearchOperation();
    } else {
      reloadModel();
    }
  }
  ITradeDockableWidget::changeEvent(e);
}

void CInstrumentsPanel::setParam(const QString& param) { m_table->loadConfigStr(param); }

QString CInstrumentsPanel::param() const { return m_table->saveConfigStr(); }

void CInstrumentsPanel::slotStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>& stocks,
                                      int brokerType) {
  if (stocks.isEmpty()) return;
  if (!isBrokerTypeMatchTradeType(brokerType, tradeType(), BROKER_MATCH_ANY_BIT)) return;
  reloadModel();
}

void CInstrumentsPanel::slotRefresh() { m_table->updateTable(); }

void CInstrumentsPanel::slotStockListChange(const set<string>&) { reloadModel(); }

void CInstrumentsPanel::slotNewTradingDay(const std::string& newDate, const std::string& oldDate) {
  if (newDate.empty() || newDate == oldDate) return;
  reloadModel();
}

void CInstrumentsPanel::slotInitInterBankDatasFinished() {
  if (waitsForInterBankData(tradeType())) reloadModel();
}

void CInstrumentsPanel::slotInitBondTenderDatasFinished() { handleBondTenderSearchOperation(); }

bool CInstrumentsPanel::handleEvent(int id, int wParam, int lParam, QString text, void* data) {
  switch (id) {
    case GU::EVENT_EDIT_RETURN_PRESSED:
    case GU::EVENT_EDIT_TEXT_CHANGED:
      if (m_tenderSearchBar) {
        // Tender searches walk every tender detail: they run on Enter
        // only, never on each keystroke.
        if (id == GU::EVENT_EDIT_RETURN_PRESSED && testHintDate()) {
          handleBondTenderSearchOperation();
        }
      } else {
        // Codes, product codes and market codes are stored upper-case; the
        // search is case-insensitive for letters by upper-casing the input.
        m_filterText = text.toUpper();
        reloadModel();
      }
      return true;

    case GU::EVENT_QUERY_BUTTON_CLICKED:
      handleBondTenderSearchOperation();
      return true;

    case GU::EVENT_TABLE_TENDER_ROW_CLICKED:
      if (m_tenderWorkflow) m_tenderWorkflow->clickRow(wParam, lParam);
      return true;

    case GU::EVENT_COMBO_CURRENT_CHANGED:
      if (m_tenderSearchBar) m_tenderSearchBar->showModeOfChosenField();
      return true;

    case GU::EVENT_DELEGATE_BUTTON_PRESSED:
      if (m_tenderWorkflow) m_tenderWorkflow->pressRowButton(lParam, text);
      return true;

    case GU::EVENT_FAVORITE_BUTTON_PRESSED:
      emit sigSingleCodeOption(lParam, 0, text);
      return true;

    default:
      return GU::CBaseWidget::handleEvent(id, wParam, lParam, text, data);
  }
}

void CInstrumentsPanel::onOrderCommand(const boost::shared_ptr<mxservice::IData>& data) {
  if (m_tenderWorkflow) m_tenderWorkflow->onOrderCommand(data);
}

void CInstrumentsPanel::updateOptionalStatus(int, int operation, const QSet<QString>& codes) {
  if (m_table->insTradeType() != mxservice::NQ_TRADER_OUTER_FUTURE) return;
  if (getConfig()->isBrokerEdition()) return;
  m_table->updateFavoriteButtons(codes, operation == CUserConfig::FAVOURITE_ADDED);
}

void CInstrumentsPanel::refreshBondTenderReportData(std::string bondCode, double internalAmount,
                                                    double externalAmount) {
  if (m_tenderWorkflow) {
    m_tenderWorkflow->refreshReportData(bondCode, internalAmount, externalAmount);
  } else {
    // Another panel lists no tender rows; the host still learns the amounts.
    sendTenderReportAmounts(bondCode, internalAmount, externalAmount);
  }
}

void CInstrumentsPanel::refreshBondTenderWinBidAmount(std::string bondCode, double winBidAmount) {
  if (m_tenderWorkflow) {
    m_tenderWorkflow->refreshWinBidAmount(bondCode, winBidAmount);
  } else {
    sendTenderWinBidAmount(bondCode, winBidAmount);
  }
}

void CInstrumentsPanel::createBondTenderSearchUi(QVBoxLayout* layout,
                                                 GU::CAutoExpandToolBar* toolbar) {
  if (!m_tenderSearchBar) return;
  m_tenderSearchBar->build(layout, toolbar);
  startTimeLabel = m_tenderSearchBar->startTimeLabel();
  endTimeLabel = m_tenderSearchBar->endTimeLabel();
  startDateEdit = m_tenderSearchBar->startDateEdit();
  endDateEdit = m_tenderSearchBar->endDateEdit();
  searchFieldCombo = m_tenderSearchBar->searchFieldCombo();
  internalOnlyCheck = m_tenderSearchBar->internalOnlyCheck();
  searchTextEdit = m_tenderSearchBar->searchTextEdit();
  queryButton = m_tenderSearchBar->queryButton();
}

void CInstrumentsPanel::handleBondTenderSearchOperation() {
  if (m_tenderSearchBar) m_tenderSearchBar->requestSearch();
}

bool CInstrumentsPanel::isSearchDateTypeColumn(std::string field) {
  return CTenderSearchBar::isDateField(field);
}

void CInstrumentsPanel::refreshDateTypeSearchUi() {
  if (m_tenderSearchBar) m_tenderSearchBar->showDateMode();
}

void CInstrumentsPanel::refreshOtherTypeSearchUi() {
  if (m_tenderSearchBar) m_tenderSearchBar->showTextMode();
}

bool CInstrumentsPanel::testHintDate() {
  return !m_tenderSearchBar || m_tenderSearchBar->checkDateRange();
}

void CInstrumentsPanel::processBondTenderRowSelect(
    boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail) {
  if (m_tenderWorkflow) m_tenderWorkflow->selectRow(detail);
}

void CInstrumentsPanel::processBondTenderButtonClick(int buttonId, QString rowKey) {
  if (m_tenderWorkflow) m_tenderWorkflow->pressButton(buttonId, rowKey);
}

void CInstrumentsPanel::onUpdateTenderBondDetails(
    const utils::MXError& error, bson::BSONObj result, mxservice::EOrderCommandStatus status,
    boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail) {
  if (m_tenderWorkflow) m_tenderWorkflow->onUpdateTenderBondDetails(error, result, status, detail);
}

void CInstrumentsPanel::reloadModel() {
  // A tender list comes from the tender search, not from the instrument
  // load (which lists nothing for tenders): when the host's stock list or
  // trading day changes, a tender panel searches again with the criteria
  // its search bar shows, instead of emptying its list.
  if (m_tenderSearchBar) {
    handleBondTenderSearchOperation();
    return;
  }
  // Coalesced: announcements and keystrokes that arrive while a load waits
  // only change what that load searches for.
  m_table->model()->reload(m_filterText);
}

bool CInstrumentsPanel::waitsForInterBankData(mxservice::ENqTraderType tradeType) {
  return tradeType == mxservice::NQ_TRADER_INTER_BANK ||
         tradeType == mxservice::NQ_TRADER_INTER_BANK_FX ||
         tradeType == mxservice::NQ_TRADER_OTC_FUND;
}

}  // namespace LW
