#pragma once
// A gate in front of an object that callbacks from other threads enter on
// their own thread: close() (first thing in the owner's destructor) waits for
// a call that is inside the gate at that moment, and every later call finds
// the gate closed and returns without running.
//
// The owner keeps the gate by shared pointer and every callback it hands out
// binds a shared reference too, so the gate outlives the owner for as long as
// a callback may still arrive. For deliveries that are to run on the owner's
// own thread instead, see CCoalescedPost.
//
// Threads: runIfAlive() from any thread; close() from the owner's thread.
// The mutex is held while the guarded call runs: the call must not wait for
// the owner's thread (it may emit signals; receivers on other threads get
// them queued). It is recursive, so a guarded call may enter the gate again,
// and close() from inside a guarded call on the same thread returns at once
// (the call on the stack must then touch nothing of its owner afterwards).

#include "host/core/annotatedmutex.h"

#include <utility>

namespace utils {

class CLifetimeGate {
public:
  CLifetimeGate() = default;
  CLifetimeGate(const CLifetimeGate&) = delete;
  CLifetimeGate& operator=(const CLifetimeGate&) = delete;

  // Runs f() unless the gate is closed; false when it did not run.
  template <typename F>
  bool runIfAlive(F&& f) {
    CMutexLocker<CRecursiveMutex> lock(m_mutex);
    if (!m_alive) return false;
    std::forward<F>(f)();
    return true;
  }

  // Closes the gate for good; returns once no guarded call runs on another
  // thread. Idempotent.
  void close() {
    CMutexLocker<CRecursiveMutex> lock(m_mutex);
    m_alive = false;
  }

  bool isAlive() const {
    CMutexLocker<CRecursiveMutex> lock(m_mutex);
    return m_alive;
  }

private:
  mutable CRecursiveMutex m_mutex;
  bool m_alive LW_GUARDED_BY(m_mutex) = true;
};

}  // namespace utils
