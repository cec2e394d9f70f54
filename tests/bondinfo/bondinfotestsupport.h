#pragma once
// Shared fixtures of the bond info panel tests: host records put straight
// into the data centre and the exchange client, a probe that opens the
// panel's protected entry points, and readers of what the panel's table
// shows.

#include "bondinfo/bondinfopanel.h"
#include "host/data/bondtradeinfo.h"
#include "host/data/instrumentdetail.h"
#include "qstringprint.h"
#include "testrecords.h"

#include <gtest/gtest.h>

#include <QString>
#include <QThread>
#include <memory>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace bondinfotest {

// Opens the protected operations of the panel for the tests.
class BondInfoProbe : public LW::CBondInfoPanel {
public:
  using LW::CBondInfoPanel::CBondInfoPanel;
  using LW::CBondInfoPanel::filter;
  using LW::CBondInfoPanel::handleEvent;
  using LW::CBondInfoPanel::loadBondInfos;
};

// The threads on which the panel asked records for their data key. The panel
// asks for it inside every load that finds a detail, so the set tells on
// which threads loads ran. Shared by the records that report to it.
class KeyReadLog {
public:
  void note();
  std::set<QThread*> threads() const;
  int reads() const;
  void clear();

private:
  mutable std::mutex m_mutex;
  std::set<QThread*> m_threads;  // guarded by m_mutex
  int m_reads = 0;               // guarded by m_mutex
};

// A bond trading record that reports every getKey() to a KeyReadLog.
class ObservedBondTradeInfo : public mxservice::CBondTradeInfo {
public:
  explicit ObservedBondTradeInfo(std::shared_ptr<KeyReadLog> log) : m_log(std::move(log)) {}
  std::string getKey() const override;

private:
  std::shared_ptr<KeyReadLog> m_log;
};

mxservice::CBondTradeInfoPtr bond(const std::string& market, const std::string& code);
mxservice::CBondTradeInfoPtr observedBond(const std::shared_ptr<KeyReadLog>& log,
                                          const std::string& market, const std::string& code);
mxservice::CInstrumentDetailPtr detail(const std::string& market, const std::string& code,
                                       const std::string& name, double accruedInterest,
                                       long long attributeFlags = 0);

// Replaces the host's bond trading records / instrument details.
void setBondTradeInfos(const mxservice::BondTradeInfoMap& infos);
void setInstruments(const std::vector<mxservice::CInstrumentDetailPtr>& instruments);

// Empties the host services the panel reads before and after each test.
class BondInfoTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
};

// The id of the column with that title, -1 when there is none.
int columnWithTitle(const LW::CBondInfoPanel& panel, const QString& title);
// The data keys of the shown rows, in view order.
std::vector<std::string> shownKeys(const LW::CBondInfoPanel& panel);
// The text of one cell of the row with that key; a null QString when the row
// is not shown.
QString cellOf(const LW::CBondInfoPanel& panel, const std::string& key, const QString& title);
// Slots connected to the quote client's bond-information signal.
std::size_t bondInfoListeners();

using testsupport::u8;

}  // namespace bondinfotest
