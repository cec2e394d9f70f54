#include "host/table/hpfserialworker.h"

#include "host/core/annotatedmutex.h"
#include "host/table/hpftablelog_p.h"

#include <chrono>
#include <exception>

namespace LW {

CHpfSerialWorker::CHpfSerialWorker() = default;

CHpfSerialWorker::~CHpfSerialWorker() {
  // Only reached after stop() (the owner calls it) or when the thread never
  // started; a joinable thread here would be a missing stop().
  if (m_thread.joinable()) {
    if (m_thread.get_id() == std::this_thread::get_id())
      m_thread.detach();
    else
      m_thread.join();
  }
}

bool CHpfSerialWorker::post(const boost::function<void()>& job) {
  if (!job) return false;
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  if (m_stopped) return false;
  m_queue.push_back(job);
  if (!m_thread.joinable()) {
    // The thread keeps the worker alive: a job that ends the last owner
    // destroys the worker only after the loop has returned.
    boost::shared_ptr<CHpfSerialWorker> self = shared_from_this();
    m_thread = std::thread([self]() { self->run(); });
    m_threadId = m_thread.get_id();
  }
  m_wake.notify_one();
  return true;
}

void CHpfSerialWorker::run() {
  utils::CUniqueLocker lock(m_mutex);
  for (;;) {
    while (!m_stopped && m_queue.empty()) lock.wait(m_wake);
    if (m_stopped) break;
    boost::function<void()> job;
    job.swap(m_queue.front());
    m_queue.pop_front();
    m_running = true;
    lock.unlock();
    try {
      job();
    } catch (const std::exception& e) {
      HPF_LOG_ERROR(this, QString::fromLocal8Bit("a job failed: %1").arg(e.what()));
    } catch (...) {
      HPF_LOG_ERROR(this, "a job failed with an unknown exception");
    }
    // The job (and what it holds, possibly the last reference to the model
    // that stops this worker) goes before the lock is taken again.
    job.clear();
    lock.lock();
    m_running = false;
    if (m_queue.empty()) m_idle.notify_all();
  }
  m_running = false;
  m_idle.notify_all();
}

void CHpfSerialWorker::stop() {
  std::deque<boost::function<void()>> dropped;
  std::thread thread;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    if (m_stopped && !m_thread.joinable()) return;
    m_stopped = true;
    dropped.swap(m_queue);
    thread.swap(m_thread);
    m_wake.notify_all();
    m_idle.notify_all();
  }
  if (thread.joinable()) {
    // From inside a job the thread cannot wait for itself; it leaves the loop
    // as soon as that job returns, and its own reference keeps us alive.
    if (thread.get_id() == std::this_thread::get_id())
      thread.detach();
    else
      thread.join();
  }
  // dropped jobs are destroyed here, outside the lock.
}

bool CHpfSerialWorker::waitForIdle(int timeoutMs) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  utils::CUniqueLocker lock(m_mutex);
  if (m_threadId == std::this_thread::get_id() && m_running) return false;
  while (!isIdleLocked()) {
    if (lock.waitUntil(m_idle, deadline) == std::cv_status::timeout) return isIdleLocked();
  }
  return true;
}

int CHpfSerialWorker::pending() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return static_cast<int>(m_queue.size());
}

bool CHpfSerialWorker::isWorkerThread() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_threadId == std::this_thread::get_id();
}

}  // namespace LW
