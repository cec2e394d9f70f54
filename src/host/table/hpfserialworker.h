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

  mutable std::mutex m_mutex;
  std::condition_variable m_wake;               // a job was queued or stop() was called
  std::condition_variable m_idle;               // the queue ran empty
  std::deque<boost::function<void()>> m_queue;  // guarded by m_mutex
  bool m_stopped = false;                       // guarded by m_mutex
  bool m_running = false;                       // a job runs; m_mutex
  std::thread m_thread;                         // started and ended under m_mutex
  std::thread::id m_threadId;                   // guarded by m_mutex
};

}  // namespace LW
