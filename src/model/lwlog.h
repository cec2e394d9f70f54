#pragma once
// The log of the panels' library, one header for every layer above the
// host (model, tender, panel; internal, not installed). Records go to the
// host logger in the host's record format: "[<object address>] [<qualified
// function>] <message>", written only when the log centre's switch is on
// and the logger takes the level; the record's location (file, function
// signature, line) comes from log4cxx.
//
//   LW_LOG_WARN(self, function, format, args...)
//       a warning; format is a Boost.Format text with %1% placeholders.
//   LW_CHECK(condition, action)
//       a condition the code relies on. When it does not hold, an error
//       naming the condition, file and line is logged and action runs to
//       recover (return, continue, a fallback value):
//           LW_CHECK(detail, return);
//           LW_CHECK(row < rowCount(), return QString());
//       The condition is evaluated exactly once, in every build; the action
//       only when it is false. A statement of its own: brace an if around
//       it.
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

// Logs a failed LW_CHECK; the record reads
// "check failed: <condition> (<file>:<line>)".
inline void lwCheckFailed(const char* condition, const char* file, int line) {
  if (!utils::CLogCenter::instance()->logEnabled()) return;
  log4cxx::LoggerPtr logger = utils::CLogCenter::instance()->logger();
  std::ostringstream out;
  out << "check failed: " << condition << " (" << file << ":" << line << ")";
  LOG4CXX_ERROR(logger, out.str());
}

}  // namespace detail
}  // namespace LW

// An if/else pair rather than a do/while block, so that action may be
// break or continue of the loop around the check.
#define LW_CHECK(condition, action)                              \
  if (static_cast<bool>(condition)) {                            \
  } else {                                                       \
    ::LW::detail::lwCheckFailed(#condition, __FILE__, __LINE__); \
    action;                                                      \
  }                                                              \
  do {                                                           \
  } while (0)

#define LW_LOG_WARN(self, function, ...)                                                 \
  do {                                                                                   \
    if (utils::CLogCenter::instance()->logEnabled()) {                                   \
      log4cxx::LoggerPtr lwLogger_ = utils::CLogCenter::instance()->logger();            \
      LOG4CXX_WARN(lwLogger_, ::LW::detail::lwLogText((self), (function), __VA_ARGS__)); \
    }                                                                                    \
  } while (0)
