// The rules behind instrument cells, by worked example: fees in both
// charging modes, the attribute bits, capital-occupation days, the mixed
// list's market kinds, the broker edition's foreign-futures column, and bad
// records (NaN, infinities, missing values, invalid UTF-8, every attribute
// bit set) that must still show a value, "-" or "非法值". Every single cell of
// every list is pinned by the golden record (cellgolden_test.cpp).

#include "host/services/config.h"
#include "model/cellvalues.h"
#include "model/instrumentdata.h"

#include "modelfixture.h"

#include <cmath>
#include <limits>

using LW::CInstrumentData;
using mxservice::CInstrumentDetailPtr;
using mxservice::ENqTraderType;
using testsupport::instrument;
using testsupport::u8;

namespace {

ENqTraderType tt(long long v) { return static_cast<ENqTraderType>(v); }

// A one-day repo whose voting rights differ.
CInstrumentDetailPtr richStock() {
  auto s = instrument(1, "SH", "204001", "回购一天");
  s->productCode = "REPO";
  s->attributeFlags = mxservice::INSTRUMENT_ATTR_VOTING_DIFF;
  return s;
}

CInstrumentDetailPtr richFuture() {
  auto f = instrument(2, "SHFE", "cu2401", "沪铜2401");
  f->productCode = "cu";
  f->preSettlement = 68010;
  f->longMarginRate = 0.12;
  f->shortMarginRate = 0.13;
  f->volumeMultiple = 5;
  f->hasCommission = true;
  f->commission.mode = 2;
  f->commission.open = 0.5;
  f->commission.close = -1.0;
  f->commission.intradayOpen = 0.25;
  f->commission.intradayClose = 0;
  return f;
}

struct CellCase {
  long long tradeType;
  int column;
  const char* display;
};

class InstrumentCellsTest : public modeltest::HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    mxservice::DataSet set;
    set.config.tradingDate = "20240104";  // a Thursday: a one-day repo occupies 3 days
    install(set);
  }

  void expectCells(const CInstrumentDetailPtr& ins, const std::vector<CellCase>& cases) {
    for (const CellCase& c : cases) {
      CInstrumentData row(tt(c.tradeType), ins);
      EXPECT_EQ(row.getDisplayQString(c.column), u8(c.display))
          << std::hex << c.tradeType << std::dec << " column " << c.column;
    }
  }
};

// The attribute bits: not yet profitable (column 12), voting rights differ
// (13) and the price basis (16, in the bond-repo list too), with every bit
// set as a feed might send; and the double-turn loan (8), by code.
TEST_F(InstrumentCellsTest, stockAttributeBitsAndDoubleTurnLoan) {
  auto s = instrument(1, "SH", "205001", "X");
  s->attributeFlags =
      mxservice::INSTRUMENT_ATTR_PROFITABLE | mxservice::INSTRUMENT_ATTR_CLEAN_PRICE;
  expectCells(s, {{1, 8, "是"}, {1, 12, "否"}, {1, 13, "否"}, {1, 16, "净价"}, {8, 11, "净价"}});
  s->attributeFlags = mxservice::INSTRUMENT_ATTR_VOTING_DIFF;
  expectCells(s, {{1, 12, "是"}, {1, 13, "是"}, {1, 16, "全价"}, {0x100000, 16, "全价"}});
  s->attributeFlags = -1;  // every bit
  expectCells(s, {{1, 12, "否"}, {1, 13, "是"}, {1, 16, "净价"}});
  expectCells(richStock(), {{1, 8, "否"}});
}

TEST_F(InstrumentCellsTest, capitalOccupationDaysZeroShowsDash) {
  auto s = instrument(1, "SH", "600000", "X");  // not a repo: 0 days
  CInstrumentData row(tt(1), s);
  EXPECT_EQ(row.getInt(9), mxservice::kNoValueInt);
  EXPECT_EQ(row.getDisplayQString(9), "-");
  CInstrumentData mixed(tt(0xC5DFF), s);
  EXPECT_EQ(mixed.getDisplayQString(19), "-");
  // A one-day repo on a Thursday occupies the capital over the weekend.
  CInstrumentData stockRepo(tt(1), richStock());
  EXPECT_EQ(stockRepo.getInt(9), 3);
  EXPECT_EQ(stockRepo.getDisplayQString(9), "3");
  CInstrumentData repo(tt(0x800000), richStock());
  EXPECT_EQ(repo.getDisplayQString(19), "3");
}

