#include "bondinfo/bondinfopanel.h"

#include "host/core/coalescedpost.h"
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

#include <vector>

namespace LW {

namespace {
const int kBondTradeInfoTableType = 16371;
const int kAnchorFill = 3;
const long long kCleanPriceBit = 1LL << 24;
}  // namespace

const char* const CBondInfoPanel::kDockKey = "bif";

CBondInfoPanel::CBondInfoPanel(int id, QWidget* parent)
    : ITradeDockableWidget(QString::fromLatin1(kDockKey), id,
                           ITradeDockableWidget::getDockWidgetInfo(QString::fromLatin1(kDockKey)),
                           parent) {
  m_accruedInterestColumn = -1;
  m_pricingMethodColumn = -1;
  m_contractNameColumn = -1;
  createUi();
  loadBondInfos();
  connect(this, SIGNAL(sigInitBondInfo()), this, SLOT(slotInitBondInfo()));

  // The quote client calls its slots on whatever thread raises the signal.
  // The load reads the search box and feeds the table, which only the GUI
  // thread may touch, so announcements from other threads are queued there,
  // merged while one waits (the load reads the data as they are when it
  // runs). One on the GUI thread loads at once. The load runs without any
  // lock held: a host may close the panel from its sigInitBondInfo handler.
  m_readyPost = utils::CCoalescedPost<utils::SNoPayload>::create(
      this, utils::CCoalescedPost<utils::SNoPayload>::Mode::DirectOnReceiverThread,
      [this](utils::SNoPayload&&) { doInitBondInfo(); });
  const std::shared_ptr<utils::CCoalescedPost<utils::SNoPayload>> post = m_readyPost;
  m_readyConnection = CQuoteClient::instance()->bondInfoReadySignal.connect(
      [post] { post->post(utils::SNoPayload()); });
}

CBondInfoPanel::~CBondInfoPanel() {
  disconnect();
  m_readyConnection.disconnect();
  // Waits for a post in progress on another thread; a load queued for the
  // panel is dropped.
  m_readyPost->close();
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
                                   GU::invalidNumberText()),
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
