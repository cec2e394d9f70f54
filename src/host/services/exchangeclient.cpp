#include "host/services/exchangeclient.h"

#include "host/core/annotatedmutex.h"
#include "host/core/singleton.h"
#include "host/core/stockkey.h"
#include "host/services/servicelog.h"

#include <QCoreApplication>
#include <QMetaType>
#include <QThread>
#include <unordered_map>

namespace LW {

struct CExchangeClient::Content {
  std::vector<mxservice::CInstrumentDetailPtr> instruments;                // data-set order
  std::unordered_map<std::string, mxservice::CInstrumentDetailPtr> byKey;  // first per key
  std::unordered_map<std::string, mxservice::CExchangeDetailPtr> exchanges;
  mxservice::TenderBondInfoDetailMap tenderBonds;
};

void registerExchangeClientMetaTypes() {
  static const bool registered = [] {
    qRegisterMetaType<QMap<QString, mxservice::CInstrumentDetailPtr>>(
        "QMap<QString,mxservice::CInstrumentDetailPtr>");
    qRegisterMetaType<std::set<std::string>>("set<string>");
    qRegisterMetaType<std::string>("std::string");
    return true;
  }();
  (void)registered;
}

CExchangeClient::CExchangeClient() : m_content(std::make_shared<const Content>()) {
  registerExchangeClientMetaTypes();
  // The singleton may first be asked for on a worker; signals are still
  // meant to be a GUI-thread object's.
  if (QCoreApplication* app = QCoreApplication::instance()) {
    if (thread() != app->thread()) moveToThread(app->thread());
  }
}

CExchangeClient::~CExchangeClient() = default;

CExchangeClient* CExchangeClient::instance() {
  return utils::CManualSingletonT<CExchangeClient>::instance();
}

std::shared_ptr<const CExchangeClient::Content> CExchangeClient::content() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_content;
}

mxservice::CInstrumentDetailPtr CExchangeClient::getInstrument(const std::string& market,
                                                               const std::string& code) const {
  std::shared_ptr<const Content> current = content();
  auto it = current->byKey.find(utils::nqStockKey(market, code));
  return it == current->byKey.end() ? mxservice::CInstrumentDetailPtr() : it->second;
}

mxservice::CInstrumentDetailPtr CExchangeClient::getInstrument(const QString& key) const {
  std::shared_ptr<const Content> current = content();
  auto it = current->byKey.find(key.toStdString());
  return it == current->byKey.end() ? mxservice::CInstrumentDetailPtr() : it->second;
}

mxservice::CExchangeDetailPtr CExchangeClient::getExchangeInfo(const std::string& market) const {
  std::shared_ptr<const Content> current = content();
  auto it = current->exchanges.find(market);
  return it == current->exchanges.end() ? mxservice::CExchangeDetailPtr() : it->second;
}

mxservice::TenderBondInfoDetailMap CExchangeClient::getTenderBondInfoDetails() const {
  return content()->tenderBonds;
}

void CExchangeClient::setInstruments(
    const std::vector<mxservice::CInstrumentDetailPtr>& instruments) {
  utils::CMutexLocker<utils::CMutex> writer(m_writeMutex);
  std::shared_ptr<const Content> current = content();
  auto next = std::make_shared<Content>();
  next->exchanges = current->exchanges;
  next->tenderBonds = current->tenderBonds;
  next->instruments.reserve(instruments.size());
  next->byKey.reserve(instruments.size());
  for (const auto& instrument : instruments) {
    if (!instrument) {
      mxservice::servicelog::warning("LW::CExchangeClient::setInstruments",
                                     "null instrument skipped");
      continue;
    }
    next->instruments.push_back(instrument);
    next->byKey.emplace(instrument->getKey(), instrument);  // keeps the first per key
  }
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_content = next;
}

void CExchangeClient::setExchanges(const std::vector<mxservice::CExchangeDetailPtr>& exchanges) {
  utils::CMutexLocker<utils::CMutex> writer(m_writeMutex);
  auto next = std::make_shared<Content>(*content());
  next->exchanges.clear();
  for (const auto& exchange : exchanges) {
    if (!exchange) {
      mxservice::servicelog::warning("LW::CExchangeClient::setExchanges", "null exchange skipped");
      continue;
    }
    next->exchanges.emplace(exchange->marketId, exchange);
  }
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_content = next;
}

void CExchangeClient::setTenderBondInfoDetails(const mxservice::TenderBondInfoDetailMap& details) {
  utils::CMutexLocker<utils::CMutex> writer(m_writeMutex);
  auto next = std::make_shared<Content>(*content());
  next->tenderBonds.clear();
  for (const auto& entry : details) {
    if (!entry.second) {
      mxservice::servicelog::warning("LW::CExchangeClient::setTenderBondInfoDetails",
                                     "null tender bond detail skipped: " + entry.first);
      continue;
    }
    next->tenderBonds.insert(entry);
  }
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_content = next;
}

void CExchangeClient::clear() {
  utils::CMutexLocker<utils::CMutex> writer(m_writeMutex);
  auto next = std::make_shared<const Content>();
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_content = next;
}

QMap<QString, mxservice::CInstrumentDetailPtr> CExchangeClient::stockListMap() const {
  std::shared_ptr<const Content> current = content();
  QMap<QString, mxservice::CInstrumentDetailPtr> stocks;
  for (const auto& entry : current->byKey) stocks.insert(GU::sToQs(entry.first), entry.second);
  return stocks;
}

void CExchangeClient::emitStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>& stocks,
                                    int brokerType) {
  emit sigStockList(stocks, brokerType);
}

void CExchangeClient::emitStockListChange(const std::set<std::string>& changedKeys) {
  emit sigStockListChange(changedKeys);
}

void CExchangeClient::emitNewTradingDate(const std::string& newDate, const std::string& oldDate) {
  emit sigNewTradingDate(newDate, oldDate);
}

}  // namespace LW
