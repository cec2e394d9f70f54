// The data centre's queries and the host facade that fills it.

#include "host/services/accountdata.h"
#include "host/services/calcoverdue.h"
#include "host/services/config.h"
#include "host/services/exchangeclient.h"
#include "host/services/hostservices.h"
#include "host/services/interbankstore.h"
#include "host/services/tradercenter.h"
#include "host/services/typemanager.h"
#include "host/services/usermanager.h"
#include "servicestestdata.h"

#include <gtest/gtest.h>

#include <boost/pointer_cast.hpp>
#include <cmath>
#include <limits>

using mxservice::CDataCenter;
using mxservice::CHostServices;
using mxservice::TraderCenter;

namespace {
std::vector<std::string> keysOf(const std::vector<mxservice::CInstrumentDetailPtr>& list) {
  std::vector<std::string> keys;
  for (const auto& detail : list)
    keys.push_back(detail->getKey() + "/" + std::to_string(detail->tradeType));
  return keys;
}

class DataCenterTest : public ::testing::Test {
protected:
  void SetUp() override { CHostServices::install(servicestest::smallDataSet()); }
  void TearDown() override { CHostServices::reset(); }
  boost::shared_ptr<mxservice::IDataCenter> dataCenter() {
    return TraderCenter::instance()->getDataCenter();
  }
};
}  // namespace

TEST_F(DataCenterTest, listsInstrumentsSharingABitWithTheTradingTypeInDataSetOrder) {
  struct Case {
    int tradeType;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {1, {"600000.SH/1", "000001.SZ/1"}},
      {2, {"cu2501.SHFE/2"}},
      {4, {"Au99.99.SGE/4", "au2506.SHFE/4"}},
      {8, {"600000.SH/8"}},
      {512, {"000001.OTC/512"}},
      {64, {}},
      {0, {}},
      {1 | 8, {"600000.SH/1", "000001.SZ/1", "600000.SH/8"}},
      // The mixed list: every member type (512 is not one), in data-set order.
      {0xC5DFF,
       {"600000.SH/1", "cu2501.SHFE/2", "Au99.99.SGE/4", "000001.SZ/1", "au2506.SHFE/4",
        "600000.SH/8"}},
  };
  for (const Case& c : cases) {
    const auto type = static_cast<mxservice::ENqTraderType>(c.tradeType);
    EXPECT_EQ(keysOf(dataCenter()->getInstrumentsByTradeType(type)), c.expected)
        << "trading type " << c.tradeType;
    EXPECT_EQ(keysOf(dataCenter()->getInstrumentsByTradeType(c.tradeType)), c.expected);
    // Asked twice (the combined lists are cached): the same answer.
    EXPECT_EQ(keysOf(dataCenter()->getInstrumentsByTradeType(type)), c.expected)
        << "trading type " << c.tradeType;
  }
}

TEST_F(DataCenterTest, fundPlansComeAsFundPlanRecords) {
  auto funds = dataCenter()->getInstrumentsByTradeType(mxservice::NQ_TRADER_OTC_FUND);
  ASSERT_EQ(funds.size(), 1u);
  auto fund = boost::dynamic_pointer_cast<mxservice::COTCFundPlanInfo>(funds.front());
  ASSERT_TRUE(fund);
  EXPECT_EQ(fund->baseInfoType, 1);
}

