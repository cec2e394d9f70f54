#include "uitesthelpers.h"

#include "host/core/logcenter.h"

#include <log4cxx/helpers/transcoder.h>
#include <log4cxx/spi/loggingevent.h>

namespace uitest {

class LogCapture::Appender : public log4cxx::AppenderSkeleton {
public:
  void close() override {}
  bool requiresLayout() const override { return false; }

  std::vector<std::string> lines() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lines;
  }

protected:
  void append(const log4cxx::spi::LoggingEventPtr& event, log4cxx::helpers::Pool&) override {
    std::string text;
    log4cxx::helpers::Transcoder::encode(event->getRenderedMessage(), text);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.push_back(text);
  }

private:
  mutable std::mutex m_mutex;
  std::vector<std::string> m_lines;  // guarded by m_mutex
};

LogCapture::LogCapture() : m_appender(std::make_shared<Appender>()) {
  utils::CLogCenter::instance()->setLogEnabled(true);
  utils::CLogCenter::instance()->logger()->addAppender(m_appender);
}

LogCapture::~LogCapture() { utils::CLogCenter::instance()->logger()->removeAppender(m_appender); }

std::vector<std::string> LogCapture::lines() const { return m_appender->lines(); }

int LogCapture::count(const std::string& needle) const {
  int found = 0;
  for (const std::string& line : lines())
    if (line.find(needle) != std::string::npos) ++found;
  return found;
}

}  // namespace uitest
