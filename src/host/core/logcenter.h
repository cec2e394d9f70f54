#pragma once
// The host's log centre: a global switch for logging and the host's standard
// log4cxx logger ("mx"). Records are written only when logEnabled() is true
// and the logger is enabled for the record's level.
//
// Thread-safe: every member may be called from any thread.

#include "lwhost_core_export.h"

#include <log4cxx/logger.h>
#include <atomic>

namespace utils {

class LWHOST_CORE_EXPORT CLogCenter {
public:
  static CLogCenter* instance();

  bool logEnabled() const { return m_enabled.load(std::memory_order_relaxed); }
  void setLogEnabled(bool enabled) { m_enabled.store(enabled, std::memory_order_relaxed); }

  // The host's standard logger; records at log4cxx level 40000 are errors.
  log4cxx::LoggerPtr logger() const;

private:
  CLogCenter();
  std::atomic<bool> m_enabled{true};
};

}  // namespace utils
