#include "model/instrumentmodel.h"

#include "host/services/config.h"
#include "host/services/datacenter.h"
#include "host/services/markethelper.h"
#include "host/services/tradercenter.h"
#include "host/ui/uiresource.h"
#include "model/instrumentdata.h"
#include "model/instrumentmatch.h"
#include "model/lwlog.h"

#include <boost/bind/bind.hpp>
#include <boost/make_shared.hpp>
#include <exception>
#include <list>
#include <vector>

namespace LW {

namespace {

using mxservice::CInstrumentDetailPtr;
using mxservice::ENqTraderType;

bool isInterBankType(ENqTraderType t) {
  return t == mxservice::NQ_TRADER_INTER_BANK || t == mxservice::NQ_TRADER_INTER_BANK_FX;
}

void append(std::vector<CInstrumentDetailPtr>& to, std::vector<CInstrumentDetailPtr> more) {
  if (to.empty()) {
    to = std::move(more);
  } else {
    to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  }
}

// The records a list of trading type t starts from, in the host's order.
// A list the data centre keeps as it is comes shared (no record is touched
// to hand it over); the lists put together here are built afresh.
CInstrumentSearchCache::RecordListPtr candidates(const CListRuleContext& context) {
  using namespace mxservice;
  const boost::shared_ptr<IDataCenter> dataCenter = TraderCenter::instance()->getDataCenter();
  if (!dataCenter) return CInstrumentSearchCache::RecordListPtr();
  const ENqTraderType t = context.tradeType;
  const bool composed = t == NQ_TRADER_BOND_TENDER || t == NQ_TRADER_GOLD || t == NQ_TRADER_FICC ||
                        (t == NQ_TRADER_FUTURE && context.mergeFuture) ||
                        (t == NQ_TRADER_STOCK && context.hkTradeInStock);
  if (!composed) {
    if (const CDataCenter* shared = dynamic_cast<const CDataCenter*>(dataCenter.get())) {
      return shared->instrumentListByTradeType(static_cast<int>(t));
    }
  }
  auto list = std::make_shared<std::vector<CInstrumentDetailPtr>>();
  switch (static_cast<long long>(t)) {
    case NQ_TRADER_BOND_TENDER:
      // Tender rows come only from the tender search.
      break;
    case NQ_TRADER_GOLD: {
      const std::vector<IDataPtr> found =
          dataCenter->getInstrumentsBySelector({CHpfInsModel::kGoldListSelector});
      list->reserve(found.size());
      for (const IDataPtr& data : found) {
        list->push_back(boost::dynamic_pointer_cast<CInstrumentDetail>(data));
      }
      break;
    }
    case NQ_TRADER_FICC:
      for (CInstrumentDetailPtr& ins : dataCenter->getInstrumentsByTradeType(t)) {
        if (isFiccAgreeRepurchaseStock(ins) || isFiccBondStock(ins)) {
          list->push_back(std::move(ins));
        }
      }
      break;
    case NQ_TRADER_FUTURE:
      *list = dataCenter->getInstrumentsByTradeType(t);
      if (context.mergeFuture) {
        append(*list, dataCenter->getInstrumentsByTradeType(NQ_TRADER_FUTURE_SPEC));
      }
      break;
    case NQ_TRADER_STOCK:
      *list = dataCenter->getInstrumentsByTradeType(t);
      if (context.hkTradeInStock) {
        append(*list, dataCenter->getInstrumentsByTradeType(NQ_TRADER_HK_STOCK));
      }
      break;
    default:
      *list = dataCenter->getInstrumentsByTradeType(t);
      break;
  }
  return list;
}

bool sameRules(const CListRuleContext& a, const CListRuleContext& b) {
  return a.tradeType == b.tradeType && a.mergeFuture == b.mergeFuture &&
         a.hkTradeInStock == b.hkTradeInStock && a.brokerEdition == b.brokerEdition &&
         a.brokerEditionUserType == b.brokerEditionUserType;
}

}  // namespace

CHpfInsModel::CHpfInsModel(ENqTraderType tradeType)
    : QObject(nullptr),
      CHpfThreadDataModel(kInstrumentTableType, tradeType),
      m_catalogue(CColumnCatalogue::build(tradeType, getConfig()->isBrokerEdition())) {}

CHpfInsModel::~CHpfInsModel() {
  // A job must not run on into members that are already gone; the base's
  // own stop comes too late for that. Returns at once on the worker thread.
  stopWorker();
}

void CHpfInsModel::refresh(const QString& filter) {
  if (!post(boost::bind(&CHpfInsModel::loadJob, this, filter))) {
    LW_LOG_WARN(this, "LW::CHpfInsModel::refresh", "load for filter '%1%' not queued",
                filter.toStdString());
  }
}

void CHpfInsModel::reload(const QString& filter) {
  if (!postLatest(boost::bind(&CHpfInsModel::loadJob, this, filter))) {
    LW_LOG_WARN(this, "LW::CHpfInsModel::reload", "load for filter '%1%' not queued",
                filter.toStdString());
  }
}

void CHpfInsModel::loadJob(const QString& filter) {
  try {
    loadRows(filter);
  } catch (const std::exception& e) {
    // Whatever was added stays; the panel must still hear that the load
    // is over, or its list would wait for good.
    LW_LOG_WARN(this, "LW::CHpfInsModel::loadJob", "load failed: %1%", e.what());
  }
  commitAndAnnounce();
}

void CHpfInsModel::commitAndAnnounce() {
  endBatch();
  emit sigRefreshed();
  beginBatch();
}

void CHpfInsModel::loadRows(const QString& filter) {
  const ENqTraderType t = tradeType();
  if (isInterBankType(t)) {
    clear();
    loadInterBankRows(filter);
    return;
  }

  const CListRuleContext context = CListRuleContext::current(t);
  const bool rebuilt = m_searchCache.syncShared(candidates(context));
  if (rebuilt || t != m_shownRowsType) {
    m_shownRows.clear();
    m_shownRows.resize(m_searchCache.size());
    m_shownKeys.clear();
    m_shownKeys.resize(m_searchCache.size());
    for (SHandedRows& handed : m_handed) handed = SHandedRows();
    m_shownRowsType = t;
  }
  if (rebuilt || !sameRules(context, m_listRulesContext) ||
      m_listRules.size() != m_searchCache.size()) {
    m_listRules.assign(m_searchCache.size(), kRulesUnknown);
    m_listRulesContext = context;
  }
  std::vector<std::uint32_t> selected;
  m_searchCache.match(filter, &selected);

  // The rows are gathered first and handed over in one piece, so that the
  // table never sees a list half filled (nor a listed row without its
  // favourites button while a load runs).
  std::vector<std::uint32_t> shownPositions;
  shownPositions.reserve(selected.size());
  const bool fundList = t == mxservice::NQ_TRADER_OTC_FUND;
  for (const std::uint32_t i : selected) {
    const CInstrumentDetailPtr& instrument = m_searchCache.record(i);
    std::int8_t& rules = m_listRules[i];
    if (rules == kRulesUnknown) rules = passesListRules(instrument, context) ? 1 : 0;
    if (rules == 0) continue;
    boost::shared_ptr<CInstrumentData>& shown = m_shownRows[i];
    if (!shown) {
      if (fundList) {
        // The fund list shows fund plans only, with their own columns.
        const mxservice::COTCFundPlanInfoPtr fund =
            boost::dynamic_pointer_cast<mxservice::COTCFundPlanInfo>(instrument);
        if (!fund) continue;
        shown = boost::make_shared<CInstrumentData>(t, fund);
      } else {
        shown =
            boost::make_shared<CInstrumentData>(t, instrument, m_searchCache.priceDecimals(i),
                                                m_searchCache.tag(i), m_catalogue.brokerEdition);
      }
      m_shownKeys[i] = shown->key();
    }
    shownPositions.push_back(i);
  }
  // The same rows as one of the last two loads (a reload that changes
  // nothing, such as a host announcement, or a search cleared back to the
  // full list) hand over the same row and key lists, which the store takes
  // as they are, without looking at a row or a key. Rows at a position never
  // change until the cache is rebuilt, which forgets these lists.
  SHandedRows* handed = nullptr;
  for (SHandedRows& candidate : m_handed) {
    if (candidate.keys && candidate.positions == shownPositions) handed = &candidate;
  }
  if (!handed) {
    // Replaces the one not handed last.
    handed = &m_handed[m_lastHanded == 0 ? 1 : 0];
    auto rows = boost::make_shared<GU::HpfRowVector>();
    auto keys = std::make_shared<std::vector<std::string>>();
    rows->reserve(shownPositions.size());
    keys->reserve(shownPositions.size());
    for (const std::uint32_t i : shownPositions) {
      rows->push_back(m_shownRows[i]);
      keys->push_back(m_shownKeys[i]);
    }
    handed->rows = rows;
    handed->keys = keys;
    handed->positions = std::move(shownPositions);
  }
  m_lastHanded = handed == &m_handed[0] ? 0 : 1;
  replaceAllData(handed->rows, handed->keys);
}

void CHpfInsModel::loadInterBankRows(const QString& filter) {
  const ENqTraderType t = tradeType();
  const mxservice::InterBankBondMap bonds =
      mxservice::TraderCenter::instance()->interBankStore().getInterBankBonds();
  for (const auto& entry : bonds) {
    if (!interBankMatches(entry.second, filter)) continue;
    addData(boost::make_shared<CInstrumentData>(t, entry.second));
  }
}

std::size_t CHpfInsModel::searchCacheBytes() const {
  std::size_t handedBytes = 0;
  for (const SHandedRows& handed : m_handed) {
    handedBytes += handed.positions.capacity() * sizeof(std::uint32_t) +
                   (handed.keys ? handed.keys->capacity() * sizeof(std::string) : 0) +
                   (handed.rows ? handed.rows->capacity() * sizeof(GU::HpfRowPtr) : 0);
  }
  std::size_t keyBytes = m_shownKeys.capacity() * sizeof(std::string);
  for (const std::string& key : m_shownKeys) {
    if (key.capacity() > 15) keyBytes += key.capacity() + 1;  // beyond the inline buffer
  }
  return m_searchCache.memoryBytes() +
         m_shownRows.capacity() * sizeof(boost::shared_ptr<CInstrumentData>) + keyBytes +
         m_listRules.capacity() + handedBytes;
}

int CHpfInsModel::columnCount() const { return m_catalogue.columnCount(); }

QString CHpfInsModel::columnTitle(int column) const {
  return CColumnCatalogue::displayTitle(m_catalogue.columnTitles.value(column));
}

int CHpfInsModel::columnValueKind(int column) const {
  return LW::columnValueKind(tradeType(), column);
}

QString CHpfInsModel::getTitleTip(int) const { return QString(); }

bool CHpfInsModel::isCopyCellOnly() const { return false; }

const QColor* CHpfInsModel::getRowBackgroundColor(int row) const {
  return GU::CUiResource::instance()->getColor(row % 2 != 0
                                                   ? QStringLiteral("clr_table_background2")
                                                   : QStringLiteral("clr_table_background"));
}

int CHpfInsModel::modelFlags() const { return 0; }

namespace {

template <typename T>
int compareWithNoValue(T a, T b, T noValue) {
  if (a == noValue || b == noValue) {
    if (a == b) return 0;
    return a == noValue ? -1 : 1;
  }
  // The sign only: a - b overflows for integers far apart.
  return (a > b) - (a < b);
}

}  // namespace

int CHpfInsModel::compare(const GU::HpfRowPtr& a, const GU::HpfRowPtr& b, int column) const {
  if (!a || !b) {
    if (a == b) return 0;
    return a ? 1 : -1;
  }
  switch (columnValueKind(column)) {
    case COLUMN_KIND_INT:
      return compareWithNoValue(a->getInt(column), b->getInt(column), mxservice::kNoValueInt);
    case COLUMN_KIND_INT64:
      return compareWithNoValue(a->getInt64(column), b->getInt64(column), mxservice::kNoValueInt64);
    case COLUMN_KIND_DOUBLE: {
      const double x = a->getDouble(column);
      const double y = b->getDouble(column);
      const double noValue = mxservice::kNoValueDouble;
      if (x == noValue || y == noValue) {
        if (x == y) return 0;
        return x == noValue ? -1 : 1;
      }
      const double tick = getCompareTick(column);
      if (y - x > tick) return -1;
      if (x - y > tick) return 1;
      return 0;
    }
    default: {
      const int c = a->getQString(column).compare(b->getQString(column), Qt::CaseSensitive);
      return (c > 0) - (c < 0);
    }
  }
}

}  // namespace LW