TEST_F(InstrumentCellsTest, futureSetWithAmountFees) {
  auto f = richFuture();
  // By amount: fee per lot = 5 * 68010 * 0.5 / 10000 = 17.0025 -> 17.00.
  expectCells(f, {{2, 13, "按金额收取(万分之)"},
                  {2, 14, "0.50/万"},
                  {2, 15, "17.00元/手"},
                  {2, 16, "-"},
                  {2, 17, "-"},
                  {2, 18, "0.25/万"},
                  {2, 19, "8.50元/手"},
                  {2, 20, "0.00/万"},
                  {2, 21, "0.00元/手"}});
  CInstrumentData row(tt(2), f);
  for (int column = 14; column <= 21; ++column) {
    EXPECT_EQ(row.getDouble(column), 0.0) << column;
    EXPECT_EQ(row.getInt(column), 0) << column;
  }
}

TEST_F(InstrumentCellsTest, feeRoundsToCentsAndLotModeKeepsTheValue) {
  auto f = richFuture();
  f->volumeMultiple = 10;
  f->preSettlement = 3500;
  f->commission.open = 0.5;            // 10 * 3500 * 0.5 / 10000 = 1.75
  f->commission.intradayOpen = 0.334;  // 1.169 -> 1.17
  expectCells(f, {{2, 15, "1.75元/手"}, {2, 19, "1.17元/手"}});

  f->commission.mode = 1;
  f->commission.open = 3;
  f->commission.close = -1.0;
  expectCells(f, {{2, 13, "按手数收取(元/手)"},
                  {2, 14, "-"},
                  {2, 15, "3.00元/手"},
                  {2, 16, "-"},
                  {2, 17, "-"}});

  f->commission.mode = 0;
  expectCells(f, {{2, 13, "-"}, {2, 14, "-"}, {2, 15, "-"}});
  f->commission.mode = 3;  // unknown mode: a rate can be shown, a fee cannot
  expectCells(f, {{2, 13, "-"}, {2, 14, "3.00/万"}, {2, 15, "-"}});
  f->hasCommission = false;
  f->commission.mode = 2;
  expectCells(f, {{2, 13, "-"}, {2, 14, "-"}, {2, 15, "-"}, {2, 21, "-"}});
}

TEST_F(InstrumentCellsTest, amountFeeWithoutPriceIsIllegalNotInvented) {
  auto f = richFuture();
  f->preSettlement = mxservice::kNoValueDouble;
  expectCells(f, {{2, 14, "0.50/万"}, {2, 15, "非法值"}});
  f->commission.open = std::nan("");
  expectCells(f, {{2, 14, "非法值"}, {2, 15, "非法值"}});
}

// The no-value multiplier once served as a multiplier of 2147483647: a
// previous settlement of 4123 at 0.3 per ten thousand showed
// "265622252.30元/手".
TEST_F(InstrumentCellsTest, amountFeeWithoutMultiplierIsIllegalNotInvented) {
  auto f = richFuture();
  f->volumeMultiple = mxservice::kNoValueInt;
  f->preSettlement = 4123;
  f->commission.open = 0.3;
  f->commission.close = 0.3;
  f->commission.intradayOpen = 0.3;
  f->commission.intradayClose = 0.3;
  expectCells(f, {{2, 5, "-"},
                  {2, 14, "0.30/万"},
                  {2, 15, "非法值"},
                  {2, 16, "0.30/万"},
                  {2, 17, "非法值"},
                  {2, 18, "0.30/万"},
                  {2, 19, "非法值"},
                  {2, 20, "0.30/万"},
                  {2, 21, "非法值"}});
  // A fee that is not charged stays "-" whatever the multiplier.
  f->commission.close = -1.0;
  expectCells(f, {{2, 16, "-"}, {2, 17, "-"}});
  // By lots the fee per lot is given as such and needs no multiplier.
  f->commission.mode = 1;
  f->commission.open = 3;
  expectCells(f, {{2, 14, "-"}, {2, 15, "3.00元/手"}});
  // A real multiplier gives the amount: 10 * 4123 * 0.3 / 10000 = 1.2369.
  f->commission.mode = 2;
  f->volumeMultiple = 10;
  expectCells(f, {{2, 19, "1.24元/手"}});
}

