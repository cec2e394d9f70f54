#include "bondinfo/bondinfopanel.h"

#include "host/core/stockkey.h"
#include "host/data/instrumentdetail.h"
#include "host/services/exchangeclient.h"
#include "host/services/idatacenter.h"
#include "host/services/quoteclient.h"
#include "host/services/tradercenter.h"
#include "host/table/columnproperty.h"
#include "host/table/hpfdatatable.h"
#include "host/table/hpfextradatamodel.h"
#include "host/text/numberformat.h"
#include "host/ui/autoexpandtoolbar.h"
#include "host/ui/eventids.h"
#include "host/ui/searchtextlineedit.h"
#include "host/ui/widgetlist.h"

#include <QCoreApplication>
#include <QThread>
#include <mutex>
#include <vector>

namespace LW {

namespace {
const int kBondTradeInfoTableType = 16371;
const int kAnchorFill = 3;
const long long kCleanPriceBit = 1LL << 24;
}  // namespace

// The quote client calls its slots on whatever thread raises the signal, and
// a call may be under way while the panel is being destroyed. The relay is
// what the signal holds: it reaches the panel only under its mutex, and the
// destructor clears the panel pointer under the same mutex after
// disconnecting, so once the destructor has passed that point no call can be
// inside the panel and none can start.
//
// Announcements from other threads are coalesced: while a queued load has not
// started, another announcement adds nothing, since that load reads the data
// as they are when it runs. However often another thread announces, the GUI
// thread has at most one load per panel waiting.
struct CBondInfoPanel::ReadyRelay {
  std::mutex mutex;
  CBondInfoPanel* panel = nullptr;  // guarded by mutex; null once the panel is gone
  bool loadQueued = false;          // guarded by mutex

