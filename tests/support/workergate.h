#pragma once
// A gate that holds a worker thread inside a job until the test releases it,
// so that everything the test queues meanwhile waits behind that job.

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace testsupport {

class CWorkerGate {
public:
  CWorkerGate() : m_state(std::make_shared<State>()) {}
  ~CWorkerGate() { release(); }
  CWorkerGate(const CWorkerGate&) = delete;
  CWorkerGate& operator=(const CWorkerGate&) = delete;

  // A job that holds its thread until release(). It shares the gate's state,
  // so it may still be waking up after the gate object is gone.
  std::function<void()> job() const {
    const std::shared_ptr<State> state = m_state;
    return [state]() {
      std::unique_lock<std::mutex> lock(state->mutex);
      state->held = true;
      state->cv.notify_all();
      state->cv.wait(lock, [&state]() { return state->released; });
    };
  }
  // Holds the calling thread (from inside a job of the worker's own).
  void hold() const { job()(); }

  // Returns once a job of this gate holds its thread.
  void waitHeld() const {
    std::unique_lock<std::mutex> lock(m_state->mutex);
    m_state->cv.wait(lock, [this]() { return m_state->held; });
  }
  void release() {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->released = true;
    m_state->cv.notify_all();
  }

private:
  struct State {
    std::mutex mutex;
    std::condition_variable cv;
    bool held = false;
    bool released = false;
  };
  std::shared_ptr<State> m_state;
};

}  // namespace testsupport
