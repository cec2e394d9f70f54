#pragma once
// Mutexes and locks that clang's thread-safety analysis understands
// (threadannotations.h): thin wrappers of the standard ones, no cost beyond
// theirs.
//
// CMutex / CRecursiveMutex: the capability a member is LW_GUARDED_BY.
// CMutexLocker<M>: holds M for its scope (std::lock_guard).
// CUniqueLocker: holds a CMutex for its scope, may unlock and relock early,
// and waits on a std::condition_variable. Write waits as a loop in the
// annotated function (while (!ready) lock.wait(cv);) rather than with a
// predicate lambda: the analysis checks a lambda's body on its own, without
// the lock the enclosing function holds.

#include "host/core/threadannotations.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace utils {

class LW_CAPABILITY("mutex") CMutex {
public:
  CMutex() = default;
  CMutex(const CMutex&) = delete;
  CMutex& operator=(const CMutex&) = delete;

  void lock() LW_ACQUIRE() { m_mutex.lock(); }
  void unlock() LW_RELEASE() { m_mutex.unlock(); }
  bool try_lock() LW_TRY_ACQUIRE(true) { return m_mutex.try_lock(); }

private:
  friend class CUniqueLocker;
  std::mutex m_mutex;
};

// A thread that holds it may take it again (every lock needs its unlock).
// The analysis does not model re-entry: a function that takes it while its
// caller already holds it must not say so with LW_REQUIRES.
class LW_CAPABILITY("mutex") CRecursiveMutex {
public:
  CRecursiveMutex() = default;
  CRecursiveMutex(const CRecursiveMutex&) = delete;
  CRecursiveMutex& operator=(const CRecursiveMutex&) = delete;

  void lock() LW_ACQUIRE() { m_mutex.lock(); }
  void unlock() LW_RELEASE() { m_mutex.unlock(); }
  bool try_lock() LW_TRY_ACQUIRE(true) { return m_mutex.try_lock(); }

private:
  std::recursive_mutex m_mutex;
};

template <typename Mutex>
class LW_SCOPED_CAPABILITY CMutexLocker {
public:
  explicit CMutexLocker(Mutex& mutex) LW_ACQUIRE(mutex) : m_mutex(mutex) { m_mutex.lock(); }
  ~CMutexLocker() LW_RELEASE() { m_mutex.unlock(); }
  CMutexLocker(const CMutexLocker&) = delete;
  CMutexLocker& operator=(const CMutexLocker&) = delete;

private:
  Mutex& m_mutex;
};

class LW_SCOPED_CAPABILITY CUniqueLocker {
public:
  explicit CUniqueLocker(CMutex& mutex) LW_ACQUIRE(mutex) : m_lock(mutex.m_mutex) {}
  ~CUniqueLocker() LW_RELEASE() {}
  CUniqueLocker(const CUniqueLocker&) = delete;
  CUniqueLocker& operator=(const CUniqueLocker&) = delete;

  // Early release and retake; the destructor releases only what is held.
  void unlock() LW_RELEASE() { m_lock.unlock(); }
  void lock() LW_ACQUIRE() { m_lock.lock(); }

  // The mutex is released while waiting and held again on return, as with
  // std::condition_variable::wait; wake-ups may be spurious.
  void wait(std::condition_variable& condition) { condition.wait(m_lock); }
  template <typename Rep, typename Period>
  std::cv_status waitFor(std::condition_variable& condition,
                         const std::chrono::duration<Rep, Period>& timeout) {
    return condition.wait_for(m_lock, timeout);
  }
  template <typename Clock, typename Duration>
  std::cv_status waitUntil(std::condition_variable& condition,
                           const std::chrono::time_point<Clock, Duration>& deadline) {
    return condition.wait_until(m_lock, deadline);
  }

private:
  std::unique_lock<std::mutex> m_lock;
};

}  // namespace utils
