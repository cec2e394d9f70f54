#pragma once
// Records what the host logger writes while a capture lives, with the level
// and the location (file, function signature, line) of each record. Switches
// the log centre on.

#include <memory>
#include <string>
#include <vector>

namespace testsupport {

class LogCapture {
public:
  struct Record {
    int level;
    std::string message;
    std::string fileName;
    std::string methodSignature;
    int line;
  };
  LogCapture();
  ~LogCapture();
  // Any thread.
  std::vector<Record> records() const;

private:
  class Appender;
  std::shared_ptr<Appender> m_appender;
};

}  // namespace testsupport
