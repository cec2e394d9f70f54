#pragma once
// Shared fixtures of the model tests: record builders and a fixture that
// installs a data set into the host services and empties them afterwards.

#include "host/data/dataset.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QString>
#include <string>

namespace modeltest {

mxservice::CInstrumentDetailPtr instrument(int tradeType, const std::string& market,
                                           const std::string& code, const std::string& name);

mxservice::COTCFundPlanInfoPtr fund(const std::string& code, const std::string& name,
                                    int baseInfoType);

mxservice::CInterBankBondPtr interBankBond(const std::string& market, const std::string& code,
                                           const std::string& name);

mxservice::CTenderBondInfoDetailPtr tenderBond(const std::string& code);

// The exchanges every test set starts with (SH, SZ, SHFE, SGE, CME).
void addDefaultExchanges(mxservice::DataSet& set);

QString u8(const char* text);

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
