#include "host/services/servicelog.h"

#include "host/core/logcenter.h"

#include <log4cxx/logger.h>

namespace mxservice {
namespace servicelog {

namespace {
std::string compose(const char* where, const std::string& text) {
  std::string line;
  line.reserve(text.size() + 32);
  line.append("[").append(where ? where : "").append("] ").append(text);
  return line;
}
}  // namespace

void warning(const char* where, const std::string& text) {
  utils::CLogCenter* center = utils::CLogCenter::instance();
  if (!center->logEnabled()) return;
  log4cxx::LoggerPtr logger = center->logger();
  if (logger && logger->isWarnEnabled()) LOG4CXX_WARN(logger, compose(where, text));
}

void error(const char* where, const std::string& text) {
  utils::CLogCenter* center = utils::CLogCenter::instance();
  if (!center->logEnabled()) return;
  log4cxx::LoggerPtr logger = center->logger();
  if (logger && logger->isErrorEnabled()) LOG4CXX_ERROR(logger, compose(where, text));
}

}  // namespace servicelog
}  // namespace mxservice