// In the broker edition id 13 of the foreign-futures set is the favourites
// column, not the pricing unit; a row once showed "美元/100" in it.
TEST_F(InstrumentCellsTest, brokerEditionFavouritesColumnOfForeignFuturesHoldsNoValue) {
  auto g = instrument(64, "CME", "GCZ4", "黄金12月");
  g->currency = "USD";
  g->contractUnit = 100;
  struct Case {
    long long tradeType;
    bool brokerEdition;
    const char* column13;
  };
  const Case cases[] = {
      {64, false, "美元/100"},
      {2048, false, "美元/100"},
      {64, true, ""},
      {2048, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tradeType << " broker " << c.brokerEdition);
    // Told by the table's catalogue, and taken from the configuration when
    // a row is made on its own.
    CInstrumentData told(tt(c.tradeType), g, 1, LW::EInstrumentTag::None, c.brokerEdition);
    LW::getConfig()->setBrokerEdition(c.brokerEdition);
    CInstrumentData alone(tt(c.tradeType), g);
    LW::getConfig()->setBrokerEdition(!c.brokerEdition);
    for (CInstrumentData* row : {&told, &alone}) {
      EXPECT_EQ(row->brokerEdition(), c.brokerEdition);
      EXPECT_EQ(row->getDisplayQString(13), u8(c.column13));
      EXPECT_EQ(row->getQString(13), u8(c.column13));
      // The favourites column of either edition is the default cell.
      const int favourites = c.brokerEdition ? 13 : 14;
      EXPECT_TRUE(row->getQString(favourites).isEmpty());
      EXPECT_EQ(row->getDouble(favourites), mxservice::kNoValueDouble);
      EXPECT_EQ(row->getInt(favourites), mxservice::kNoValueInt);
      EXPECT_EQ(row->getDisplayQString(12), "USD");
    }
  }
  // Other sets know no edition: the stock list's id 13 is the same in both.
  auto s = richStock();
  CInstrumentData standard(tt(1), s, 3, LW::EInstrumentTag::None, false);
  CInstrumentData broker(tt(1), s, 3, LW::EInstrumentTag::None, true);
  EXPECT_EQ(standard.getDisplayQString(13), broker.getDisplayQString(13));
  EXPECT_EQ(broker.getDisplayQString(13), u8("是"));
}

// A futures contract in the mixed list only fills the futures columns.
TEST_F(InstrumentCellsTest, mixedListFutureShowsDashOutsideItsKinds) {
  auto f = richFuture();
  CInstrumentData row(tt(0xC5DFF), f);
  for (int column : {5, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}) {
    EXPECT_EQ(row.getDisplayQString(column), "-") << column;
    EXPECT_EQ(row.getQString(column), "-") << column;
    EXPECT_EQ(row.getDouble(column), mxservice::kNoValueDouble) << column;
  }
  EXPECT_EQ(row.getDisplayQString(6), "5");
  EXPECT_EQ(row.getInt(6), 5);

  // A futures option fills the margin columns; a missing value inside a kind
  // the column serves shows "-" as well.
  f->productCode = "cu_O";
  expectCells(f, {{0xC5DFF, 9, "0.12"}, {0xC5DFF, 10, "0.13"}, {0xC5DFF, 5, "-"}});
  f->longMarginRate = mxservice::kNoValueDouble;
  expectCells(f, {{0xC5DFF, 9, "-"}});
}

