#include "host/services/datacenter.h"

#include "host/core/annotatedmutex.h"
#include "host/services/markethelper.h"
#include "host/services/servicelog.h"

#include <QCoreApplication>
#include <cmath>
#include <cstdio>
#include <set>

namespace mxservice {

namespace {
using InstrumentList = std::vector<CInstrumentDetailPtr>;
using InstrumentListPtr = std::shared_ptr<const InstrumentList>;

const InstrumentListPtr& emptyList() {
  static const InstrumentListPtr empty = std::make_shared<const InstrumentList>();
  return empty;
}

std::string currencyName(const std::string& currency) {
  static const std::map<std::string, const char*> names = {
      {"USD", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "美元")},
      {"CNY", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "人民币")},
      {"RMB", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "人民币")},
      {"CNH", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "离岸人民币")},
      {"HKD", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "港币")},
      {"EUR", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "欧元")},
      {"JPY", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "日元")},
      {"GBP", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "英镑")},
      {"SGD", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "新加坡元")},
      {"AUD", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "澳元")},
      {"CAD", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "加元")},
      {"CHF", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "瑞士法郎")},
      {"USX", QT_TRANSLATE_NOOP("mxservice::CDataCenter", "美分")},
  };
  auto it = names.find(currency);
  if (it == names.end()) return currency;
  return QCoreApplication::translate("mxservice::CDataCenter", it->second).toStdString();
}

// Fixed notation without trailing zeros: 10 -> "10", 0.25 -> "0.25".
std::string compactNumber(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  std::string text(buffer);
  const std::size_t dot = text.find('.');
  if (dot != std::string::npos) {
    std::size_t end = text.find_last_not_of('0');
    if (end == dot) --end;
    text.erase(end + 1);
  }
  return text;
}
}  // namespace

// One immutable index of a set of instruments. The combined-type cache is
// the only mutable part and has its own mutex.
struct CDataCenter::InstrumentIndex {
  InstrumentListPtr all = emptyList();
  std::array<InstrumentListPtr, 32> byBit;  // each non-null
  InstrumentListPtr gold = emptyList();     // answer of kGoldExchangeSelector

  mutable utils::CMutex cacheMutex;
  mutable std::map<unsigned, InstrumentListPtr> combined LW_GUARDED_BY(cacheMutex);

  InstrumentIndex() { byBit.fill(emptyList()); }

  explicit InstrumentIndex(const InstrumentList& instruments) {
    auto allList = std::make_shared<InstrumentList>();
    allList->reserve(instruments.size());
    std::array<std::shared_ptr<InstrumentList>, 32> bits;
    auto goldList = std::make_shared<InstrumentList>();
    for (const CInstrumentDetailPtr& instrument : instruments) {
      if (!instrument) {
        servicelog::warning("mxservice::CDataCenter::setInstruments", "null instrument skipped");
        continue;
      }
      allList->push_back(instrument);
      const unsigned type = static_cast<unsigned>(instrument->tradeType);
      for (int bit = 0; bit < 32; ++bit) {
        if (!(type & (1u << bit))) continue;
        if (!bits[bit]) bits[bit] = std::make_shared<InstrumentList>();
        bits[bit]->push_back(instrument);
      }
      if ((type & NQ_TRADER_GOLD) && isGoldMarket(instrument->marketId))
        goldList->push_back(instrument);
    }
    all = allList;
    for (int bit = 0; bit < 32; ++bit)
      byBit[bit] = bits[bit] ? InstrumentListPtr(bits[bit]) : emptyList();
    gold = goldList;
  }

