#include "panel/instrumentspanel.h"

#include "host/core/singleton.h"
#include "host/data/bondtendersparam.h"
#include "host/data/ordercommand.h"
#include "host/services/brokertype.h"
#include "host/services/config.h"
#include "host/services/idatacenter.h"
#include "host/services/tradeclient.h"
#include "host/services/tradercenter.h"
#include "host/services/usermanager.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/hpftypes.h"
#include "host/ui/autoexpandtoolbar.h"
#include "host/ui/combobox.h"
#include "host/ui/eventids.h"
#include "host/ui/searchtextlineedit.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"
#include "model/lwlog_p.h"
#include "panel/hpfinstable.h"
#include "tender/bondtendersparamreader.h"

#include <QVBoxLayout>
#include <boost/bind/bind.hpp>
#include <boost/make_shared.hpp>
#include <boost/thread/locks.hpp>

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

// User types whose tender panel shows no workflow columns (3 to 8: actions,
// status and the three amounts): viewers of the tender list who take no part
// in the bidding.
bool hidesTenderWorkflowColumns(int userType) { return userType == 101 || userType == 102; }

// Status codes of a tender row that shows action buttons: a click on the
// action column of such a row is a button press, not a selection.
bool showsTenderButtons(int status) {
  return status == mxservice::ORDER_COMMAND_APPROVING ||
         status == mxservice::ORDER_COMMAND_RUNNING || status == mxservice::ORDER_COMMAND_LOCKED;
}

const int kTenderActionColumn = 3;

}  // namespace

CInstrumentsPanel::CInstrumentsPanel(int id, mxservice::ENqTraderType tradeType, QWidget* parent)
    : ITradeDockableWidget(QString::fromLatin1(kDockKey), id,
                           ITradeDockableWidget::getDockWidgetInfo(QString::fromLatin1(kDockKey)),
                           parent),
      m_callbackGuard(boost::make_shared<CPanelCallbackGuard>()) {
  setTradeType(tradeType);
  createUi();

  CExchangeClient* exchange = utils::CManualSingletonT<CExchangeClient>::instance();
  connect(exchange,
          SIGNAL(sigStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>&, int)), this,
          SLOT(slotStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>&, int)));
  connect(exchange, SIGNAL(sigStockListChange(const set<string>&)), this,
          SLOT(slotStockListChange(const set<string>&)));
  if (m_table) {
    connect(m_table, SIGNAL(sigSelectStock(QString)), this, SIGNAL(sigSelectStock(QString)));
    connect(m_table, SIGNAL(sigRefreshed()), this, SLOT(slotRefresh()));
  }
  connect(exchange, SIGNAL(sigNewTradingDate(const std::string&, const std::string&)), this,
          SLOT(slotNewTradingDay(const std::string&, const std::string&)));

  if (!m_table) {
    LW_LOG_WARN(this, "LW::CInstrumentsPanel::CInstrumentsPanel",
                "no table for trading type %1%; the panel stays empty",
                static_cast<int>(tradeType));
    return;
  }
  m_table->setTradeType(tradeType);

  CTradeClient* tradeClient = utils::CManualSingletonT<CTradeClient>::instance();
  if (isTenderPanel()) {
    handleBondTenderSearchOperation();
    connect(tradeClient, SIGNAL(sigInitBondTenderDatasFinished()), this,
            SLOT(slotInitBondTenderDatasFinished()));

    boost::shared_ptr<mxservice::IDataCenter> dataCenter =
        mxservice::TraderCenter::instance()->getDataCenter();
    boost::shared_ptr<mxservice::CAccountData> account =
        dataCenter ? dataCenter->getAccountData(std::string()) : nullptr;
    if (account) {
      // The callback carries this panel's address: the destructor releases
      // the subscription (waiting for a delivery in progress) before any
      // member the callback reads is gone.
      m_orderCommandSubscription = account->subscribe(
          mxservice::DATA_TYPE_ORDER_COMMAND, std::string(),
          boost::bind(&CInstrumentsPanel::onOrderCommand, this, boost::placeholders::_1));
    }
  } else {
    reloadModel();
    if (waitsForInterBankData(tradeType)) {
      connect(tradeClient, SIGNAL(sigInitInterBankDatasFinished()), this,
              SLOT(slotInitInterBankDatasFinished()));
    }
  }
}

CInstrumentsPanel::~CInstrumentsPanel() {
  disconnect();
  // Incoming connections go with QObject as well; dropping them here keeps a
  // host signal from reaching the panel while its members are torn down.
  CExchangeClient::instance()->disconnect(this);
  CTradeClient::instance()->disconnect(this);
  if (m_table) m_table->disconnect(this);
  // Both waits return once a host callback running on another thread has
  // left the panel; none starts afterwards.
  m_callbackGuard->retire();
  if (m_orderCommandSubscription) {
    m_orderCommandSubscription->release();
    m_orderCommandSubscription.reset();
  }
}

