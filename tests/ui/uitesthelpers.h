#pragma once
// Shared fixtures of the UI framework tests: a widget that records the events
// delivered to it, a log4cxx appender that captures the "mx" logger, and a
// wait that spins the event loop until a condition holds.

#include "eventwait.h"
#include "host/ui/basewidget.h"

#include <log4cxx/appenderskeleton.h>
#include <QCoreApplication>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace uitest {

struct RecordedEvent {
  int id;
  int wParam;
  int lParam;
  QString text;
  void* data;
};

// Records every event it is offered; consumes the ids in `consumed`.
class EventRecorder : public GU::CBaseWidget {
public:
  explicit EventRecorder(QWidget* parent = nullptr) : GU::CBaseWidget(parent) {}

  bool handleEvent(int id, int wParam, int lParam, QString text, void* data) override {
    events.push_back({id, wParam, lParam, text, data});
    const bool consume = consumed.count(id) > 0;
    if (onEvent) onEvent(events.back());  // may delete the sender, never this
    return consume;
  }

  std::vector<RecordedEvent> withId(int id) const {
    std::vector<RecordedEvent> matching;
    for (const RecordedEvent& event : events)
      if (event.id == id) matching.push_back(event);
    return matching;
  }
  std::vector<int> ids() const {
    std::vector<int> all;
    for (const RecordedEvent& event : events) all.push_back(event.id);
    return all;
  }

  std::vector<RecordedEvent> events;
  std::set<int> consumed;
  std::function<void(const RecordedEvent&)> onEvent;
};

// Captures the records of the host's "mx" logger while alive.
class LogCapture {
public:
  LogCapture();
  ~LogCapture();
  std::vector<std::string> lines() const;
  // Lines containing needle.
  int count(const std::string& needle) const;

private:
  class Appender;
  std::shared_ptr<Appender> m_appender;
};

inline bool waitFor(const std::function<bool()>& done, int timeoutMs = 3000) {
  return testsupport::waitFor(done, timeoutMs);
}

inline void flushDeferredDeletes() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace uitest
