#pragma once
// Shared fixtures of the model tests: a fixture that installs a data set into
// the host services and empties them afterwards, and a signal relay. The
// record builders are the shared ones of tests/support (testrecords.h).

#include "host/data/dataset.h"
#include "testrecords.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QString>
#include <string>

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

class HostFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Installs set into the host services (adding the default exchanges).
  void install(mxservice::DataSet set);
};

}  // namespace modeltest
