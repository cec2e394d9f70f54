#pragma once
// Log records of the table library in the host's record format:
// "[<object address>] [<qualified function>] <message>", written only when the
// log centre's switch is on and the "mx" logger takes the level.
//
// Any thread: the log centre and log4cxx loggers are thread-safe.

#include "host/core/logcenter.h"

#include <log4cxx/logger.h>
#include <QString>
#include <sstream>
#include <string>

namespace GU {
namespace detail {

inline std::string hpfLogText(const void* self, const char* function, const QString& message) {
  std::ostringstream out;
  out << "[" << self << "] [" << function << "] " << message.toStdString();
  return out.str();
}

}  // namespace detail
}  // namespace GU

#define HPF_LOG_WARN(self, message)                                                              \
  do {                                                                                           \
    if (utils::CLogCenter::instance()->logEnabled()) {                                           \
      log4cxx::LoggerPtr hpfLogger_ = utils::CLogCenter::instance()->logger();                   \
      LOG4CXX_WARN(hpfLogger_, ::GU::detail::hpfLogText((self), Q_FUNC_INFO, QString(message))); \
    }                                                                                            \
  } while (0)

#define HPF_LOG_ERROR(self, message)                                                              \
  do {                                                                                            \
    if (utils::CLogCenter::instance()->logEnabled()) {                                            \
      log4cxx::LoggerPtr hpfLogger_ = utils::CLogCenter::instance()->logger();                    \
      LOG4CXX_ERROR(hpfLogger_, ::GU::detail::hpfLogText((self), Q_FUNC_INFO, QString(message))); \
    }                                                                                             \
  } while (0)
