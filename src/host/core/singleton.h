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

#include <memory>
#include <mutex>

namespace utils {

template <typename T>
class LWHOST_CORE_EXPORT CManualSingletonT {
public:
  static T* instance() {
    std::lock_guard<std::mutex> lock(mutex());
    if (!storage()) storage().reset(new T());
    return storage().get();
  }

  // Replaces the instance (nullptr destroys it); the old one is deleted.
  static void reset(T* replacement = nullptr) {
    std::unique_ptr<T> old;
    {
      std::lock_guard<std::mutex> lock(mutex());
      old.swap(storage());
      storage().reset(replacement);
    }
  }

  static void destroy() { reset(nullptr); }

  static bool exists() {
    std::lock_guard<std::mutex> lock(mutex());
    return storage() != nullptr;
  }

private:
  static std::unique_ptr<T>& storage() {
    static std::unique_ptr<T> s;
    return s;
  }
  static std::mutex& mutex() {
    static std::mutex m;
    return m;
  }
};

}  // namespace utils
