#pragma once
// Shared fixtures of the UI framework tests: a widget that records the events
// delivered to it, the host log's messages, and a wait that spins the event
// loop until a condition holds.

#include "eventwait.h"
#include "host/ui/basewidget.h"
#include "host/ui/uiresource.h"
#include "logcapture.h"

#include <QCoreApplication>
#include <functional>
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

// The rendered messages of the host logger's records while alive.
class LogCapture : public testsupport::LogCapture {
public:
  std::vector<std::string> lines() const {
    std::vector<std::string> all;
    for (const Record& record : records()) all.push_back(record.message);
    return all;
  }
  // Lines containing needle.
  int count(const std::string& needle) const {
    int found = 0;
    for (const std::string& line : lines()) found += line.find(needle) != std::string::npos;
    return found;
  }
};

// Puts the default theme back whatever a test did.
struct ThemeGuard {
  ~ThemeGuard() { GU::CUiResource::instance()->setTheme(QStringLiteral("light")); }
};

inline bool waitFor(const std::function<bool()>& done, int timeoutMs = 3000) {
  return testsupport::waitFor(done, timeoutMs);
}

inline void flushDeferredDeletes() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace uitest
