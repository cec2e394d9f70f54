#include "logcapture.h"

#include "host/core/logcenter.h"

#include <log4cxx/appenderskeleton.h>
#include <log4cxx/helpers/transcoder.h>
#include <log4cxx/spi/loggingevent.h>
#include <mutex>

namespace testsupport {

class LogCapture::Appender : public log4cxx::AppenderSkeleton {
public:
  void close() override {}
  bool requiresLayout() const override { return false; }

  std::vector<Record> records() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_records;
  }

protected:
  void append(const log4cxx::spi::LoggingEventPtr& event, log4cxx::helpers::Pool&) override {
    Record record;
    log4cxx::helpers::Transcoder::encode(event->getRenderedMessage(), record.message);
    record.level = event->getLevel()->toInt();
    const log4cxx::spi::LocationInfo& location = event->getLocationInformation();
    record.fileName = location.getFileName() ? location.getFileName() : "";
    record.methodSignature = location.getMethodName();
    record.line = location.getLineNumber();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_records.push_back(record);
  }

private:
  mutable std::mutex m_mutex;
  std::vector<Record> m_records;  // guarded by m_mutex
};

LogCapture::LogCapture() : m_appender(std::make_shared<Appender>()) {
  utils::CLogCenter::instance()->setLogEnabled(true);
  utils::CLogCenter::instance()->logger()->addAppender(m_appender);
}

LogCapture::~LogCapture() { utils::CLogCenter::instance()->logger()->removeAppender(m_appender); }

std::vector<LogCapture::Record> LogCapture::records() const { return m_appender->records(); }

}  // namespace testsupport
