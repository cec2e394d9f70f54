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
// Threads: post(), waitForIdle(), pendingJobs() and stopWorker() may be called
// from any thread (stopWorker() and waitForIdle() from inside a job return at
// once: a job cannot wait for itself). The queue is guarded by the worker's
// own mutex.

#include "lwhost_table_export.h"

#include "host/table/hpfdatamodel.h"

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

namespace LW {

class CHpfSerialWorker;

class LWHOST_TABLE_EXPORT CHpfThreadDataModel : public CHpfDataModel {
public:
  CHpfThreadDataModel(int tableType, mxservice::ENqTraderType tradeType);
  ~CHpfThreadDataModel() override;

  // Queues job; false (and the job is dropped) once the worker is stopped or
  // job is empty. Exceptions escaping a job are logged and swallowed.
  bool post(const boost::function<void()>& job);

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
  boost::shared_ptr<CHpfSerialWorker> m_worker;  // shared with its thread
};

}  // namespace LW
