// Cell values and display texts of instrument rows, set by set: fees in both
// charging modes, the mixed list's market kinds, capital-occupation days,
// foreign-futures formats, and bad records (NaN, infinities, missing values,
// invalid UTF-8, every attribute bit set) that must still show a value, "-"
// or "非法值".

#include "host/services/config.h"
#include "model/cellvalues.h"
#include "model/columncatalogue.h"
#include "model/instrumentdata.h"

#include "modelfixture.h"

#include <cmath>
#include <limits>

using LW::CellValue;
using LW::CInstrumentData;
using mxservice::CInstrumentDetailPtr;
using mxservice::ENqTraderType;
using testsupport::instrument;
using testsupport::u8;

namespace {

ENqTraderType tt(long long v) { return static_cast<ENqTraderType>(v); }

CInstrumentDetailPtr richStock() {
  auto s = instrument(1, "SH", "204001", "回购一天");
  s->productCode = "REPO";
  s->priceTick = 0.001;  // priceDecimals 3
  s->preClose = 10.5;
  s->upperLimit = 11.55;
  s->lowerLimit = 9.45;
  s->preSettlement = 10.123456;
  s->floatCapital = 1234567890.4;
  s->totalCapital = 2e9;
  s->faceValue = 100;
  s->accruedInterest = 1.234567;
  s->volumeMultiple = 100;
  s->attributeFlags = mxservice::INSTRUMENT_ATTR_VOTING_DIFF;  // not yet profitable, full price
  return s;
}

CInstrumentDetailPtr richFuture() {
  auto f = instrument(2, "SHFE", "cu2401", "沪铜2401");
  f->productCode = "cu";
  f->priceTick = 10;  // priceDecimals 0
  f->preClose = 68000;
  f->upperLimit = 73000;
  f->lowerLimit = 63000;
  f->preSettlement = 68010;
  f->longMarginRate = 0.12;
  f->shortMarginRate = 0.13;
  f->volumeMultiple = 5;
  f->maxLimitOrderVolume = 500;
  f->expireDate = "20240115";
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

TEST_F(InstrumentCellsTest, stockSetValuesAndTexts) {
  auto s = richStock();
  expectCells(s, {{1, 0, "SH"},
                  {1, 1, "204001"},
                  {1, 2, "回购一天"},
                  {1, 3, "0.0010"},
                  {1, 4, "10.5000"},
                  {1, 5, "11.5500"},
                  {1, 6, "9.4500"},
                  {1, 7, "10.123"},  // price decimals of the tick
                  {1, 8, "否"},
                  {1, 9, "3"},
                  {1, 10, "1234567890"},
                  {1, 11, "2000000000"},
                  {1, 12, "是"},
                  {1, 13, "是"},
                  {1, 14, "100.0000"},
                  {1, 15, "1.23457"},
                  {1, 16, "全价"},
                  {1, 17, ""},
                  {0x100000, 16, "全价"}});
  CInstrumentData row(tt(1), s);
  EXPECT_EQ(row.getInt(9), 3);
  EXPECT_EQ(row.getDouble(9), mxservice::kNoValueDouble);
  EXPECT_EQ(row.getDouble(4), 10.5);
  EXPECT_EQ(row.getInt(4), mxservice::kNoValueInt);
  EXPECT_TRUE(row.getQString(4).isEmpty());
  EXPECT_EQ(row.getQString(2), u8("回购一天"));
  EXPECT_EQ(row.getDouble(2), mxservice::kNoValueDouble);
  // The favourites column has no rule: the default cell.
  EXPECT_EQ(row.getInt(17), mxservice::kNoValueInt);
  EXPECT_TRUE(row.getQString(17).isEmpty());
}

TEST_F(InstrumentCellsTest, stockAttributeBitsAndDoubleTurnLoan) {
  auto s = instrument(1, "SH", "205001", "X");
  s->attributeFlags =
      mxservice::INSTRUMENT_ATTR_PROFITABLE | mxservice::INSTRUMENT_ATTR_CLEAN_PRICE;
  expectCells(s, {{1, 8, "是"}, {1, 12, "否"}, {1, 13, "否"}, {1, 16, "净价"}, {8, 11, "净价"}});
  s->attributeFlags = -1;  // every bit
  expectCells(s, {{1, 12, "否"}, {1, 13, "是"}, {1, 16, "净价"}});
}

TEST_F(InstrumentCellsTest, capitalOccupationDaysZeroShowsDash) {
  auto s = instrument(1, "SH", "600000", "X");  // not a repo: 0 days
  CInstrumentData row(tt(1), s);
  EXPECT_EQ(row.getInt(9), mxservice::kNoValueInt);
  EXPECT_EQ(row.getDisplayQString(9), "-");
  CInstrumentData mixed(tt(0xC5DFF), s);
  EXPECT_EQ(mixed.getDisplayQString(19), "-");
  CInstrumentData repo(tt(0x800000), richStock());
  EXPECT_EQ(repo.getDisplayQString(19), "3");
}

TEST_F(InstrumentCellsTest, futureSetWithAmountFees) {
  auto f = richFuture();
  // By amount: fee per lot = 5 * 68010 * 0.5 / 10000 = 17.0025 -> 17.00.
  expectCells(f, {{2, 0, "cu2401"},
                  {2, 2, "cu"},
                  {2, 3, "SHFE"},
                  {2, 4, "上海期货交易所"},
                  {2, 5, "5"},
                  {2, 6, "10.000"},
                  {2, 7, "20240115"},
                  {2, 8, "0.120"},
                  {2, 10, "73000"},
                  {2, 12, "68010"},
                  {2, 13, "按金额收取(万分之)"},
                  {2, 14, "0.50/万"},
                  {2, 15, "17.00元/手"},
                  {2, 16, "-"},
                  {2, 17, "-"},
                  {2, 18, "0.25/万"},
                  {2, 19, "8.50元/手"},
                  {2, 20, "0.00/万"},
                  {2, 21, "0.00元/手"},
                  {2, 22, "500"},
                  {2, 23, ""}});
  CInstrumentData row(tt(2), f);
  for (int column = 14; column <= 21; ++column) {
    EXPECT_EQ(row.getDouble(column), 0.0) << column;
    EXPECT_EQ(row.getInt(column), 0) << column;
  }
  EXPECT_EQ(row.getInt(5), 5);
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

TEST_F(InstrumentCellsTest, codeNeeqHkAndOptionSets) {
  auto gold = instrument(4, "SGE", "Au99.99", "黄金9999");
  gold->priceTick = 0.01;
  gold->preClose = 450.456;
  expectCells(
      gold,
      {{4, 0, "上海黄金交易所"}, {4096, 0, "SGE"}, {4, 3, "0.010"}, {4, 4, "450.46"}, {4, 8, ""}});
  EXPECT_EQ(CInstrumentData(tt(4), gold).getDouble(0), 0.01);
  EXPECT_EQ(CInstrumentData(tt(4096), gold).getDouble(0), mxservice::kNoValueDouble);

  auto neeq = instrument(256, "NQ", "830001", "新三板一");
  neeq->priceTick = 0.01;
  neeq->exchangeName = "全国股转";
  neeq->floatCapital = 5e7;
  expectCells(neeq, {{256, 0, "全国股转"},
                     {256, 1, "830001"},
                     {256, 2, "新三板一"},
                     {256, 3, "0.010"},
                     {256, 7, "50000000"}});
  EXPECT_EQ(CInstrumentData(tt(256), neeq).getDouble(2), 0.01);

  auto hk = instrument(128, "HGT", "00700", "腾讯控股");
  hk->priceTick = 0.2;
  hk->preClose = 300.25;
  hk->volumeMultiple = 100;
  expectCells(hk,
              {{128, 3, "0.200"}, {128, 4, "300.250"}, {128, 5, "100"}, {16384, 2, "腾讯控股"}});

  auto option = instrument(32, "SHO", "10006789", "50ETF购3月2800");
  option->productCode = "510050";
  option->underlyingCode = "510050";
  option->priceTick = 0.0001;
  option->contractUnit = 10000;
  option->strikePrice = 2.8;
  option->maxLimitBuyVolume = 30;
  expectCells(option, {{32, 5, "510050"},
                       {32, 7, "0.0001"},
                       {32, 8, "10000.00"},
                       {32, 13, "2.8000"},
                       {32, 14, "-"},
                       {32, 15, "30"},
                       {32, 17, "-"}});

  auto secondFuture = instrument(1024, "SHFE", "al2401", "沪铝2401");
  secondFuture->priceTick = 5;
  secondFuture->preSettlement = 19000;
  secondFuture->volumeMultiple = 5;
  expectCells(secondFuture, {{1024, 4, "上海期货交易所"},
                             {1024, 6, "5.00"},
                             {1024, 8, "19000"},
                             {16, 3, "上海期货交易所"},
                             {16, 5, "5.000"}});
}

TEST_F(InstrumentCellsTest, foreignFuturesFormats) {
  auto g = instrument(64, "CME", "GCZ4", "黄金12月");
  g->exchangeCode = "COMEX";
  g->exchangeName = "纽约商品交易所";
  g->productCode = "GC";
  g->productName = "黄金";
  g->currency = "USD";
  g->contractUnit = 100;
  g->priceTick = 0.1;
  g->preClose = 2034.56789;
  g->preSettlement = 2030;
  g->volumeMultiple = 100;
  g->deliveryDate = "20241227";
  expectCells(g, {{64, 2, "COMEX"},
                  {64, 3, "纽约商品交易所"},
                  {64, 5, "黄金"},
                  {64, 6, "100"},
                  {64, 7, "2034.6"},
                  {64, 8, "2030.0"},
                  {64, 9, "0.1"},
                  {64, 11, "20241227"},
                  {64, 12, "USD"},
                  {64, 13, "美元/100"},
                  {2048, 6, "100"}});
  CInstrumentData row(tt(64), g);
  EXPECT_EQ(row.getInt(6), 100);
  EXPECT_EQ(row.getDouble(6), 2147483647.0);

  g->volumeMultiple = -25;  // a quarter unit
  expectCells(g, {{64, 6, "0.25"}});
  g->volumeMultiple = 0;
  expectCells(g, {{64, 6, "0.00"}});
  g->volumeMultiple = mxservice::kNoValueInt;
  g->preClose = mxservice::kNoValueDouble;
  g->priceTick = 1e-9;  // nine decimals, of which the closes show six at most
  g->preSettlement = 1.5;
  expectCells(g, {{64, 6, "-"}, {64, 7, "-"}, {64, 8, "1.500000"}, {64, 9, "0.000000001"}});
  g->preSettlement = std::numeric_limits<double>::infinity();
  expectCells(g, {{64, 8, "非法值"}});
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
  EXPECT_EQ(row.getDisplayQString(2), "cu");
  EXPECT_EQ(row.getDisplayQString(4), u8("上海期货交易所"));
  EXPECT_EQ(row.getDisplayQString(6), "5");
  EXPECT_EQ(row.getInt(6), 5);
  EXPECT_EQ(row.getDisplayQString(7), "10.0000");
  EXPECT_EQ(row.getDisplayQString(8), "20240115");
}

TEST_F(InstrumentCellsTest, mixedListStockAndFutureOption) {
  auto s = richStock();
  CInstrumentData stock(tt(0x800000), s);
  const std::vector<CellCase> stockCases = {
      {0x800000, 2, "-"},  {0x800000, 4, "-"},        {0x800000, 5, "10.500"},
      {0x800000, 6, "-"},  {0x800000, 8, "-"},        {0x800000, 9, "-"},
      {0x800000, 11, "-"}, {0x800000, 14, "11.5500"}, {0x800000, 16, "10.1235"},
      {0x800000, 17, "-"}, {0x800000, 19, "3"},       {0x800000, 20, "1234567890"},
      {0x800000, 22, ""}};
  expectCells(s, stockCases);

  auto fo = richFuture();
  fo->productCode = "cu_O";
  fo->strikePrice = 68000;
  expectCells(fo, {{0xC5DFF, 9, "0.12"},
                   {0xC5DFF, 10, "0.13"},
                   {0xC5DFF, 14, "73000.0000"},
                   {0xC5DFF, 16, "68010.0000"},
                   {0xC5DFF, 17, "-"},
                   {0xC5DFF, 5, "-"}});
  // A missing value inside a kind the column serves shows "-" as well.
  fo->longMarginRate = mxservice::kNoValueDouble;
  expectCells(fo, {{0xC5DFF, 9, "-"}});
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
