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

TEST_F(OtherCellsTest, interBankMarketNamesAndFormats) {
  auto nib = testsupport::interBankBond("NIB", "220001", "22附息国债01");
  nib->shCode = "019666";
  nib->termYears = 10;
  nib->issuePrice = 100;
  nib->couponRate = 2.69;
  nib->couponPaymentType = 1;
  nib->interestRateType = 0;
  nib->paymentsPerYear = 2;
  nib->prevCleanClose = 101.23456;
  CInstrumentData row(tt(32768), nib);
  const TextCase cases[] = {{0, "本币市场"},  {1, "220001"},    {2, "22附息国债01"}, {3, "019666"},
                            {11, "10"},       {12, "100.0000"}, {13, "非法值"},      {15, "附息"},
                            {16, "固定利率"}, {17, "2.6900"},   {18, "2"},           {19, "-"},
                            {20, "101.2346"}, {21, ""}};
  for (const TextCase& c : cases) {
    EXPECT_EQ(row.getDisplayQString(c.column), u8(c.display)) << c.column;
  }
  EXPECT_EQ(row.getQString(0), u8("本币市场"));
  EXPECT_EQ(row.getInt(18), 2);
  EXPECT_EQ(row.getDouble(17), 2.69);

  auto bank = testsupport::interBankBond("BANK", "1", "B");
  bank->termYears = 0.246575342;
  CInstrumentData fx(tt(0x2000000), bank);
  EXPECT_EQ(fx.getDisplayQString(0), "INTERBANK");
  EXPECT_EQ(fx.getQString(0), "BANK");  // the value keeps the market text
  EXPECT_EQ(fx.getDisplayQString(11), "0.246575");
  EXPECT_EQ(fx.getDisplayQString(11 + 100), "");

  auto other = testsupport::interBankBond("FIB", "1", "B");
  EXPECT_EQ(CInstrumentData(tt(32768), other).getDisplayQString(0), "FIB");
  other->termYears = std::numeric_limits<double>::infinity();
  EXPECT_EQ(CInstrumentData(tt(32768), other).getDisplayQString(11), u8("非法值"));
  other->termYears = mxservice::kNoValueDouble;
  EXPECT_EQ(CInstrumentData(tt(32768), other).getDisplayQString(11), "-");
}

TEST_F(OtherCellsTest, fundColumnsAndAmounts) {
  auto f = testsupport::fund("000001", "华夏成长", 1);
  f->fundType = 3;
  f->prStatus = 0;
  f->prevUnitNetValue = 1.23456;
  f->maxSubscriptionAmount = 0;
  f->minSubscriptionAmount = 1000;
  f->redemptionSettleDays = 1234;
  f->minRedemptionUnits = -5;
  f->bonusTypes = {1, 2};
  f->supportConversion = true;
  f->transferAgent = "中登";
  f->fundManager = "华夏基金";
  CInstrumentData row(tt(512), f);
  const TextCase cases[] = {{0, "000001"}, {1, "华夏成长"}, {2, "OTC"},
                            {3, "基金"},   {4, "货币型"},   {5, "1.2346"},
                            {6, "正常"},   {7, "暂无"},     {8, "1000.00"},
                            {9, "1234"},   {10, "暂无"},    {11, "现金分红 红利再投 "},
                            {12, "是"},    {13, "中登"},    {14, "华夏基金"},
                            {15, "暂无"},  {16, ""}};
  for (const TextCase& c : cases) {
    EXPECT_EQ(row.getDisplayQString(c.column), u8(c.display)) << c.column;
  }
  EXPECT_EQ(row.getDouble(7), 0.0);
  EXPECT_EQ(row.getInt(9), 1234);
  f->latestNetValue = std::nan("");
  EXPECT_EQ(row.getDisplayQString(15), u8("暂无"));
  f->bonusTypes.clear();
  EXPECT_EQ(row.getDisplayQString(11), "-");
  f->bonusTypes = {7};  // the registry answers unknown values with the number
  EXPECT_EQ(row.getDisplayQString(11), "7 ");
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

TEST_F(OtherCellsTest, tenderCellsAreTexts) {
  auto t = testsupport::bareTenderBond("240001");
  t->shortName = "24国债01";
  t->actionText = "锁定";
  t->bondType = 1;
  t->tenderTarget = 2;
  t->crossMarket = true;
  t->lgfvFlag = 2;
  t->issuePrice = 100;
  t->minSubscriptionAmount = 1000.456;
  t->plannedIssueSize = 1500000;
  t->termDays = 365;
  t->bidStep = 0.01;
  t->basicBidUnit = 1000;
  t->maturityDate = "20340101";
  t->setStatus(mxservice::ORDER_COMMAND_LOCKED);
  t->setTrader("张三");
  t->setInternalAmount(1.5);
  t->setExternalAmount(std::nan(""));
  CInstrumentData row(tt(0x8000000), t);
  const TextCase cases[] = {{0, "240001"},    {1, "24国债01"}, {3, "锁定"},   {4, "锁定中"},
                            {5, "1.5000"},    {6, "非法值"},   {7, "非法值"}, {8, "张三"},
                            {12, "国债"},     {13, ""},        {16, "是"},    {23, "100.0000"},
                            {26, "1000.46"},  {27, "1500000"}, {31, "365"},   {35, "利率"},
                            {38, "0.0100"},   {39, "1000"},    {40, "-"},     {44, "是"},
                            {53, "20340101"}, {54, ""},        {-1, ""}};
  for (const TextCase& c : cases) {
    EXPECT_EQ(row.getDisplayQString(c.column), u8(c.display)) << c.column;
    EXPECT_EQ(row.getQString(c.column), u8(c.display)) << c.column;
    if (c.column >= 0 && c.column <= 53) {
      EXPECT_EQ(row.getDouble(c.column), mxservice::kNoValueDouble) << c.column;
    }
  }
  t->crossMarket = false;
  t->lgfvFlag = 1;
  EXPECT_EQ(row.getDisplayQString(16), u8("否"));
  EXPECT_EQ(row.getDisplayQString(44), u8("否"));
  // The row reads the record on every request: a new status shows at once.
  t->setStatus(3);
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

TEST(TenderCells, tenderDetailOutsideTheTenderListHasNoCells) {
  auto t = testsupport::bareTenderBond("240001");
  CInstrumentData row(tt(1), t);
  EXPECT_TRUE(row.getQString(0).isEmpty());
}

}  // namespace
