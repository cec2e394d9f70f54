#pragma once
// A serial executor: one thread that runs queued jobs one at a time, in order.
// Internal to the table library (LW::CHpfThreadDataModel owns one).
//
// Lifetime: create with boost::make_shared; the thread holds its own reference
// to the worker, so stop() may be called from inside a job (the worker then
// ends by itself after that job) or from any other thread (it waits for the
// running job). Jobs still queued at stop() are dropped, never run.
//
// Threads: every member may be called from any thread; m_mutex guards the
// queue and the state flags.

#include "lwhost_table_export.h"

#include "host/core/annotatedmutex.h"

#include <boost/enable_shared_from_this.hpp>
#include <boost/function.hpp>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace LW {

class LWHOST_TABLE_EXPORT CHpfSerialWorker
    : public boost::enable_shared_from_this<CHpfSerialWorker> {
public:
  CHpfSerialWorker();
  ~CHpfSerialWorker();

  // False when stopped or job is empty. Starts the thread on first use.
  bool post(const boost::function<void()>& job);
  // Waits for the running job (unless called from it), drops the queue.
  void stop();
  bool waitForIdle(int timeoutMs);
  int pending() const;
  bool isWorkerThread() const;

private:
  void run();
  bool isIdleLocked() const LW_REQUIRES(m_mutex) {
    return m_stopped || (m_queue.empty() && !m_running);
  }

  mutable utils::CMutex m_mutex;
  std::condition_variable m_wake;  // a job was queued or stop() was called
  std::condition_variable m_idle;  // the queue ran empty
  std::deque<boost::function<void()>> m_queue LW_GUARDED_BY(m_mutex);
  bool m_stopped LW_GUARDED_BY(m_mutex) = false;
  bool m_running LW_GUARDED_BY(m_mutex) = false;  // a job runs
  std::thread m_thread LW_GUARDED_BY(m_mutex);
  std::thread::id m_threadId LW_GUARDED_BY(m_mutex);
};

}  // namespace LW