  void operator()() {
    CBondInfoPanel* onItsThread = nullptr;
    {
      std::lock_guard<std::mutex> lock(mutex);
      if (!panel) return;
      if (QThread::currentThread() != panel->thread()) {
        // The load reads the search box and feeds the table, which only the
        // GUI thread may touch: queue it there. A posted call to a panel
        // destroyed in the meantime is dropped by Qt with the panel.
        if (loadQueued) return;
        loadQueued = true;
        CBondInfoPanel* target = panel;
        QMetaObject::invokeMethod(
            target, [target] { target->runQueuedLoad(); }, Qt::QueuedConnection);
        return;
      }
      onItsThread = panel;
    }
    // On the panel's own thread no other thread can destroy it, so the load
    // runs without the mutex. Holding it would deadlock a host that closes
    // the panel from its sigInitBondInfo handler: the destructor takes the
    // mutex, on this same thread.
    onItsThread->doInitBondInfo();
  }
};

CBondInfoPanel::CBondInfoPanel(int id, QWidget* parent)
    : ITradeDockableWidget(QStringLiteral("bif"), id,
                           ITradeDockableWidget::getDockWidgetInfo(QStringLiteral("bif")), parent) {
  m_accruedInterestColumn = -1;
  m_pricingMethodColumn = -1;
  m_contractNameColumn = -1;
  createUi();
  loadBondInfos();
  connect(this, SIGNAL(sigInitBondInfo()), this, SLOT(slotInitBondInfo()));

  m_readyRelay = std::make_shared<ReadyRelay>();
  m_readyRelay->panel = this;
  std::shared_ptr<ReadyRelay> relay = m_readyRelay;
  m_readyConnection =
      CQuoteClient::instance()->bondInfoReadySignal.connect([relay] { (*relay)(); });
}

CBondInfoPanel::~CBondInfoPanel() {
  disconnect();
  m_readyConnection.disconnect();
  {
    // Waits for a relay call in progress on another thread.
    std::lock_guard<std::mutex> lock(m_readyRelay->mutex);
    m_readyRelay->panel = nullptr;
  }
}

void CBondInfoPanel::runQueuedLoad() {
  {
    // Cleared before the load reads anything: an announcement from now on
    // may carry data this load misses, so it queues a load of its own.
    std::lock_guard<std::mutex> lock(m_readyRelay->mutex);
    m_readyRelay->loadQueued = false;
  }
  doInitBondInfo();
}

void CBondInfoPanel::setParam(const QString&) {}

QString CBondInfoPanel::param() const { return QString(); }

void CBondInfoPanel::createUi() {
  auto* widgetList = new GU::CWidgetList(Qt::Vertical, this);
  widgetList->setMargin(0, 0, 0, 0);
  widgetList->setSpacing(0);

  auto* toolBar = new GU::CAutoExpandToolBar(QStringLiteral("lw_img_op_hedge_type_bg"), 2, 8, 2, 8,
                                             widgetList, -1, -1);
  m_searchEdit = new GU::CSearchTextLineEdit(0, toolBar, false);
  m_searchEdit->setLineEditFrame(true);
  m_searchEdit->setRegExp(QStringLiteral("(^$)|[a-zA-Z0-9]+$"));
  toolBar->addToolItem(m_searchEdit, false);

  m_table = new CHpfDataTable(0, kBondTradeInfoTableType, widgetList, GU::BaseTableMenuFlags(0xFF));

  // The three computed columns, in the order their cells are stored.
  const QString titles[] = {tr("应计利息"), tr("计价方式"), tr("合约名称")};
  int* ids[] = {&m_accruedInterestColumn, &m_pricingMethodColumn, &m_contractNameColumn};
  for (int ordinal = 0; ordinal < 3; ++ordinal) {
    GU::CColumnProperty property(titles[ordinal], GU::HPF_KIND_TEXT, ordinal);
    *ids[ordinal] = m_table->addColumn(property, false, true, QString());
  }
  m_table->moveColumn(m_contractNameColumn, 2);

  widgetList->addFixedWidget(toolBar, kAnchorFill, false);
  widgetList->addStretchWidget(m_table, 1, kAnchorFill, false);
  setInnerStretchWidget(widgetList, 0, 0, 0, 0);
}

bool CBondInfoPanel::filter(const std::string& text,
                            const boost::shared_ptr<mxservice::CBondTradeInfo>& record) {
  if (!record) return true;
  return record->code.find(text, 0) == std::string::npos;
}

void CBondInfoPanel::loadBondInfos() {
  if (!m_table) return;
  const std::string text =
      m_searchEdit ? m_searchEdit->getText().toUtf8().toStdString() : std::string();
  std::vector<boost::shared_ptr<mxservice::IData>> records;

  boost::shared_ptr<mxservice::IDataCenter> dataCenter =
      mxservice::TraderCenter::instance()->getDataCenter();
  const mxservice::BondTradeInfoMap infos =
      dataCenter ? dataCenter->getBondTradeInfos() : mxservice::BondTradeInfoMap();

  if (boost::shared_ptr<GU::IBaseHpfTableModel> model = m_table->getDataModel()) model->clear();
  // Computed cells belong to one load: a record whose detail has gone since
  // the last load must not keep the old values.
  GU::CHpfExtraDataModel* extra = m_table->getExtraDataModel();
  if (extra) extra->clear();
  CExchangeClient* exchange = CExchangeClient::instance();

  for (const auto& market : infos) {
    for (const auto& entry : market.second) {
      const mxservice::CBondTradeInfoPtr& record = entry.second;
      if (!record) continue;
      if (!text.empty() && filter(text, record)) continue;

      const mxservice::CInstrumentDetailPtr detail =
          exchange->getInstrument(record->marketId, record->code);
      if (detail && extra) {
        const std::string key = record->getKey();
        extra->addData(
            key, m_accruedInterestColumn,
            GU::formatDoubleNumber(detail->accruedInterest, 4, utils::CFormatNumberFlags(), false,
                                   QCoreApplication::translate("LW::CellFormat", "非法值")),
            nullptr);
        extra->addData(key, m_pricingMethodColumn,
                       (detail->attributeFlags & kCleanPriceBit) ? tr("净价") : tr("全价"),
                       nullptr);
        extra->addData(key, m_contractNameColumn, GU::sToQs(detail->name), nullptr);
      }
      records.push_back(record);
    }
  }
  m_table->updateDatas(records, false);
}

bool CBondInfoPanel::handleEvent(int eventId, int wParam, int lParam, QString text, void* data) {
  if (eventId == GU::EVENT_EDIT_CLEARED || eventId == GU::EVENT_EDIT_TEXT_CHANGED) {
    loadBondInfos();
    if (m_table) m_table->updateTable();
    return true;
  }
  return GU::CBaseWidget::handleEvent(eventId, wParam, lParam, text, data);
}

void CBondInfoPanel::doInitBondInfo() {
  loadBondInfos();
  emit sigInitBondInfo();
}

void CBondInfoPanel::slotInitBondInfo() {
  if (m_table) m_table->updateTable();
}

}  // namespace LW
