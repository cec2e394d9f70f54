#pragma once
// Log records of the UI framework, in the host's record format:
// "[<object address>] [<qualified function>] <message>". A record is written
// only when the log centre's switch is on and the "mx" logger takes the level.
//
// Any thread: the log centre and log4cxx loggers are thread-safe.

#include "host/core/logcenter.h"

#include <log4cxx/logger.h>
#include <QString>
#include <sstream>
#include <string>

namespace GU {
namespace detail {

inline std::string uiLogText(const void* self, const char* function, const QString& message) {
  std::ostringstream out;
  out << "[" << self << "] [" << function << "] " << message.toStdString();
  return out.str();
}

}  // namespace detail
}  // namespace GU

#define GU_UI_LOG_WARN(self, function, message)                                        \
  do {                                                                                 \
    if (utils::CLogCenter::instance()->logEnabled()) {                                 \
      log4cxx::LoggerPtr guLogger_ = utils::CLogCenter::instance()->logger();          \
      LOG4CXX_WARN(guLogger_, ::GU::detail::uiLogText((self), (function), (message))); \
    }                                                                                  \
  } while (0)

#define GU_UI_LOG_ERROR(self, function, message)                                        \
  do {                                                                                  \
    if (utils::CLogCenter::instance()->logEnabled()) {                                  \
      log4cxx::LoggerPtr guLogger_ = utils::CLogCenter::instance()->logger();           \
      LOG4CXX_ERROR(guLogger_, ::GU::detail::uiLogText((self), (function), (message))); \
    }                                                                                   \
  } while (0)
