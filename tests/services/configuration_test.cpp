// User and client configuration, broker types, inter-bank texts and the
// capital-occupation days of repos.

#include "host/core/singleton.h"
#include "host/services/brokertype.h"
#include "host/services/calcoverdue.h"
#include "host/services/config.h"
#include "host/services/ibanktexts.h"
#include "host/services/usermanager.h"

#include <gtest/gtest.h>

using mxservice::ENqTraderType;

TEST(UserConfig, favouritesArePerTradingTypeAndAnnounceEachChange) {
  LW::CUserConfig config;
  std::vector<std::tuple<int, int, QSet<QString>>> changes;
  auto connection = config.favouritesChangedSignal.connect(
      [&](int type, int operation, const QSet<QString>& codes) {
        changes.emplace_back(type, operation, codes);
      });
  const QString crude = QStringLiteral("CLF5.NYMEX");
  EXPECT_TRUE(config.addFavourite(mxservice::NQ_TRADER_OUTER_FUTURE, crude));
  EXPECT_FALSE(config.addFavourite(mxservice::NQ_TRADER_OUTER_FUTURE, crude));  // already there
  EXPECT_FALSE(config.addFavourite(mxservice::NQ_TRADER_OUTER_FUTURE, QString()));
  EXPECT_TRUE(config.addFavourite(mxservice::NQ_TRADER_STOCK, QStringLiteral("600000.SH")));
  EXPECT_EQ(config.getCodeSetByTradeType(mxservice::NQ_TRADER_OUTER_FUTURE), QSet<QString>{crude});
  EXPECT_EQ(config.getCodeSetByTradeType(64), QSet<QString>{crude});
  EXPECT_TRUE(config.getCodeSetByTradeType(mxservice::NQ_TRADER_OUTER_STOCK).isEmpty());
  EXPECT_FALSE(config.removeFavourite(mxservice::NQ_TRADER_STOCK, crude));  // other type
  EXPECT_TRUE(config.removeFavourite(mxservice::NQ_TRADER_OUTER_FUTURE, crude));
  EXPECT_TRUE(config.getCodeSetByTradeType(mxservice::NQ_TRADER_OUTER_FUTURE).isEmpty());

  ASSERT_EQ(changes.size(), 3u);
  EXPECT_EQ(changes[0], std::make_tuple(64, 0, QSet<QString>{crude}));
  EXPECT_EQ(std::get<0>(changes[1]), 1);
  EXPECT_EQ(changes[2], std::make_tuple(64, 1, QSet<QString>{crude}));
}

TEST(UserConfig, settersAndResetToDefaults) {
  LW::CUserConfig config;
  EXPECT_EQ(config.userName(), "trader");
  config.setUserName("张三");
  config.setUserType(101);
  config.setMergeFuture(true);
  config.setHkTradeInStock(true);
  config.setBrokerEditionUserType(3);
  config.setFavourites(mxservice::NQ_TRADER_STOCK, {QStringLiteral("1.SH"), QString()});
  EXPECT_EQ(config.userName(), "张三");
  EXPECT_EQ(config.userType(), 101);
  EXPECT_TRUE(config.hasMergeFuture());
  EXPECT_TRUE(config.hasHkTradeInStock());
  EXPECT_EQ(config.getBrokerEditionUserType(), 3);
  EXPECT_EQ(config.getCodeSetByTradeType(mxservice::NQ_TRADER_STOCK),
            QSet<QString>{QStringLiteral("1.SH")});  // the empty key is dropped
  config.reset();
  EXPECT_EQ(config.userName(), "trader");
  EXPECT_EQ(config.userType(), 0);
  EXPECT_FALSE(config.hasMergeFuture());
  EXPECT_TRUE(config.getCodeSetByTradeType(mxservice::NQ_TRADER_STOCK).isEmpty());
}

TEST(UserConfig, singletonAccessorsReachTheSameObjects) {
  EXPECT_EQ(LW::getUserConfig(), LW::CUserManager::instance()->getUserConfig());
  EXPECT_EQ(LW::getUserConfig(),
            utils::CManualSingletonT<LW::CUserManager>::instance()->getUserConfig());
  LW::getConfig()->setBrokerEdition(true);
  EXPECT_TRUE(utils::CManualSingletonT<LW::CConfig>::instance()->isBrokerEdition());
  LW::getConfig()->setBrokerEdition(false);
}

