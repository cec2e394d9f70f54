#pragma once
// A table model with its own serial worker: post() queues a job and returns at
// once; jobs run one at a time, in the order posted, on one worker thread that
// belongs to the model. Every job runs inside a row batch (see
// GU::IBaseHpfTableModel), so a table never shows the rows of a job that is
// still running: clear() followed by 100,000 addData() appears at once, at the
// table's first updateTable() after the job ends.
//
// Lifetime: own the model by boost::shared_ptr. A job runs only if the model is
// still alive when the job starts, and the model is kept alive (shared_from_this)
// until the job returns; so the model is never destroyed while one of its jobs
// runs on another thread. When a running job holds the last reference (or the
// last owner lets go while the job runs), the model is destroyed on the worker
// thread after the job returns; the worker then ends by itself. Destroying the
// model from any other thread waits for the running job, then drops the jobs
// still queued: they never run. A model that is not owned by a shared_ptr runs
// its jobs on a bare pointer; its most-derived destructor must then call
// stopWorker() first, before its own members go.
//
// Coalescing: postLatest() queues a job that a later postLatest() may replace
// while it still waits, as long as nothing else was posted after it. A burst
// of reload requests arriving while one load is queued or running therefore
// costs at most two loads (the running one and one waiting), the waiting one
// runs the latest request, and jobs keep their posted order: a latest job
// never overtakes a post() made after it.
//
// Threads: post(), postLatest(), waitForIdle(), pendingJobs() and stopWorker()
// may be called from any thread (stopWorker() and waitForIdle() from inside a
// job return at once: a job cannot wait for itself). The queue is guarded by
// the worker's own mutex; the waiting latest job by m_postMutex, which is
// taken before the worker's and never while a job runs.

#include "lwhost_table_export.h"

#include "host/core/annotatedmutex.h"
#include "host/table/hpfdatamodel.h"

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>
#include <cstdint>

namespace LW {

class CHpfSerialWorker;

class LWHOST_TABLE_EXPORT CHpfThreadDataModel : public CHpfDataModel {
public:
  CHpfThreadDataModel(int tableType, mxservice::ENqTraderType tradeType);
  ~CHpfThreadDataModel() override;

  // Queues job; false (and the job is dropped) once the worker is stopped or
  // job is empty. Exceptions escaping a job are logged and swallowed.
  bool post(const boost::function<void()>& job) LW_EXCLUDES(m_postMutex);

  // Like post(), except that while the job queued by the previous
  // postLatest() has not started and nothing was posted since, job replaces
  // it instead of queueing another (see above). False once the worker is
  // stopped or job is empty.
  bool postLatest(const boost::function<void()>& job) LW_EXCLUDES(m_postMutex);

  // Blocks until the queue is empty and no job runs, or the timeout passes.
  // True when idle. For tests and orderly shutdown.
  bool waitForIdle(int timeoutMs = 30000);

  // Jobs queued and not started.
  int pendingJobs() const;

  // True while called from inside one of this model's jobs.
  bool isWorkerThread() const;

protected:
  // Stops the worker: the running job finishes, queued jobs are dropped, later
  // posts are refused. Idempotent.
  void stopWorker();

private:
  struct SLatestSlot;
  bool postLocked(const boost::function<void()>& job) LW_REQUIRES(m_postMutex);
  void runLatest(const boost::shared_ptr<SLatestSlot>& slot) LW_EXCLUDES(m_postMutex);

  boost::shared_ptr<CHpfSerialWorker> m_worker;  // shared with its thread

  mutable utils::CMutex m_postMutex;
  // Jobs handed to the worker so far; tells whether the waiting latest job
  // is still the last one queued.
  std::uint64_t m_posted LW_GUARDED_BY(m_postMutex) = 0;
  // The slot of the latest job while it waits (null once it started), and
  // the value of m_posted right after it was queued.
  boost::shared_ptr<SLatestSlot> m_waitingLatest LW_GUARDED_BY(m_postMutex);
  std::uint64_t m_waitingLatestTicket LW_GUARDED_BY(m_postMutex) = 0;
};

}  // namespace LW