void CInstrumentsPanel::createUi() {
  const mxservice::ENqTraderType type = tradeType();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* toolbar = new GU::CAutoExpandToolBar(QStringLiteral("lw_img_op_hedge_type_bg"), 2, 8, 2, 8,
                                             this, -1, -1);
  if (type != mxservice::NQ_TRADER_BOND_TENDER) {
    m_searchEdit = new GU::CSearchTextLineEdit(0, toolbar, false);
    m_searchEdit->setLineEditFrame(true);
    m_searchEdit->setRegExp(QString::fromUtf8(
        type == mxservice::NQ_TRADER_OUTER_FUTURE ? kOuterFutureSearchPattern : kSearchPattern));
    toolbar->addToolItem(m_searchEdit, false);
    layout->addWidget(toolbar, 0);
  } else {
    createBondTenderSearchUi(layout, toolbar);
  }

  m_table = new CHpfInsTable(type, this);
  m_table->setFlag(m_table->flag() & ~kFollowTailFlag);

  if (type == mxservice::NQ_TRADER_BOND_TENDER) {
    m_table->setColumnDelegate(
        kTenderActionColumn,
        boost::make_shared<GU::CBaseTableColumnMultiButtonsDelegate>(kTenderActionColumn, m_table));
    if (hidesTenderWorkflowColumns(getUserConfig()->userType())) {
      for (int column = 3; column <= 8; ++column) m_table->removeColumn(column);
    }
  }

  layout->addWidget(m_table, 1);
  setLayout(layout);

  const QString title = tradeTypeToTitle(type);
  setWindowTitle(title);
  deliverEvent(GU::EVENT_DOCK_TITLE_CHANGED, 0, 0, title, nullptr);
}

QString CInstrumentsPanel::tradeTypeToTitle(mxservice::ENqTraderType tradeType) {
  switch (static_cast<int>(tradeType)) {
    case mxservice::NQ_TRADER_STOCK:
    case mxservice::NQ_TRADER_CREDIT:
    case mxservice::NQ_TRADER_HK_CONNECT:
    case mxservice::NQ_TRADER_NEEQ:
    case mxservice::NQ_TRADER_HK_STOCK:
      return QStringLiteral("股票列表");
    case mxservice::NQ_TRADER_FUTURE:
    case mxservice::NQ_TRADER_FUTURE_OPTION:
    case mxservice::NQ_TRADER_STOCK_OPTION:
    case mxservice::NQ_TRADER_OUTER_FUTURE:
    case mxservice::NQ_TRADER_OTC_FUND:
    case mxservice::NQ_TRADER_FUTURE_SPEC:
    case mxservice::NQ_TRADER_OUTER_STOCK:
      return QStringLiteral("合约列表");
    case mxservice::NQ_TRADER_INTER_BANK:
    case mxservice::NQ_TRADER_FICC:
    case mxservice::NQ_TRADER_BOND_TENDER:
      return QStringLiteral("债券列表");
    default:
      // Combinations of trading types (1536 = 512 | 1024, the mixed lists)
      // and every other single type.
      return QStringLiteral("代码列表");
  }
}

void CInstrumentsPanel::setParam(const QString& param) {
  if (m_table) m_table->loadConfigStr(param);
}

QString CInstrumentsPanel::param() const { return m_table ? m_table->saveConfigStr() : QString(); }

void CInstrumentsPanel::slotStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>& stocks,
                                      int brokerType) {
  if (stocks.isEmpty()) return;
  if (!isBrokerTypeMatchTradeType(brokerType, tradeType(), BROKER_MATCH_ANY_BIT)) return;
  reloadModel();
}

void CInstrumentsPanel::slotRefresh() {
  if (m_table) m_table->updateTable();
}

void CInstrumentsPanel::slotStockListChange(const set<string>&) { reloadModel(); }

void CInstrumentsPanel::slotNewTradingDay(const std::string& newDate, const std::string& oldDate) {
  if (newDate.empty() || newDate == oldDate) return;
  reloadModel();
}

void CInstrumentsPanel::slotInitInterBankDatasFinished() {
  if (waitsForInterBankData(tradeType())) reloadModel();
}

void CInstrumentsPanel::slotInitBondTenderDatasFinished() {
  if (isTenderPanel()) handleBondTenderSearchOperation();
}