TEST(BrokerType, matchesWhenTheBrokerServesABitOfTheTradingType) {
  struct Case {
    int brokerType;
    int tradeType;
    int option;
    bool expected;
  };
  const std::vector<Case> cases = {
      {1, 1, 0, true},       {2, 1, 0, false},         {1 | 64, 64, 0, true},
      {0, 1, 0, false},      {-1, 0x8000000, 0, true}, {0xFFFF, 0, 0, false},
      {1, 0xC5DFF, 0, true}, {1, 0xC5DFF, 1, false},   {0xC5DFF, 0xC5DFF, 1, true},
      {3, 1 | 2, 1, true},   {1, 1 | 2, 99, true},  // unknown option: any bit
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LW::isBrokerTypeMatchTradeType(c.brokerType, static_cast<ENqTraderType>(c.tradeType),
                                             c.option),
              c.expected)
        << c.brokerType << " " << c.tradeType << " " << c.option;
  }
  EXPECT_TRUE(LW::isBrokerTypeMatchTradeType(64, mxservice::NQ_TRADER_OUTER_FUTURE,
                                             LW::BROKER_MATCH_ANY_BIT));
}

TEST(InterBankTexts, namedCodesUnknownCodesAndNoValue) {
  struct Case {
    int code;
    QString interestType, rateType;
  };
  const std::vector<Case> cases = {
      {0, QStringLiteral("未知"), QStringLiteral("固定利率")},
      {1, QStringLiteral("附息"), QStringLiteral("浮动利率")},
      {2, QStringLiteral("贴现"), QStringLiteral("累进利率")},
      {3, QStringLiteral("到期一次还本付息"), QStringLiteral("未知")},
      {4, QStringLiteral("零息"), QStringLiteral("未知")},
      {-1, QStringLiteral("未知"), QStringLiteral("未知")},
      {mxservice::kNoValueInt, QString(), QString()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LW::getIBankInterestTypeQString(c.code), c.interestType) << c.code;
    EXPECT_EQ(LW::getIBankInterestRateTypeQString(c.code), c.rateType) << c.code;
  }
}

TEST(CalcOverdue, occupationDaysFollowTheTradingCalendar) {
  struct Case {
    const char* market;
    const char* code;
    const char* tradeDate;
    int expected;
  };
  // 2025-01-02 is a Thursday, 01-03 a Friday, 01-04 a Saturday.
  const std::vector<Case> cases = {
      {"SH", "204001", "20250102", 3},  // Thursday: Friday to Monday
      {"SH", "204001", "20250103", 1},  // Friday: Monday to Tuesday
      {"SH", "204001", "20250106", 1},  // Monday
      {"SH", "204001", "20250104", 1},  // entered on Saturday: counts from Monday
      {"SH", "204002", "20250102", 4},  // matures Saturday, moved to Monday
      {"SH", "204007", "20250106", 7}, {"SH", "204014", "20250102", 14},
      {"SZ", "131810", "20250102", 3},
      {"SZ", "131801", "20250106", 7},
      {"SZ", "131804", "20250102", 0},                                   // no such term
      {"SH", "204000", "20250102", 0}, {"SH", "600000", "20250102", 0},  // not a repo
      {"SZ", "204001", "20250102", 0},
  };
  LW::CCalcOverdue calc;
  for (const Case& c : cases)
    EXPECT_EQ(calc.getCapOccupationDaysByCode(c.market, c.code, c.tradeDate, true), c.expected)
        << c.market << " " << c.code << " " << c.tradeDate;
}

TEST(CalcOverdue, usesTheConfiguredTradingDateAndNominalTermOnRequest) {
  LW::CCalcOverdue calc;
  calc.setTradingDate("20250103");  // Friday
  EXPECT_EQ(calc.getCapOccupationDaysByCode("SH", "204001", "", true), 1);
  EXPECT_EQ(calc.getCapOccupationDaysByCode("SH", "204001", "", false), 1);
  EXPECT_EQ(calc.getCapOccupationDaysByCode("SH", "204002", "", false), 2);
  calc.setTradingDate("20250102");
  EXPECT_EQ(calc.getCapOccupationDaysByCode("SH", "204001", "", true), 3);
  // An invalid override falls back to the configured date.
  EXPECT_EQ(calc.getCapOccupationDaysByCode("SH", "204001", "2025-01-03", true), 3);
  // An invalid configured date means today.
  calc.setTradingDate("20251340");
  EXPECT_EQ(calc.tradingDate(), QDate::currentDate());
  calc.setTradingDate("");
  EXPECT_EQ(calc.tradingDate(), QDate::currentDate());
  EXPECT_GE(calc.getCapOccupationDaysByCode("SH", "204001", "", true), 1);
}
