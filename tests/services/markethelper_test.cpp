// Market and code predicates, product groups and market display names.

#include "host/services/markethelper.h"
#include "host/services/datahelper.h"
#include "host/services/exchangeclient.h"
#include "host/services/outterfuturehelper.h"
#include "servicestestdata.h"

#include <gtest/gtest.h>

#include <functional>

using servicestest::instrument;

namespace {
using MarketPredicate = std::function<bool(const std::string&)>;

struct MarketCase {
  const char* name;
  MarketPredicate predicate;
  std::vector<std::string> yes;
  std::vector<std::string> no;
};
}  // namespace

TEST(MarketHelper, marketPredicatesAnswerExactlyTheirMarketIds) {
  const std::vector<MarketCase> cases = {
      {"stock",
       [](const std::string& m) { return mxservice::isStockMarket(m); },
       {"SH", "SZ", "BJ"},
       {"sh", "NQ", "HGT", "SHO", "", "SH "}},
      {"future",
       [](const std::string& m) { return mxservice::isFutureMarket(m); },
       {"SHFE", "DCE", "CZCE", "CFFEX", "INE", "GFEX"},
       {"SGE", "CME", "SH"}},
      {"NEEQ",
       [](const std::string& m) { return mxservice::isNew3BoardMarket(m); },
       {"NQ", "NEEQ"},
       {"BJ", "SH"}},
      {"Beijing", [](const std::string& m) { return mxservice::isBJMarket(m); }, {"BJ"}, {"NQ"}},
      {"stock option",
       [](const std::string& m) { return mxservice::isStockOptionMarket(m); },
       {"SHO", "SZO"},
       {"SH", "SHFE"}},
      {"foreign",
       [](const std::string& m) { return mxservice::isForeignMarket(m); },
       {"CME", "COMEX", "NYMEX", "LME", "ICE", "SGX"},
       {"HKEX", "FIB", "SHFE"}},
      {"gold", [](const std::string& m) { return mxservice::isGoldMarket(m); }, {"SGE"}, {"SHFE"}},
      {"HGT",
       [](const std::string& m) { return mxservice::isHGTMarket(m); },
       {"HGT"},
       {"SGT", "HKEX"}},
      {"SGT", [](const std::string& m) { return mxservice::isSGTMarket(m); }, {"SGT"}, {"HGT"}},
      {"foreign inter-bank",
       [](const std::string& m) { return mxservice::isForeignInterBankMarket(m); },
       {"FIB"},
       {"NIB", "BANK"}},
      {"inter-bank",
       [](const std::string& m) { return mxservice::isInterBankMarket(m); },
       {"NIB", "BANK"},
       {"FIB"}},
  };
  for (const MarketCase& c : cases) {
    for (const auto& market : c.yes) EXPECT_TRUE(c.predicate(market)) << c.name << ": " << market;
    for (const auto& market : c.no) EXPECT_FALSE(c.predicate(market)) << c.name << ": " << market;
  }
}

TEST(MarketHelper, codePredicatesFollowTheCodeSegments) {
  using CodePredicate = std::function<bool(const std::string&, const std::string&)>;
  struct Case {
    const char* name;
    CodePredicate predicate;
    std::vector<std::pair<std::string, std::string>> yes, no;
  };
  const std::vector<Case> cases = {
      {"GEM",
       [](const std::string& m, const std::string& c) {
         return mxservice::isShenzhenGemBoard(m, c);
       },
       {{"SZ", "300750"}, {"SZ", "301001"}},
       {{"SH", "300750"}, {"SZ", "000001"}, {"SZ", "30075"}, {"SZ", "3007500"}, {"SZ", "30a750"}}},
      {"KCB CDR",
       [](const std::string& m, const std::string& c) { return mxservice::isKcbCDRCode(m, c); },
       {{"SH", "689009"}},
       {{"SH", "688001"}, {"SH", "639001"}, {"SZ", "689009"}}},
      {"CDR",
       [](const std::string& m, const std::string& c) { return mxservice::isCDRCode(m, c); },
       {{"SH", "689009"}, {"SH", "639001"}},
       {{"SH", "600000"}, {"SZ", "639001"}}},
      {"innovate",
       [](const std::string& m, const std::string& c) { return mxservice::isInnovateCode(m, c); },
       {{"SH", "601901"}, {"SZ", "001901"}},
       {{"SH", "601001"}, {"SZ", "601901"}}},
      {"double-turn loan",
       [](const std::string& m, const std::string& c) {
         return mxservice::isDoubleTurnLoanCode(m, c);
       },
       {{"SH", "205007"}, {"SZ", "131901"}},
       {{"SH", "204001"}, {"SZ", "131810"}, {"", ""}}},
      {"repo",
       [](const std::string& m, const std::string& c) { return mxservice::isRepoCode(m, c); },
       {{"SH", "204001"}, {"SZ", "131810"}},
       {{"SZ", "204001"}, {"SH", "131810"}, {"SH", "20400"}}},
  };
  for (const Case& c : cases) {
    for (const auto& mc : c.yes)
      EXPECT_TRUE(c.predicate(mc.first, mc.second)) << c.name << ": " << mc.second;
    for (const auto& mc : c.no)
      EXPECT_FALSE(c.predicate(mc.first, mc.second))
          << c.name << ": " << mc.first << "/" << mc.second;
  }
}

