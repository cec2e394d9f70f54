#include "host/core/logcenter.h"

#include <log4cxx/basicconfigurator.h>
#include <log4cxx/logmanager.h>
#include <mutex>

namespace utils {

CLogCenter::CLogCenter() {
  // Without a configuration file the root logger would drop every record;
  // fall back to log4cxx's console configuration so errors stay visible.
  if (!log4cxx::LogManager::getLoggerRepository()->isConfigured())
    log4cxx::BasicConfigurator::configure();
}

CLogCenter* CLogCenter::instance() {
  static CLogCenter* center = new CLogCenter();  // lives until process exit
  return center;
}

log4cxx::LoggerPtr CLogCenter::logger() const { return log4cxx::Logger::getLogger("mx"); }

}  // namespace utils
