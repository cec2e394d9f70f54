#pragma once
// Shared fixtures of the tender tests: tender bonds and order commands built
// by hand, a host filled with them, a panel probe that opens the protected
// tender operations, a log capture that keeps level and location, and
// helpers that wait for the model's worker and the trade client.

#include "eventwait.h"
#include "host/data/dataset.h"
#include "panel/hpfinstable.h"
#include "panel/instrumentspanel.h"

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tendertest {

constexpr mxservice::ENqTraderType kTenderType = mxservice::NQ_TRADER_BOND_TENDER;

// A tender bond whose dates are all `date` ("yyyyMMdd").
mxservice::CTenderBondInfoDetailPtr tenderBond(const std::string& code, const std::string& date,
                                               int basicBidUnit = 1000);
// Parameters holding a "btdparam" document that names bondCode.
bson::BSONObj tenderParams(const std::string& bondCode);
// A tender order command of bondCode (trading type 0x8000000).
mxservice::COrderCommandPtr orderCommand(int commandId, const std::string& bondCode, int status);
// The same with the given parameters.
mxservice::COrderCommandPtr orderCommandWithParams(int commandId, const bson::BSONObj& params,
                                                   int status);

// Today as the search bar writes it.
std::string today();
std::string daysFromToday(int days);

// Opens the protected operations of the panel.
class TenderPanel : public LW::CInstrumentsPanel {
public:
  explicit TenderPanel(QWidget* parent = nullptr) : LW::CInstrumentsPanel(1, kTenderType, parent) {}
  using LW::CInstrumentsPanel::callbackGuard;
  using LW::CInstrumentsPanel::createBondTenderSearchUi;
  using LW::CInstrumentsPanel::endDateEdit;
  using LW::CInstrumentsPanel::endTimeLabel;
  using LW::CInstrumentsPanel::handleBondTenderSearchOperation;
  using LW::CInstrumentsPanel::handleEvent;
  using LW::CInstrumentsPanel::internalOnlyCheck;
  using LW::CInstrumentsPanel::isSearchDateTypeColumn;
  using LW::CInstrumentsPanel::onOrderCommand;
  using LW::CInstrumentsPanel::onUpdateTenderBondDetails;
  using LW::CInstrumentsPanel::processBondTenderButtonClick;
  using LW::CInstrumentsPanel::processBondTenderRowSelect;
  using LW::CInstrumentsPanel::queryButton;
  using LW::CInstrumentsPanel::refreshDateTypeSearchUi;
  using LW::CInstrumentsPanel::refreshOtherTypeSearchUi;
  using LW::CInstrumentsPanel::searchFieldCombo;
  using LW::CInstrumentsPanel::searchTextEdit;
  using LW::CInstrumentsPanel::startDateEdit;
  using LW::CInstrumentsPanel::startTimeLabel;
  using LW::CInstrumentsPanel::testHintDate;
};

// Waits until the panel's model is idle and its sigRefreshed() reached this
// thread.
void settle(LW::CInstrumentsPanel* panel);
using testsupport::waitFor;

// A tender model of no panel whose buttons column has a delegate of its own.
// Setting a row's buttons asks the delegate for a repaint; onWorker runs at
// each such request made on the model's worker, so a test can hold a search
// there.
boost::shared_ptr<LW::CHpfInsModel> tenderModelHeldBy(const std::function<void()>& onWorker);
// Stops calling the onWorker of tenderModelHeldBy.
void stopHolding(const boost::shared_ptr<LW::CHpfInsModel>& model);

// The bond codes of the model's rows, in model order.
std::vector<std::string> listedCodes(LW::CInstrumentsPanel* panel);
// The row's detail for a bond code; null when the bond is not listed.
mxservice::CTenderBondInfoDetailPtr listedDetail(LW::CInstrumentsPanel* panel,
                                                 const std::string& bondCode);
// The current account's command with that id (its latest stored version).
mxservice::COrderCommandPtr storedCommand(int commandId);

// Records of the host logger while alive.
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
  std::vector<Record> records() const;

private:
  class Appender;
  std::shared_ptr<Appender> m_appender;
};

class TenderFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Installs bonds and commands (and enum names, user type) as the host's
  // data; fills in the enum names every test relies on.
  void install(const std::vector<mxservice::CTenderBondInfoDetailPtr>& bonds,
               const std::vector<mxservice::COrderCommandPtr>& commands, int userType = 0);
};

QString u8(const char* text);

}  // namespace tendertest
