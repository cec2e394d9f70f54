#include "host/data/taskpool.h"

#include <cstddef>
#include <system_error>
#include <utility>

namespace mxservice {

CTaskPool::CTaskPool(int threads) : m_maxThreads(threads < 1 ? 1 : threads) {}

CTaskPool::~CTaskPool() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = true;
  }
  m_wake.notify_all();
  for (std::thread& thread : m_threads) thread.join();
}

void CTaskPool::post(std::function<void()> task) {
  if (m_threads.size() < static_cast<std::size_t>(m_maxThreads)) {
    try {
      m_threads.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
      // No thread to be had: with none at all, the task runs here.
      if (m_threads.empty()) {
        task();
        return;
      }
    }
  }
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_tasks.push_back(std::move(task));
  }
  m_wake.notify_one();
}

void CTaskPool::work() {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_wake.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
      if (m_tasks.empty()) return;  // stopping, nothing left
      task = std::move(m_tasks.front());
      m_tasks.pop_front();
    }
    task();
  }
}

}  // namespace mxservice