  InstrumentListPtr listFor(unsigned type) const {
    if (type == 0) return emptyList();
    if ((type & (type - 1)) == 0) {
      for (int bit = 0; bit < 32; ++bit)
        if (type == (1u << bit)) return byBit[bit];
    }
    utils::CMutexLocker<utils::CMutex> lock(cacheMutex);
    auto it = combined.find(type);
    if (it != combined.end()) return it->second;
    auto list = std::make_shared<InstrumentList>();
    for (const CInstrumentDetailPtr& instrument : *all) {
      if (static_cast<unsigned>(instrument->tradeType) & type) list->push_back(instrument);
    }
    InstrumentListPtr result = list;
    combined.emplace(type, result);
    return result;
  }
};

CDataCenter::CDataCenter()
    : m_instruments(std::make_shared<const InstrumentIndex>()),
      m_bondTradeInfos(std::make_shared<const BondTradeInfoMap>()) {}

CDataCenter::~CDataCenter() = default;

std::shared_ptr<const CDataCenter::InstrumentIndex> CDataCenter::instrumentIndex() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_instruments;
}

boost::shared_ptr<CAccountData> CDataCenter::getAccountData(const std::string& accountKey) const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  if (!m_account) return boost::shared_ptr<CAccountData>();
  if (accountKey.empty() || accountKey == m_account->accountKey()) return m_account;
  return boost::shared_ptr<CAccountData>();
}

std::vector<CInstrumentDetailPtr> CDataCenter::getInstrumentsByTradeType(
    ENqTraderType tradeType) const {
  return *instrumentListByTradeType(tradeType);
}

std::shared_ptr<const std::vector<CInstrumentDetailPtr>> CDataCenter::instrumentListByTradeType(
    int tradeType) const {
  return instrumentIndex()->listFor(static_cast<unsigned>(tradeType));
}

std::size_t CDataCenter::instrumentCount() const { return instrumentIndex()->all->size(); }

std::vector<IDataPtr> CDataCenter::getInstrumentsBySelector(
    const std::list<long long>& selectors) const {
  std::vector<IDataPtr> result;
  std::shared_ptr<const InstrumentIndex> index = instrumentIndex();
  std::set<long long> answered;
  for (long long selector : selectors) {
    if (!answered.insert(selector).second) continue;
    if (selector == kGoldExchangeSelector) {
      result.insert(result.end(), index->gold->begin(), index->gold->end());
    }
  }
  return result;
}

BondTradeInfoMap CDataCenter::getBondTradeInfos() const {
  std::shared_ptr<const BondTradeInfoMap> infos;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    infos = m_bondTradeInfos;
  }
  return *infos;
}

std::string CDataCenter::getPricingUnitText(const std::string& currency,
                                            double contractUnit) const {
  if (currency.empty()) return std::string();
  const std::string name = currencyName(currency);
  const bool hasUnit = std::isfinite(contractUnit) && contractUnit > 0 &&
                       contractUnit != kNoValueDouble && contractUnit < 1e15;
  if (!hasUnit) return name;
  return name + "/" + compactNumber(contractUnit);
}

void CDataCenter::setInstruments(const std::vector<CInstrumentDetailPtr>& instruments) {
  auto next = std::make_shared<const InstrumentIndex>(instruments);
  std::shared_ptr<const InstrumentIndex> previous;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    previous = m_instruments;
    m_instruments = next;
  }
}

void CDataCenter::setBondTradeInfos(const BondTradeInfoMap& infos) {
  auto next = std::make_shared<const BondTradeInfoMap>(infos);
  std::shared_ptr<const BondTradeInfoMap> previous;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    previous = m_bondTradeInfos;
    m_bondTradeInfos = next;
  }
}

void CDataCenter::setCurrentAccount(const boost::shared_ptr<CAccountData>& account) {
  boost::shared_ptr<CAccountData> previous;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    previous = m_account;
    m_account = account;
  }
  // The previous account (and its delivery thread) ends here, outside the
  // lock, when nobody else holds it.
}

void CDataCenter::clear() {
  setInstruments({});
  setBondTradeInfos({});
  setCurrentAccount(boost::shared_ptr<CAccountData>());
}

}  // namespace mxservice