TEST(MarketHelper, detailPredicatesAndNullDetails) {
  const mxservice::CInstrumentDetailPtr none;
  EXPECT_FALSE(mxservice::isStockMarket(none));
  EXPECT_FALSE(mxservice::isFutureOptionMarket(none));
  EXPECT_FALSE(mxservice::isTypedStock(none, 1193));
  EXPECT_FALSE(mxservice::isFiccBondStock(none));
  EXPECT_FALSE(mxservice::DataHelper::isTradeTypeStock(none, 1));
  EXPECT_FALSE(mxservice::COutterFutureHelper::isCommdityGroup(none));

  EXPECT_TRUE(mxservice::isFutureOptionMarket(instrument(16, "SHFE", "cu2501C70000", "cu_O")));
  EXPECT_FALSE(mxservice::isFutureOptionMarket(instrument(2, "SHFE", "cu2501", "cu")));
  EXPECT_FALSE(mxservice::isFutureOptionMarket(instrument(32, "SHO", "10005000", "510050_O")));
  EXPECT_FALSE(mxservice::isFutureOptionMarket(instrument(16, "SHFE", "x", "_O")));

  auto delisting = instrument(1, "SH", "600001");
  delisting->stockKind = 1193;
  EXPECT_TRUE(mxservice::isTypedStock(delisting, 1193));
  EXPECT_FALSE(mxservice::isTypedStock(delisting, 1172));
  EXPECT_FALSE(mxservice::isTypedStock(instrument(1, "SH", "600002"), mxservice::kNoValueInt));

  EXPECT_TRUE(mxservice::isFiccBondStock(instrument(0x100000, "SH", "019733", "BOND")));
  EXPECT_FALSE(mxservice::isFiccBondStock(instrument(1, "SH", "019733", "BOND")));
  EXPECT_TRUE(mxservice::isFiccAgreeRepurchaseStock(instrument(0x100000, "SH", "1", "AGREE_REPO")));
  EXPECT_FALSE(mxservice::isFiccAgreeRepurchaseStock(instrument(0x100000, "SH", "1", "BOND")));

  EXPECT_TRUE(mxservice::DataHelper::isTradeTypeStock(instrument(8, "SH", "1"), 8));
  EXPECT_TRUE(mxservice::DataHelper::isTradeTypeStock(instrument(8, "SH", "1"), 0xC5DFF));
  EXPECT_FALSE(mxservice::DataHelper::isTradeTypeStock(instrument(512, "OTC", "1"), 0xC5DFF));
  EXPECT_FALSE(mxservice::DataHelper::isTradeTypeStock(instrument(8, "SH", "1"), 0));
}

TEST(MarketHelper, productGroupsNeedAForeignMarketAndAListedProduct) {
  struct Case {
    std::string market, product;
    bool commodity, interest;
  };
  const std::vector<Case> cases = {
      {"NYMEX", "CL", true, false}, {"COMEX", "GC", true, false}, {"LME", "LCA", true, false},
      {"CME", "ZC", true, false},   {"CME", "ZN", false, true},   {"CME", "SR3", false, true},
      {"ICE", "FGBL", false, true}, {"CME", "ES", false, false},  {"SHFE", "CL", false, false},
      {"CME", "", false, false},    {"CME", "cl", false, false},
  };
  for (const Case& c : cases) {
    auto detail = instrument(64, c.market, "X", c.product);
    EXPECT_EQ(mxservice::COutterFutureHelper::isCommdityGroup(detail), c.commodity)
        << c.market << " " << c.product;
    EXPECT_EQ(mxservice::COutterFutureHelper::isInterestGroup(detail), c.interest)
        << c.market << " " << c.product;
  }
}

TEST(MarketHelper, marketDisplayNameComesFromTheExchangeTable) {
  LW::CExchangeClient* client = LW::CExchangeClient::instance();
  client->setExchanges({servicestest::exchange("SGE", "上海黄金交易所")});
  auto foreign = instrument(64, "CME", "ESZ5");
  foreign->exchangeName = "芝商所";
  EXPECT_EQ(LW::nqMarketIdToString("SGE", instrument(4, "SGE", "Au99.99")),
            QStringLiteral("上海黄金交易所"));
  EXPECT_EQ(LW::nqMarketIdToString("CME", foreign), QStringLiteral("芝商所"));
  EXPECT_EQ(LW::nqMarketIdToString("XX", mxservice::CInstrumentDetailPtr()), QStringLiteral("XX"));
  client->clear();
}