TEST_F(DataCenterTest, goldSelectorAnswersGoldExchangeInstrumentsOnly) {
  struct Case {
    std::list<long long> selectors;
    std::vector<std::string> expected;
  };
  const long long gold = CDataCenter::kGoldExchangeSelector;
  const std::vector<Case> cases = {
      {{gold}, {"Au99.99.SGE"}},  // au2506 is type 4 but on SHFE
      {{}, {}},
      {{12345}, {}},
      {{12345, gold, gold}, {"Au99.99.SGE"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> keys;
    for (const auto& record : dataCenter()->getInstrumentsBySelector(c.selectors))
      keys.push_back(record->getKey());
    EXPECT_EQ(keys, c.expected);
  }
  EXPECT_EQ(gold, static_cast<long long>(0x78A408BFBB9EA360ULL));
}

TEST_F(DataCenterTest, pricingUnitTextCopesWithMissingAndOddUnits) {
  struct Case {
    std::string currency;
    double unit;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"USD", 10, "美元/10"},
      {"USD", 0.25, "美元/0.25"},
      {"HKD", 1000, "港币/1000"},
      {"XYZ", 5, "XYZ/5"},
      {"USD", mxservice::kNoValueDouble, "美元"},
      {"USD", std::numeric_limits<double>::quiet_NaN(), "美元"},
      {"USD", std::numeric_limits<double>::infinity(), "美元"},
      {"USD", 0, "美元"},
      {"USD", -3, "美元"},
      {"", 10, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(dataCenter()->getPricingUnitText(c.currency, c.unit), c.expected)
        << c.currency << " " << c.unit;
}

TEST_F(DataCenterTest, currentAccountAnswersTheEmptyKeyAndItsOwnKeyOnly) {
  auto current = dataCenter()->getAccountData("");
  ASSERT_TRUE(current);
  EXPECT_EQ(dataCenter()->getAccountData("tester"), current);
  EXPECT_FALSE(dataCenter()->getAccountData("somebody else"));
  EXPECT_EQ(current->orderCommands().size(), 3u);
  CHostServices::reset();
  EXPECT_FALSE(dataCenter()->getAccountData(""));
}

TEST_F(DataCenterTest, bondTradeInfosKeepTheirTwoLevelOrder) {
  mxservice::BondTradeInfoMap infos;
  for (const char* market : {"SZ", "SH"}) {
    for (int seq : {2, 0, 1}) {
      auto info = boost::make_shared<mxservice::CBondTradeInfo>();
      info->marketId = market;
      info->code = std::to_string(seq);
      infos[market][seq] = info;
    }
  }
  TraderCenter::instance()->dataCenter()->setBondTradeInfos(infos);
  std::vector<std::string> order;
  for (const auto& market : dataCenter()->getBondTradeInfos())
    for (const auto& entry : market.second) order.push_back(entry.second->getKey());
  EXPECT_EQ(order, (std::vector<std::string>{"0.SH", "1.SH", "2.SH", "0.SZ", "1.SZ", "2.SZ"}));
}

TEST_F(DataCenterTest, installAgainReplacesEverythingAndResetEmptiesIt) {
  auto firstAccount = dataCenter()->getAccountData("");
  mxservice::DataSet other;
  other.instruments = {servicestest::instrument(1, "SZ", "300750")};
  other.config.userName = "second";
  other.errors = {"instruments.jsonl:3: invalid JSON; line skipped"};  // only logged
  CHostServices::install(other);
  EXPECT_EQ(keysOf(dataCenter()->getInstrumentsByTradeType(mxservice::NQ_TRADER_STOCK)),
            (std::vector<std::string>{"300750.SZ/1"}));
  EXPECT_NE(dataCenter()->getAccountData(""), firstAccount);
  EXPECT_EQ(dataCenter()->getAccountData("")->orderCommands().size(), 0u);
  EXPECT_FALSE(LW::CExchangeClient::instance()->getInstrument("SH", "600000"));
  EXPECT_EQ(LW::getUserConfig()->userName(), "second");
  EXPECT_EQ(LW::CExchangeClient::instance()->getTenderBondInfoDetails().size(), 0u);

  CHostServices::reset();
  EXPECT_TRUE(dataCenter()->getInstrumentsByTradeType(mxservice::NQ_TRADER_MIXED_ALL).empty());
  EXPECT_TRUE(TraderCenter::instance()->interBankStore().getInterBankBonds().empty());
  EXPECT_EQ(mxservice::TypeManager::instance()->getEnumItemName("mxservice::EIbBondType", 1,
                                                                mxservice::NQ_TRADER_STOCK),
            "1");
}

TEST_F(DataCenterTest, installFillsConfigurationEnumsAndTradingDate) {
  LW::CUserConfig* user = LW::getUserConfig();
  EXPECT_EQ(user->userName(), "tester");
  EXPECT_EQ(user->userType(), 200);
  EXPECT_EQ(user->getCodeSetByTradeType(mxservice::NQ_TRADER_OUTER_FUTURE),
            QSet<QString>{QStringLiteral("CLF5.NYMEX")});
  EXPECT_TRUE(user->getCodeSetByTradeType(mxservice::NQ_TRADER_STOCK).isEmpty());
  EXPECT_FALSE(LW::getConfig()->isBrokerEdition());
  EXPECT_EQ(LW::CCalcOverdue::instance()->tradingDate(), QDate(2025, 1, 2));
  EXPECT_EQ(mxservice::TypeManager::instance()->getEnumItemName("mxservice::EIbBondType", 2,
                                                                mxservice::NQ_TRADER_BOND_TENDER),
            "政策性金融债");
}

TEST(InterBankStore, skipsNullRecordsAndKeepsKeyOrder) {
  mxservice::CInterBankStore store;
  mxservice::InterBankBondMap bonds;
  for (const char* code : {"240003", "240001"}) {
    auto bond = boost::make_shared<mxservice::CInterBankBond>();
    bond->market = "NIB";
    bond->bondCode = code;
    bonds[bond->getKey()] = bond;
  }
  bonds["NIB.broken"] = mxservice::CInterBankBondPtr();
  store.setInterBankBonds(bonds);
  auto copy = store.getInterBankBonds();
  ASSERT_EQ(copy.size(), 2u);
  EXPECT_EQ(copy.begin()->first, "NIB.240001");
  EXPECT_EQ(copy.begin()->second, bonds["NIB.240001"]);  // shared, not copied
}

TEST(TypeManager, unknownValuesAndEnumsGiveTheDecimalValue) {
  mxservice::TypeManager registry;
  registry.setEnumNames({{"mxservice::ETenderTarget", {{1, "利率"}, {-3, "负值"}}}});
  struct Case {
    std::string enumName;
    int value;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"mxservice::ETenderTarget", 1, "利率"},
      {"mxservice::ETenderTarget", -3, "负值"},
      {"mxservice::ETenderTarget", 7, "7"},
      {"mxservice::ETenderTarget", -8, "-8"},
      {"mxservice::Unknown", 1, "1"},
      {"mxservice::ETenderTarget", mxservice::kNoValueInt, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(registry.getEnumItemName(c.enumName, c.value, mxservice::NQ_TRADER_BOND_TENDER),
              c.expected)
        << c.enumName << " " << c.value;
    // The texts do not depend on the trading type.
    EXPECT_EQ(registry.getEnumItemName(c.enumName, c.value, 1), c.expected);
  }
}