bool CInstrumentsPanel::handleEvent(int id, int wParam, int lParam, QString text, void* data) {
  const bool tender = isTenderPanel();
  switch (id) {
    case GU::EVENT_EDIT_RETURN_PRESSED:
    case GU::EVENT_EDIT_TEXT_CHANGED:
      if (!tender) {
        // Codes, product codes and market codes are stored upper-case; the
        // search is case-insensitive for letters by upper-casing the input.
        m_filterText = text.toUpper();
        reloadModel();
      } else if (id == GU::EVENT_EDIT_RETURN_PRESSED && testHintDate()) {
        // Tender searches walk every tender detail: they run on Enter
        // only, never on each keystroke.
        handleBondTenderSearchOperation();
      }
      return true;

    case GU::EVENT_QUERY_BUTTON_CLICKED:
      if (tender) handleBondTenderSearchOperation();
      return true;

    case GU::EVENT_TABLE_TENDER_ROW_CLICKED: {
      if (!m_table || !tender) return true;
      boost::shared_ptr<CInstrumentData> row =
          boost::dynamic_pointer_cast<CInstrumentData>(m_table->model()->getData(lParam));
      if (!row) return true;
      const mxservice::CTenderBondInfoDetailPtr detail = row->tenderBond();
      if (!detail) return true;
      if (wParam == kTenderActionColumn && showsTenderButtons(detail->status())) return true;
      processBondTenderRowSelect(detail);
      return true;
    }

    case GU::EVENT_COMBO_CURRENT_CHANGED:
      if (tender) {
        const QString field = searchFieldCombo ? searchFieldCombo->currentText() : QString();
        if (isSearchDateTypeColumn(field.toUtf8().toStdString())) {
          refreshDateTypeSearchUi();
        } else {
          refreshOtherTypeSearchUi();
        }
      }
      return true;

    case GU::EVENT_DELEGATE_BUTTON_PRESSED: {
      if (!m_table) return true;
      boost::shared_ptr<CInstrumentData> row =
          boost::dynamic_pointer_cast<CInstrumentData>(m_table->model()->getDataByKey(text));
      if (row && row->tradeType() == mxservice::NQ_TRADER_BOND_TENDER) {
        processBondTenderButtonClick(lParam, text);
      }
      return true;
    }

    case GU::EVENT_FAVORITE_BUTTON_PRESSED:
      emit sigSingleCodeOption(lParam, 0, text);
      return true;

    default:
      return GU::CBaseWidget::handleEvent(id, wParam, lParam, text, data);
  }
}

void CInstrumentsPanel::onOrderCommand(const boost::shared_ptr<mxservice::IData>& data) {
  boost::shared_ptr<mxservice::COrderCommand> command =
      boost::dynamic_pointer_cast<mxservice::COrderCommand>(data);
  if (!command || command->tradeType != mxservice::NQ_TRADER_BOND_TENDER) return;

  // The command's parameters are the same for every row: read them once,
  // not once per listed bond.
  mxservice::CBondTendersParamPtr parameters;
  readBondTendersParam(command->params, parameters);
  if (!parameters) return;

  boost::recursive_mutex::scoped_lock lock(m_orderCommandMutex);
  if (!m_table) return;
  boost::shared_ptr<CHpfInsModel> model = m_table->model();
  for (const GU::HpfRowPtr& candidate : model->getAllDatas()) {
    boost::shared_ptr<CInstrumentData> row =
        boost::dynamic_pointer_cast<CInstrumentData>(candidate);
    if (!row || !row->tenderBond()) continue;
    if (parameters->bondCode != row->tenderBond()->bondCode) continue;
    model->updateTenderRow(row->tenderBond());
    break;
  }
}

void CInstrumentsPanel::updateOptionalStatus(int, int operation, const QSet<QString>& codes) {
  if (!m_table || m_table->insTradeType() != mxservice::NQ_TRADER_OUTER_FUTURE) return;
  if (getConfig()->isBrokerEdition()) return;
  m_table->updateFavoriteButtons(codes, operation == CUserConfig::FAVOURITE_ADDED);
}

void CInstrumentsPanel::reloadModel() {
  // A tender list comes from the tender search, not from the instrument
  // load (which lists nothing for tenders): when the host's stock list or
  // trading day changes, a tender panel searches again with the criteria
  // its search bar shows, instead of emptying its list.
  if (isTenderPanel()) {
    handleBondTenderSearchOperation();
    return;
  }
  if (m_table) m_table->model()->refresh(m_filterText);
}

bool CInstrumentsPanel::isTenderPanel() const {
  return tradeType() == mxservice::NQ_TRADER_BOND_TENDER;
}

bool CInstrumentsPanel::waitsForInterBankData(mxservice::ENqTraderType tradeType) {
  return tradeType == mxservice::NQ_TRADER_INTER_BANK ||
         tradeType == mxservice::NQ_TRADER_INTER_BANK_FX ||
         tradeType == mxservice::NQ_TRADER_OTC_FUND;
}

}  // namespace LW
