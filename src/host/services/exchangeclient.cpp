#include "host/services/exchangeclient.h"

#include "host/core/annotatedmutex.h"
#include "host/core/singleton.h"
#include "host/core/stockkey.h"
#include "host/data/keyslots.h"
#include "host/services/servicelog.h"

#include <QCoreApplication>
#include <QMetaType>
#include <QThread>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace LW {

namespace {

// The hash of a stock key ("code.market") from its parts or from the key
// text, without building the key (FNV-1a, then mixed for the slot table).
struct StockKeyHash {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  void add(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
      h ^= static_cast<unsigned char>(data[i]);
      h *= 0x100000001b3ULL;
    }
  }
  std::uint64_t done() const {
    std::uint64_t x = h;
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    return x;
  }
};

std::uint64_t stockKeyHash(std::string_view key) {
  StockKeyHash hash;
  hash.add(key.data(), key.size());
  return hash.done();
}

// Whether `key` is the stock key of that market and code.
bool isStockKey(std::string_view key, const std::string& market, const std::string& code) {
  return key.size() == code.size() + 1 + market.size() && key.compare(0, code.size(), code) == 0 &&
         key[code.size()] == '.' && key.compare(code.size() + 1, market.size(), market) == 0;
}

// The instruments and their index, shared by the snapshots that change only
// the exchanges or the tender bonds.
struct InstrumentTable {
  std::vector<mxservice::CInstrumentDetailPtr> instruments;  // data-set order
  // The first instrument per stock key, by position in `instruments`: a
  // slot of eight bytes per key, no key string kept.
  mxservice::CKeySlots byKey;

  mxservice::CInstrumentDetailPtr find(std::string_view key) const {
    const std::uint32_t position = byKey.find(stockKeyHash(key), [this, key](std::uint32_t at) {
      const mxservice::CInstrumentDetail& other = *instruments[at];
      return isStockKey(key, other.marketId, other.code);
    });
    return position == mxservice::CKeySlots::kAbsent ? mxservice::CInstrumentDetailPtr()
                                                     : instruments[position];
  }
  mxservice::CInstrumentDetailPtr find(const std::string& market, const std::string& code) const {
    return find(utils::nqStockKey(market, code));
  }
};

}  // namespace

struct CExchangeClient::Content {
  std::shared_ptr<const InstrumentTable> table = std::make_shared<const InstrumentTable>();
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
  return content()->table->find(market, code);
}

mxservice::CInstrumentDetailPtr CExchangeClient::getInstrument(const QString& key) const {
  const QByteArray utf8 = key.toUtf8();
  return content()->table->find(
      std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
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
  auto table = std::make_shared<InstrumentTable>();
  table->instruments.reserve(instruments.size());
  table->byKey.reserve(instruments.size());
  for (const auto& instrument : instruments) {
    if (!instrument) {
      mxservice::servicelog::warning("LW::CExchangeClient::setInstruments",
                                     "null instrument skipped");
      continue;
    }
    const auto position = static_cast<std::uint32_t>(table->instruments.size());
    const std::vector<mxservice::CInstrumentDetailPtr>& kept = table->instruments;
    // Keeps the first per key text ("A.B" of "C" and "A" of "B.C" share one).
    const std::string key = utils::nqStockKey(instrument->marketId, instrument->code);
    table->byKey.insert(stockKeyHash(key), position, [&](std::uint32_t at) {
      return isStockKey(key, kept[at]->marketId, kept[at]->code);
    });
    table->instruments.push_back(instrument);
  }
  auto next = std::make_shared<Content>();
  next->table = std::move(table);
  next->exchanges = current->exchanges;
  next->tenderBonds = current->tenderBonds;
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
  const InstrumentTable& table = *current->table;
  table.byKey.forEach([&](std::uint32_t at) {
    const mxservice::CInstrumentDetailPtr& instrument = table.instruments[at];
    stocks.insert(GU::sToQs(instrument->getKey()), instrument);
  });
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
