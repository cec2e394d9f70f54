#pragma once
// A few worker threads that run posted tasks in the order they were posted
// (each on whichever worker is free). The data-set loader keeps one for a
// whole load, so that a load of many small files does not start threads per
// file, and its threads decode the next blocks while the loading thread
// checks the previous ones.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace mxservice {

class CTaskPool {
public:
  // Up to `threads` workers, started when the first task is posted.
  explicit CTaskPool(int threads);
  // Runs what is still queued, then joins the workers.
  ~CTaskPool();
  CTaskPool(const CTaskPool&) = delete;
  CTaskPool& operator=(const CTaskPool&) = delete;

  // Queues `task`, or runs it on the calling thread when no worker can be
  // started at all. A task must not throw (wrap it) and must not wait for a
  // later task of the same pool.
  void post(std::function<void()> task);

private:
  void work();

  const int m_maxThreads;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::deque<std::function<void()>> m_tasks;  // guarded by m_mutex
  bool m_stopping = false;                    // guarded by m_mutex
  std::vector<std::thread> m_threads;         // the posting thread's only
};

}  // namespace mxservice
