#pragma once
// Host records built by hand for the model, panel, tender and stress tests,
// and the fixtures that install host data around a test. One place for them, so that every test
// builds an instrument, a fund plan, a bond or an order command the same way.

#include "host/bson/bsonobj.h"
#include "host/data/dataset.h"

#include <gtest/gtest.h>

#include <QString>
#include <string>
#include <vector>

namespace testsupport {

constexpr mxservice::ENqTraderType kTenderType = mxservice::NQ_TRADER_BOND_TENDER;

mxservice::CInstrumentDetailPtr instrument(int tradeType, const std::string& market,
                                           const std::string& code, const std::string& name);
// The exchanges every hand-built instrument set starts with (SH, SZ, SHFE,
// SGE, CME).
void addDefaultExchanges(mxservice::DataSet& set);

// A fund plan of the fund list (trading type 512, market "OTC");
// baseInfoType 1 is a fund, other kinds are wealth-management plans.
mxservice::COTCFundPlanInfoPtr fund(const std::string& code, const std::string& name,
                                    int baseInfoType);
// An inter-bank bond; every other field has no value.
mxservice::CInterBankBondPtr interBankBond(const std::string& market, const std::string& code,
                                           const std::string& name);
// A tender bond with nothing but its code: every other field has no value,
// as a detail the server has not filled in yet.
mxservice::CTenderBondInfoDetailPtr bareTenderBond(const std::string& code);

// A tender bond whose dates are all `date` ("yyyyMMdd"), its short and full
// names derived from the code, all amounts 0. Its row key is "TB." + code.
mxservice::CTenderBondInfoDetailPtr tenderBond(const std::string& code, const std::string& date,
                                               int basicBidUnit = 1000);
// Parameters holding a "btdparam" document that names bondCode.
bson::BSONObj tenderParams(const std::string& bondCode);
// A tender order command of bondCode (trading type 0x8000000) with the
// passed-back text "pass-<commandId>".
mxservice::COrderCommandPtr orderCommand(int commandId, const std::string& bondCode, int status);
// The same with the given parameters.
mxservice::COrderCommandPtr orderCommandWithParams(int commandId, const bson::BSONObj& params,
                                                   int status);

// Today as the tender search bar writes dates, and a day relative to it.
std::string today();
std::string daysFromToday(int days);

QString u8(const char* text);

// Empties the host services before and after each test.
class HostFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Installs set into the host services, adding the default exchanges.
  void install(mxservice::DataSet set);
  // The sample data set of the repository (LW_SAMPLE_DATA).
  void installSample();
};

// Also resets the records of the message box, the message tip and the trade
// client around each test; the message box answers Cancel unless a test says
// otherwise.
class TenderHostFixture : public HostFixture {
protected:
  void SetUp() override;
  void TearDown() override;
  using HostFixture::install;
  // Installs bonds and commands as the host's data, with the user name
  // "zhang.wei", userType, today as the trading date and the enum names of
  // bond types and tendering methods.
  void install(const std::vector<mxservice::CTenderBondInfoDetailPtr>& bonds,
               const std::vector<mxservice::COrderCommandPtr>& commands, int userType = 0);
};

}  // namespace testsupport
