#include "fuzzsupport.h"

#include <log4cxx/basicconfigurator.h>
#include <log4cxx/fileappender.h>
#include <log4cxx/logmanager.h>
#include <log4cxx/patternlayout.h>
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace lwfuzz {

void ensureApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // QApplication keeps references to argc and argv for its whole life.
  static int argc = 1;
  static char name[] = "lwfuzz";
  static char* argv[] = {name, nullptr};
  // Lives until process exit: the fuzzer never returns to a place where the
  // application could be torn down in order.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

void quietHostLog() {
  auto repository = log4cxx::LogManager::getLoggerRepository();
  if (repository->isConfigured()) return;
  auto layout = std::make_shared<log4cxx::PatternLayout>(LOG4CXX_STR("%p %c %m%n"));
  auto appender = std::make_shared<log4cxx::FileAppender>(layout, LOG4CXX_STR("/dev/null"), false);
  log4cxx::BasicConfigurator::configure(appender);
}

std::string sampleDataDirectory() {
  if (const char* dir = std::getenv("LW_SAMPLE_DATA")) {
    if (*dir) return dir;
  }
  return LW_FUZZ_SAMPLE_DATA;
}

void invariantFailed(const char* file, int line, const char* condition, const std::string& detail) {
  std::fprintf(stderr, "\n== invariant broken at %s:%d: %s\n== %s\n", file, line, condition,
               detail.c_str());
  std::fflush(stderr);
  std::abort();
}

std::string printable(const std::string& bytes, std::size_t limit) {
  static const char hex[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out.push_back(static_cast<char>(c));
    } else {
      out += "\\x";
      out.push_back(hex[c >> 4]);
      out.push_back(hex[c & 15]);
    }
  }
  if (bytes.size() > limit) out += "...";
  return out;
}

}  // namespace lwfuzz
