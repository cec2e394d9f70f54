#pragma once
// Log records of the panels' library (model, panel, tender and bond info
// code; not installed), in the host's record format: "[<object address>] [<qualified function>]
// <message>", the message a Boost.Format text with %1% placeholders. Written only when the log
// centre's switch is on and the host logger takes the level; the record's location (file, function
// signature, line) comes from log4cxx.
//
// Any thread: the log centre and log4cxx loggers are thread-safe.

#include "host/core/logcenter.h"

#include <log4cxx/logger.h>
#include <boost/format.hpp>
#include <initializer_list>
#include <sstream>
#include <string>

namespace LW {
namespace detail {

template <typename... Args>
std::string lwLogText(const void* self, const char* function, const char* format,
                      const Args&... args) {
  boost::format message(format);
  // A placeholder without an argument (or the reverse) must not throw out of
  // a log call on a worker or the host's subscription thread.
  message.exceptions(boost::io::no_error_bits);
  (void)std::initializer_list<int>{((void)(message % args), 0)...};
  std::ostringstream out;
  out << "[" << self << "] [" << function << "] " << message.str();
  return out.str();
}

}  // namespace detail
}  // namespace LW

#define LW_LOG_WARN(self, function, ...)                                                 \
  do {                                                                                   \
    if (utils::CLogCenter::instance()->logEnabled()) {                                   \
      log4cxx::LoggerPtr lwLogger_ = utils::CLogCenter::instance()->logger();            \
      LOG4CXX_WARN(lwLogger_, ::LW::detail::lwLogText((self), (function), __VA_ARGS__)); \
    }                                                                                    \
  } while (0)
