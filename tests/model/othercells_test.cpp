// Cells of the rows that do not wrap an instrument: inter-bank bonds, fund
// plans and tender bonds.

#include "model/cellvalues.h"
#include "model/instrumentdata.h"

#include "modelfixture.h"

#include <boost/make_shared.hpp>
#include <cmath>
#include <limits>
#include <utility>

using LW::CInstrumentData;
using mxservice::ENqTraderType;
using testsupport::u8;

namespace {

ENqTraderType tt(long long v) { return static_cast<ENqTraderType>(v); }

class OtherCellsTest : public modeltest::HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    mxservice::DataSet set;
    set.enumNames["mxservice::EOTCBaseInfoType"] = {{1, "基金"}, {2, "理财"}};
    set.enumNames["mxservice::EOTCFundType"] = {{3, "货币型"}};
    set.enumNames["mxservice::EOTCPRStatus"] = {{0, "正常"}};
    set.enumNames["mxservice::EOTCFundBonusType"] = {{1, "现金分红"}, {2, "红利再投"}};
    set.enumNames["mxservice::EIbBondType"] = {{1, "国债"}};
    set.enumNames["mxservice::ETenderTarget"] = {{2, "利率"}};
    install(set);
  }
};

struct TextCase {
  int column;
  const char* display;
};

// Only the domestic and the generic inter-bank markets get a name.
TEST_F(OtherCellsTest, interBankMarketNamesAndTermYears) {
  const struct {
    long long tradeType;
    const char* market;
    const char* display;
  } cases[] = {{32768, "NIB", "本币市场"}, {0x2000000, "BANK", "INTERBANK"}, {32768, "FIB", "FIB"}};
  for (const auto& c : cases) {
    CInstrumentData row(tt(c.tradeType), testsupport::interBankBond(c.market, "1", "B"));
    EXPECT_EQ(row.getDisplayQString(0), u8(c.display)) << c.market;
    // The generic market keeps its own text as the value.
    const QString value = std::string(c.market) == "BANK" ? QStringLiteral("BANK") : u8(c.display);
    EXPECT_EQ(row.getQString(0), value) << c.market;
  }
  auto bond = testsupport::interBankBond("FIB", "1", "B");
  CInstrumentData row(tt(32768), bond);
  bond->termYears = 0.246575342;
  EXPECT_EQ(row.getDisplayQString(11), "0.246575");
  bond->termYears = std::numeric_limits<double>::infinity();
  EXPECT_EQ(row.getDisplayQString(11), u8("非法值"));
  bond->termYears = mxservice::kNoValueDouble;
  EXPECT_EQ(row.getDisplayQString(11), "-");
}

// Bonus types are listed by their registry names, each followed by a space;
// an unknown one shows its number, none shows "-". A missing latest net
// value is "暂无".
TEST_F(OtherCellsTest, fundBonusTypesAndLatestNetValue) {
  auto f = testsupport::fund("000001", "华夏成长", 1);
  CInstrumentData row(tt(512), f);
  f->bonusTypes = {1, 2};
  EXPECT_EQ(row.getDisplayQString(11), u8("现金分红 红利再投 "));
  f->bonusTypes.clear();
  EXPECT_EQ(row.getDisplayQString(11), "-");
  f->bonusTypes = {7};
  EXPECT_EQ(row.getDisplayQString(11), "7 ");
  f->latestNetValue = std::nan("");
  EXPECT_EQ(row.getDisplayQString(15), u8("暂无"));
}

