#include "host/core/stockkey.h"

#include <gtest/gtest.h>

TEST(StockKey, joinsCodeAndMarketTheSameWayInBothForms) {
  struct Case {
    std::string market, code, key;
  } cases[] = {
      {"SH", "600000", "600000.SH"},
      {"SHFE", "cu2501", "cu2501.SHFE"},
      {"", "X", "X."},
      {"SZ", "", ".SZ"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(utils::nqStockKey(c.market, c.code), c.key);
    EXPECT_EQ(GU::nqStockKey(GU::sToQs(c.market), GU::sToQs(c.code)), GU::sToQs(c.key));
  }
}

TEST(StockKey, sToQsReplacesInvalidUtf8InsteadOfFailing) {
  const std::string bad(
      "\xff\xfe"
      "abc",
      5);
  const QString converted = GU::sToQs(bad);
  EXPECT_TRUE(converted.endsWith(QStringLiteral("abc")));
  EXPECT_EQ(GU::sToQs("平安银行"), QStringLiteral("平安银行"));
}
