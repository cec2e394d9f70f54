#pragma once
// Shared pieces of the model tests: a signal relay, and the host fixture and
// record builders of tests/support (testrecords.h).

#include "testrecords.h"

#include <gtest/gtest.h>

#include <QObject>

namespace modeltest {

// Re-emits a signal on the thread it lives on. A QSignalSpy connects
// directly, so a spy on a signal raised by a worker can count it before
// spy.wait() starts, and the wait then misses it. Spying on the relay instead
// sees the signal as the GUI thread receives it: only while events are
// processed, so not before the wait.
class CSignalRelay : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;
signals:
  void sigRelayed();
public slots:
  void slotRelay() { emit sigRelayed(); }
};

using HostFixture = testsupport::HostFixture;

}  // namespace modeltest