TEST(InstrumentCells, mixedMarketKindsOfEachMarket) {
  struct Case {
    const char* market;
    const char* product;
    unsigned kinds;
  } cases[] = {{"SHFE", "cu", LW::MIXED_FUTURE},
               {"DCE", "m_O", LW::MIXED_FUTURE | LW::MIXED_FUTURE_OPTION},
               {"SHO", "510050", LW::MIXED_STOCK_OPTION},
               {"CME", "GC", LW::MIXED_FOREIGN},
               {"SGE", "", LW::MIXED_GOLD},
               {"SZ", "", LW::MIXED_STOCK},
               {"NQ", "", LW::MIXED_NEEQ},
               {"HGT", "", LW::MIXED_SH_HK_CONNECT},
               {"SGT", "", LW::MIXED_SZ_HK_CONNECT},
               {"FIB", "", LW::MIXED_FOREIGN_INTER_BANK},
               {"XYZ", "", 0u}};
  for (const Case& c : cases) {
    auto ins = instrument(0x800000, c.market, "1", "X");
    ins->productCode = c.product;
    EXPECT_EQ(LW::mixedMarketKinds(ins), c.kinds) << c.market;
  }
  EXPECT_EQ(LW::mixedMarketKinds(CInstrumentDetailPtr()), 0u);
}

// Records as a broken feed might send them: every cell of every instrument
// list still says something a trader can read.
TEST_F(InstrumentCellsTest, brokenRecordsNeverShowRawMarkersOrCrash) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::nan("");
  std::vector<CInstrumentDetailPtr> records;
  for (double v :
       {nan, inf, -inf, mxservice::kNoValueDouble, -mxservice::kNoValueDouble, 0.0, -1.0, 1e300}) {
    auto ins = instrument(1, "\xff\xfe", "\xc3\x28", "");
    ins->productCode = "\xe2\x82";
    for (double* field :
         {&ins->priceTick, &ins->preClose, &ins->upperLimit, &ins->lowerLimit, &ins->preSettlement,
          &ins->longMarginRate, &ins->shortMarginRate, &ins->floatCapital, &ins->totalCapital,
          &ins->accruedInterest, &ins->faceValue, &ins->contractUnit, &ins->marginUnit,
          &ins->strikePrice}) {
      *field = v;
    }
    ins->attributeFlags = -1;
    ins->hasCommission = true;
    ins->commission = {2, v, v, v, v};
    records.push_back(ins);
  }
  for (int i : {0, std::numeric_limits<int>::min(), mxservice::kNoValueInt, -1}) {
    auto ins = instrument(2, "SHFE", "x", "y");
    ins->volumeMultiple = i;
    ins->maxLimitOrderVolume = i;
    ins->maxMarketBuyVolume = i;
    ins->maxLimitBuyVolume = i;
    ins->maxMarketSellVolume = i;
    ins->maxLimitSellVolume = i;
    ins->neeqLayer = i;
    ins->stockKind = i;
    ins->qualifiedInvestor = i;
    records.push_back(ins);
  }
  const long long types[] = {1,     2,       4,        8,        16,        32,
                             64,    128,     256,      1024,     2048,      4096,
                             16384, 0x10000, 0x100000, 0x800000, 0x1000000, 0xC5DFF};
  const char* forbidden[] = {"nan", "inf", "e+", "2147483647", "179769"};
  for (const CInstrumentDetailPtr& ins : records) {
    for (long long t : types) {
      CInstrumentData row(tt(t), ins);
      for (int column = -2; column < 26; ++column) {
        const QString text = row.getDisplayQString(column);
        for (const char* bad : forbidden) {
          EXPECT_FALSE(text.contains(QLatin1String(bad), Qt::CaseInsensitive))
              << std::hex << t << std::dec << " column " << column << ": " << text.toStdString();
        }
        row.getQString(column);
        row.getIcon(column);
      }
    }
  }
}

}  // namespace
