#include "bondinfotestsupport.h"

#include "host/core/stockkey.h"
#include "host/services/exchangeclient.h"
#include "host/services/quoteclient.h"
#include "host/services/tradercenter.h"
#include "host/table/hpfdatatable.h"
#include "host/table/ibasehpftabledata.h"

#include <QCoreApplication>
#include <boost/make_shared.hpp>

namespace bondinfotest {

void KeyReadLog::note() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_threads.insert(QThread::currentThread());
  ++m_reads;
}

std::set<QThread*> KeyReadLog::threads() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_threads;
}

int KeyReadLog::reads() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_reads;
}

void KeyReadLog::clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_threads.clear();
  m_reads = 0;
}

std::string ObservedBondTradeInfo::getKey() const {
  m_log->note();
  return mxservice::CBondTradeInfo::getKey();
}

namespace {
void fill(mxservice::CBondTradeInfo& record, const std::string& market, const std::string& code) {
  record.marketId = market;
  record.code = code;
  record.bondType = "国债";
  record.tradeMode = "竞价";
  record.conversionRate = 0.5;
  record.minTradeVolume = 10;
  record.tradeStatus = "正常交易";
  record.maturityDate = "20301231";
}
}  // namespace

mxservice::CBondTradeInfoPtr bond(const std::string& market, const std::string& code) {
  auto record = boost::make_shared<mxservice::CBondTradeInfo>();
  fill(*record, market, code);
  return record;
}

mxservice::CBondTradeInfoPtr observedBond(const std::shared_ptr<KeyReadLog>& log,
                                          const std::string& market, const std::string& code) {
  auto record = boost::make_shared<ObservedBondTradeInfo>(log);
  fill(*record, market, code);
  return record;
}

mxservice::CInstrumentDetailPtr detail(const std::string& market, const std::string& code,
                                       const std::string& name, double accruedInterest,
                                       long long attributeFlags) {
  auto record = boost::make_shared<mxservice::CInstrumentDetail>();
  record->tradeType = mxservice::NQ_TRADER_STOCK;
  record->marketId = market;
  record->code = code;
  record->name = name;
  record->accruedInterest = accruedInterest;
  record->attributeFlags = attributeFlags;
  return record;
}

void setBondTradeInfos(const mxservice::BondTradeInfoMap& infos) {
  mxservice::TraderCenter::instance()->dataCenter()->setBondTradeInfos(infos);
}

void setInstruments(const std::vector<mxservice::CInstrumentDetailPtr>& instruments) {
  LW::CExchangeClient::instance()->setInstruments(instruments);
}

void BondInfoTest::SetUp() {
  setBondTradeInfos({});
  setInstruments({});
}

void BondInfoTest::TearDown() {
  // Queued loads of panels destroyed by the test die with them; drain them
  // here so that nothing of one test runs inside the next.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  setBondTradeInfos({});
  setInstruments({});
}

int columnWithTitle(const LW::CBondInfoPanel& panel, const QString& title) {
  LW::CHpfDataTable* table = panel.table();
  if (!table) return -1;
  for (int index = 0; index < table->columnCount(); ++index) {
    const int id = table->columnID(index);
    if (table->columnTitle(id) == title) return id;
  }
  return -1;
}

std::vector<std::string> shownKeys(const LW::CBondInfoPanel& panel) {
  std::vector<std::string> keys;
  LW::CHpfDataTable* table = panel.table();
  if (!table) return keys;
  for (int row = 0; row < table->viewRowCount(); ++row) {
    GU::HpfRowPtr data = table->viewRowData(row);
    keys.push_back(data ? data->key() : std::string("<null>"));
  }
  return keys;
}

QString cellOf(const LW::CBondInfoPanel& panel, const std::string& key, const QString& title) {
  LW::CHpfDataTable* table = panel.table();
  const int column = columnWithTitle(panel, title);
  if (!table || column < 0) return QString();
  for (int row = 0; row < table->viewRowCount(); ++row) {
    GU::HpfRowPtr data = table->viewRowData(row);
    if (data && data->key() == key) {
      const QString text = table->cellText(row, column);
      // An empty cell reads as "" rather than null, so the two cases differ.
      return text.isNull() ? QString("") : text;
    }
  }
  return QString();
}

std::size_t bondInfoListeners() {
  return LW::CQuoteClient::instance()->bondInfoReadySignal.num_slots();
}

}  // namespace bondinfotest
