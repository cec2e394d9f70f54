#include "quicksearch/quicksearchengine.h"

#include "quicksearch/quicksearchindex.h"

#include "host/core/annotatedmutex.h"
#include "host/core/coalescedpost.h"
#include "host/core/singleton.h"
#include "host/services/exchangeclient.h"
#include "host/services/markethelper.h"
#include "host/services/tradercenter.h"
#include "host/table/hpfserialworker.h"

#include <boost/bind/bind.hpp>
#include <boost/make_shared.hpp>

#include <atomic>

namespace LW {

namespace {

using IndexPtr = std::shared_ptr<const CQuickSearchIndex>;

// Every instrument of every trading type the data centre holds, type by
// type in data-set order.
std::vector<CQuickSearchIndex::Source> collectSources() {
  std::vector<CQuickSearchIndex::Source> sources;
  const boost::shared_ptr<mxservice::IDataCenter> dataCenter =
      mxservice::TraderCenter::instance()->getDataCenter();
  if (!dataCenter) return sources;
  for (int bit = 0; bit < 32; ++bit) {
    const int type = static_cast<int>(1u << bit);
    std::vector<mxservice::CInstrumentDetailPtr> list = dataCenter->getInstrumentsByTradeType(type);
    if (list.empty()) continue;
    sources.reserve(sources.size() + list.size());
    for (mxservice::CInstrumentDetailPtr& instrument : list)
      sources.push_back(CQuickSearchIndex::Source{std::move(instrument), type});
  }
  return sources;
}

}  // namespace

// What the engine shares with its build jobs. A job holds it by shared
// pointer, so it outlives the engine while a job still runs.
struct CQuickSearchEngine::Shared {
  mutable utils::CMutex mutex;
  IndexPtr index LW_GUARDED_BY(mutex);
  // A build is queued and has not started reading the data yet: a request
  // now is served by that build.
  bool queued LW_GUARDED_BY(mutex) = false;
  int builds LW_GUARDED_BY(mutex) = 0;
  int upToDate LW_GUARDED_BY(mutex) = 0;
  // The digest of the sources of the published index.
  std::uint64_t digest LW_GUARDED_BY(mutex) = 0;
  // Set by the engine's destructor: a running build gives up.
  std::atomic<bool> cancel{false};
  // Written once in the engine's constructor, before any job exists.
  boost::shared_ptr<CHpfSerialWorker> worker;
  std::shared_ptr<utils::CCoalescedPost<utils::SNoPayload>> published;

  IndexPtr current() const LW_EXCLUDES(mutex) {
    utils::CMutexLocker<utils::CMutex> lock(mutex);
    return index;
  }

  static void runBuild(const std::shared_ptr<Shared>& self) {
    {
      utils::CMutexLocker<utils::CMutex> lock(self->mutex);
      self->queued = false;
    }
    if (self->cancel.load()) return;
    const std::vector<CQuickSearchIndex::Source> sources = collectSources();
    // Hosts announce their lists again unchanged, or change what no search
    // reads (prices, states): then the published index stands.
    const std::uint64_t digest = CQuickSearchIndex::digest(sources, &nqMarketIdToString);
    {
      utils::CMutexLocker<utils::CMutex> lock(self->mutex);
      if (self->index && self->digest == digest) {
        ++self->upToDate;
        return;
      }
    }
    IndexPtr built = CQuickSearchIndex::build(sources, &nqMarketIdToString, &self->cancel);
    if (!built) return;
    {
      utils::CMutexLocker<utils::CMutex> lock(self->mutex);
      self->index = std::move(built);
      self->digest = digest;
      ++self->builds;
    }
    self->published->post(utils::SNoPayload());
  }
};

CQuickSearchEngine::CQuickSearchEngine(QObject* parent)
    : QObject(parent), m_shared(std::make_shared<Shared>()) {
  m_shared->worker = boost::make_shared<CHpfSerialWorker>();
  m_shared->published = utils::CCoalescedPost<utils::SNoPayload>::create(
      this, utils::CCoalescedPost<utils::SNoPayload>::Mode::AlwaysQueued,
      [this](utils::SNoPayload&&) { emit sigIndexChanged(); });

  CExchangeClient* exchange = utils::CManualSingletonT<CExchangeClient>::instance();
  connect(exchange,
          SIGNAL(sigStockList(const QMap<QString, mxservice::CInstrumentDetailPtr>&, int)), this,
          SLOT(slotStockList()));
  connect(exchange, SIGNAL(sigStockListChange(const set<string>&)), this,
          SLOT(slotStockListChange()));
  connect(exchange, SIGNAL(sigNewTradingDate(const std::string&, const std::string&)), this,
          SLOT(slotNewTradingDate()));
  rebuild();
}

CQuickSearchEngine::~CQuickSearchEngine() {
  // In this order: no delivery reaches the engine from now on, a running
  // build stops at its next look at the flag, and the worker drops what
  // waits and joins the running job.
  m_shared->published->close();
  m_shared->cancel.store(true);
  m_shared->worker->stop();
}

std::vector<CQuickSearchMatch> CQuickSearchEngine::search(const QString& text, int limit) const {
  const IndexPtr index = m_shared->current();
  if (!index) return {};
  return index->search(text, limit);
}

bool CQuickSearchEngine::lookup(const QString& key, int tradeType, CQuickSearchMatch* match) const {
  const IndexPtr index = m_shared->current();
  return index && index->lookup(key, tradeType, match);
}

bool CQuickSearchEngine::isReady() const { return m_shared->current() != nullptr; }

int CQuickSearchEngine::instrumentCount() const {
  const IndexPtr index = m_shared->current();
  return index ? index->size() : 0;
}

std::size_t CQuickSearchEngine::indexBytes() const {
  const IndexPtr index = m_shared->current();
  return index ? index->memoryBytes() : 0;
}

int CQuickSearchEngine::buildCount() const {
  utils::CMutexLocker<utils::CMutex> lock(m_shared->mutex);
  return m_shared->builds;
}

int CQuickSearchEngine::upToDateCount() const {
  utils::CMutexLocker<utils::CMutex> lock(m_shared->mutex);
  return m_shared->upToDate;
}

void CQuickSearchEngine::rebuild() {
  {
    utils::CMutexLocker<utils::CMutex> lock(m_shared->mutex);
    if (m_shared->queued) return;
    m_shared->queued = true;
  }
  const std::shared_ptr<Shared> shared = m_shared;
  if (!m_shared->worker->post([shared] { Shared::runBuild(shared); })) {
    utils::CMutexLocker<utils::CMutex> lock(m_shared->mutex);
    m_shared->queued = false;
  }
}

void CQuickSearchEngine::slotStockList() { rebuild(); }

void CQuickSearchEngine::slotStockListChange() { rebuild(); }

void CQuickSearchEngine::slotNewTradingDate() { rebuild(); }

}  // namespace LW
