#pragma once
// A gate between a panel and the host callbacks that may still be on their
// way when the panel is destroyed (the trade client's completion callbacks of
// tender detail updates, which run on the trade client's own thread and only
// carry the address of the panel's tender workflow).
//
// The tender workflow owns one guard by shared pointer; every callback it
// hands to the host binds a shared reference to the guard and enters the
// workflow only through runIfAlive(). The workflow's shutdown (first thing in
// the panel's destructor) calls retire() before anything of the panel is torn
// down: retire() waits for a callback that is inside runIfAlive() at that
// moment, and every later callback finds the gate closed and returns without
// touching the panel.
//
// Threads: runIfAlive() from any thread; retire() from the panel's thread.
// m_mutex guards m_alive and is held while the guarded call runs, so the call
// must not wait for the panel's thread (it may emit signals: receivers on
// other threads get them queued). Recursive, so a guarded call may itself
// enter the gate again on the same thread.

#include <mutex>
#include <utility>

namespace LW {

class CPanelCallbackGuard {
public:
  CPanelCallbackGuard() = default;
  CPanelCallbackGuard(const CPanelCallbackGuard&) = delete;
  CPanelCallbackGuard& operator=(const CPanelCallbackGuard&) = delete;

  // Calls f() unless the panel has retired the guard; false when it did not.
  template <typename F>
  bool runIfAlive(F&& f) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (!m_alive) return false;
    std::forward<F>(f)();
    return true;
  }

  // Closes the gate for good; returns once no guarded call is running on
  // another thread. Idempotent.
  void retire() {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_alive = false;
  }

  bool isAlive() const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_alive;
  }

private:
  mutable std::recursive_mutex m_mutex;
  bool m_alive = true;  // guarded by m_mutex
};

}  // namespace LW
