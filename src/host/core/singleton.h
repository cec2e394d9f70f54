#pragma once
// Process-wide singletons of the host services.
//
// instance() creates the object on first use (thread-safe) and returns it
// until destroy(). The host application destroys its singletons in reverse
// order of need at shutdown; tests use reset() to install a fresh instance.
// instance() must not be called concurrently with destroy()/reset().
//
// The template is visible outside every library (its export macro): an
// instance is held in a static of an inline function, and with hidden
// symbols each library that calls instance() would otherwise hold a copy
// of its own. Marked visible, the dynamic linker merges them into one.

#include "lwhost_core_export.h"

#include "host/core/annotatedmutex.h"

#include <memory>

namespace utils {

template <typename T>
class LWHOST_CORE_EXPORT CManualSingletonT {
public:
  static T* instance() LW_EXCLUDES(s_mutex) {
    CMutexLocker<CMutex> lock(s_mutex);
    if (!s_storage) s_storage.reset(new T());
    return s_storage.get();
  }

  // Replaces the instance (nullptr destroys it); the old one is deleted,
  // outside the lock.
  static void reset(T* replacement = nullptr) LW_EXCLUDES(s_mutex) {
    std::unique_ptr<T> old;
    {
      CMutexLocker<CMutex> lock(s_mutex);
      old.swap(s_storage);
      s_storage.reset(replacement);
    }
  }

  static void destroy() { reset(nullptr); }

  static bool exists() LW_EXCLUDES(s_mutex) {
    CMutexLocker<CMutex> lock(s_mutex);
    return s_storage != nullptr;
  }

private:
  // Both are constant-initialised, so they exist before any static
  // constructor of another file could ask for the instance.
  static inline CMutex s_mutex;
  static inline std::unique_ptr<T> s_storage LW_GUARDED_BY(s_mutex);
};

}  // namespace utils
