#include "host/table/hpfthreaddatamodel.h"

#include "host/table/hpfserialworker.h"
#include "host/table/hpftablelog_p.h"

#include <boost/make_shared.hpp>
#include <boost/weak_ptr.hpp>

namespace LW {

namespace {

// weak_from_this() is expired both before any shared_ptr owns the model and
// while the last one destroys it; only the second has an owner block.
bool hasOwnerBlock(const boost::weak_ptr<CHpfDataModel>& weak) {
  const boost::weak_ptr<CHpfDataModel> empty;
  return weak.owner_before(empty) || empty.owner_before(weak);
}

}  // namespace

CHpfThreadDataModel::CHpfThreadDataModel(int tableType, mxservice::ENqTraderType tradeType)
    : CHpfDataModel(tableType, tradeType), m_worker(boost::make_shared<CHpfSerialWorker>()) {}

CHpfThreadDataModel::~CHpfThreadDataModel() { stopWorker(); }

// The job a queued latest run will carry out; replaced while it waits.
struct CHpfThreadDataModel::SLatestSlot {
  boost::function<void()> job;  // guarded by the model's m_postMutex
};

bool CHpfThreadDataModel::post(const boost::function<void()>& job) {
  utils::CMutexLocker<utils::CMutex> lock(m_postMutex);
  return postLocked(job);
}

bool CHpfThreadDataModel::postLatest(const boost::function<void()>& job) {
  if (!job) return false;
  utils::CMutexLocker<utils::CMutex> lock(m_postMutex);
  if (m_waitingLatest && m_waitingLatestTicket == m_posted) {
    // Still waiting and still last in the queue: the newer request replaces
    // the older one, which nobody needs any more.
    m_waitingLatest->job = job;
    return true;
  }
  boost::shared_ptr<SLatestSlot> slot = boost::make_shared<SLatestSlot>();
  slot->job = job;
  // The runner holds the slot only, never the model: post() wraps it with
  // the model's own lifetime rules.
  CHpfThreadDataModel* self = this;
  if (!postLocked([self, slot]() { self->runLatest(slot); })) return false;
  m_waitingLatest = slot;
  m_waitingLatestTicket = m_posted;
  return true;
}

void CHpfThreadDataModel::runLatest(const boost::shared_ptr<SLatestSlot>& slot) {
  boost::function<void()> job;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_postMutex);
    // From now on a request must queue a run of its own: this one may
    // already have read what the request changes.
    if (m_waitingLatest == slot) m_waitingLatest.reset();
    job.swap(slot->job);
  }
  if (job) job();
}

bool CHpfThreadDataModel::postLocked(const boost::function<void()>& job) {
  if (!job) return false;
  boost::weak_ptr<CHpfDataModel> weak = weak_from_this();
  const bool shared = !weak.expired();
  if (!shared && hasOwnerBlock(weak)) {
    // The model is being destroyed: a job queued now would run on a corpse.
    HPF_LOG_WARN(this, "a job posted during destruction was dropped");
    return false;
  }
  CHpfThreadDataModel* self = this;
  const bool queued = m_worker->post([weak, shared, self, job]() {
    boost::shared_ptr<CHpfDataModel> keepAlive;
    if (shared) {
      keepAlive = weak.lock();
      if (!keepAlive) return;  // destroyed before the job's turn came
    }
    // A job's rows become visible to tables only when the job is done.
    self->beginBatch();
    try {
      job();
    } catch (...) {
      self->endBatch();
      throw;  // logged by the worker
    }
    self->endBatch();
    // keepAlive may be the last reference: the model then dies here, on the
    // worker thread, and its destructor ends this worker without waiting.
  });
  if (queued) ++m_posted;
  return queued;
}

bool CHpfThreadDataModel::waitForIdle(int timeoutMs) { return m_worker->waitForIdle(timeoutMs); }

int CHpfThreadDataModel::pendingJobs() const { return m_worker->pending(); }

bool CHpfThreadDataModel::isWorkerThread() const { return m_worker->isWorkerThread(); }

void CHpfThreadDataModel::stopWorker() {
  // The worker first: its running job may still take m_postMutex.
  m_worker->stop();
  utils::CMutexLocker<utils::CMutex> lock(m_postMutex);
  // The waiting run was dropped with the queue; a request from now on must
  // not count on it (and is refused by the stopped worker).
  m_waitingLatest.reset();
}

}  // namespace LW
