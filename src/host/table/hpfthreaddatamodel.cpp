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

bool CHpfThreadDataModel::post(const boost::function<void()>& job) {
  if (!job) return false;
  boost::weak_ptr<CHpfDataModel> weak = weak_from_this();
  const bool shared = !weak.expired();
  if (!shared && hasOwnerBlock(weak)) {
    // The model is being destroyed: a job queued now would run on a corpse.
    HPF_LOG_WARN(this, "a job posted during destruction was dropped");
    return false;
  }
  CHpfThreadDataModel* self = this;
  return m_worker->post([weak, shared, self, job]() {
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
}

bool CHpfThreadDataModel::waitForIdle(int timeoutMs) { return m_worker->waitForIdle(timeoutMs); }

int CHpfThreadDataModel::pendingJobs() const { return m_worker->pending(); }

bool CHpfThreadDataModel::isWorkerThread() const { return m_worker->isWorkerThread(); }

void CHpfThreadDataModel::stopWorker() { m_worker->stop(); }

}  // namespace LW