// The data centre lists fund plans under 512 as instrument details; a row
// built from such a pointer once took the instrument rules, which have no
// fund columns, and showed an empty line.
TEST_F(OtherCellsTest, fundPlanPassedAsAnInstrumentIsAFundRowBothWaysIn) {
  auto f = testsupport::fund("000001", "华夏成长", 1);
  f->fundType = 3;
  f->prevUnitNetValue = 1.23456;
  f->priceTick = 0.001;  // an instrument row would take 3 decimals from it
  const mxservice::CInstrumentDetailPtr asInstrument = f;
  const std::pair<const char*, boost::shared_ptr<CInstrumentData>> ways[] = {
      {"fund pointer", boost::make_shared<CInstrumentData>(tt(512), f)},
      {"instrument pointer", boost::make_shared<CInstrumentData>(tt(512), asInstrument)},
      {"instrument pointer with cached decimals and tag",
       boost::make_shared<CInstrumentData>(tt(512), asInstrument, 3,
                                           LW::EInstrumentTag::GrowthEnterprise, false)},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.first);
    CInstrumentData& row = *way.second;
    EXPECT_EQ(row.otcFund(), f);
    EXPECT_FALSE(row.instrument());
    EXPECT_EQ(row.priceDecimals(), 2);
    EXPECT_EQ(row.tag(), LW::EInstrumentTag::None);
    EXPECT_EQ(row.key(), f->getKey());
    const TextCase cases[] = {{0, "000001"}, {1, "华夏成长"}, {3, "基金"},
                              {4, "货币型"}, {5, "1.2346"},   {16, ""}};
    for (const TextCase& c : cases) {
      EXPECT_EQ(row.displayText(c.column), u8(c.display)) << c.column;
    }
    EXPECT_EQ(row.cellValue(5).number, 1.23456);
  }

  // Outside the fund list a fund plan stays the instrument it also is.
  CInstrumentData stockRow(tt(1), asInstrument);
  EXPECT_EQ(stockRow.instrument(), asInstrument);
  EXPECT_FALSE(stockRow.otcFund());
  EXPECT_EQ(stockRow.priceDecimals(), 3);
  EXPECT_EQ(stockRow.displayText(1), "000001");
  // And a plain instrument in the fund list is no fund.
  auto plain = testsupport::instrument(512, "OTC", "X1", "x");
  CInstrumentData plainRow(tt(512), plain);
  EXPECT_EQ(plainRow.instrument(), plain);
  EXPECT_FALSE(plainRow.otcFund());
}

TEST_F(OtherCellsTest, planThatIsNotAFundShowsDashInFundOnlyColumns) {
  auto plan = testsupport::fund("P1", "理财一号", 2);
  plan->fundType = 3;
  plan->bonusTypes = {1};
  plan->supportConversion = true;
  plan->transferAgent = "TA";
  plan->fundManager = "M";
  CInstrumentData row(tt(512), plan);
  for (int column : {4, 11, 12, 13}) {
    EXPECT_EQ(row.getDisplayQString(column), "-") << column;
    EXPECT_EQ(row.getQString(column), "-") << column;
  }
  EXPECT_EQ(row.getDisplayQString(3), u8("理财"));
  EXPECT_EQ(row.getDisplayQString(14), "M");
  EXPECT_EQ(row.getDisplayQString(9), "-");  // no settlement days
  EXPECT_EQ(CInstrumentData(tt(512), testsupport::fund("P2", "x", mxservice::kNoValueInt))
                .getDisplayQString(4),
            "-");
}

// Every tender cell is a text, read from the record on each request.
TEST_F(OtherCellsTest, tenderCellsAreTextsReadAtEachRequest) {
  auto t = testsupport::bareTenderBond("240001");
  t->crossMarket = true;
  t->lgfvFlag = 2;
  t->setStatus(mxservice::ORDER_COMMAND_LOCKED);
  t->setInternalAmount(1.5);
  t->setExternalAmount(std::nan(""));
  CInstrumentData row(tt(0x8000000), t);
  const TextCase cases[] = {{0, "240001"}, {4, "锁定中"}, {5, "1.5000"}, {6, "非法值"},
                            {16, "是"},    {44, "是"},    {54, ""},      {-1, ""}};
  for (const TextCase& c : cases)
    EXPECT_EQ(row.getDisplayQString(c.column), u8(c.display)) << c.column;
  for (int column = -1; column <= 54; ++column) {
    EXPECT_EQ(row.getQString(column), row.getDisplayQString(column)) << column;
    EXPECT_EQ(row.getDouble(column), mxservice::kNoValueDouble) << column;
  }
  t->crossMarket = false;
  t->lgfvFlag = 1;
  t->setStatus(3);
  EXPECT_EQ(row.getDisplayQString(16), u8("否"));
  EXPECT_EQ(row.getDisplayQString(44), u8("否"));
  EXPECT_EQ(row.getDisplayQString(4), "");
}

TEST(TenderCells, statusTexts) {
  const struct {
    int status;
    const char* text;
  } cases[] = {{0, "审批中"},   {2, "运行中"},   {5, "已撤销"},
               {201, "已完成"}, {204, "锁定中"}, {3, ""},
               {-2, ""},        {1, ""},         {mxservice::kNoValueInt, ""}};
  for (const auto& c : cases) EXPECT_EQ(LW::tenderStatusText(c.status), u8(c.text)) << c.status;
}

}  // namespace
