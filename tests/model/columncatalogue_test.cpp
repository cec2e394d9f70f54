// The column catalogue per trading type: titles, numeric, icon and favourites
// columns and the sort kind of every column.

#include "model/columncatalogue.h"

#include <gtest/gtest.h>

#include <QStringList>

using LW::CColumnCatalogue;
using mxservice::ENqTraderType;

namespace {

struct CatalogueCase {
  const char* name;
  long long tradeType;
  bool brokerEdition;
  const char* titles;  // "|"-separated, UTF-8
  const char* kinds;   // one letter per column: T text, D decimal, I integer
  QSet<int> numeric;
  QSet<int> icon;
  int favourite;
};

ENqTraderType tt(long long v) { return static_cast<ENqTraderType>(v); }

const char kStockTitles[] =
    "市场代码|股票代码|股票名称|最小价格|昨收盘|涨停价|跌停价|前结算|是否为双转单|实际占款天数|"
    "流通股本|总股本|尚未盈利|存在投票权差异|面值|应计利息|计价方式|添加自选";
const char kCodeTitles[] = "市场|代码|名称|最小价格|昨收盘|涨停价|跌停价|前结算|添加自选";
const char kOuterBase[] =
    "合约代码|合约名称|交易所代码|交易所名称|品种代码|品种名称|合约乘数|昨收盘|前结算|最小价格|"
    "到期日|交割日|币种|";
const char kHkTitles[] =
    "市场代码|股票代码|股票名称|最小价格|昨收盘|合约乘数|流通股本|总股本|添加自选";
const char kInterBankTitles[] =
    "交易市场|银行间债券代码|银行间债券名称|上交所代码|上交所名称|深交所代码|深交所名称|发行日期|"
    "结束日期|原始起息日期|交易截止日期|期限|发行价|面额|当前面额|付息类型|利率类型|票面利率(%)|"
    "年付息次数|计息天数|前收净价|添加自选";
const char kMixedTitles[] =
    "合约代码|合约名称|品种代码|交易所代码|交易所名称|昨收盘|合约乘数|最小价格|最后日期|"
    "多头保证金率|"
    "空头保证金率|标的代码|合约单位|保证金单位|涨停价|跌停价|前结算|行权价格|最大单笔量|"
    "实际占款天数|"
    "流通股本|总股本|添加自选";
const char kTenderTitles[] =
    "债券代码|债券简称|债券全称|操作|执行状态|内部报量（亿）|外部报量（亿）|中标量（亿）|交易员|"
    "主承销商|"
    "上市代码|认购代码|债券类型|债券类型细分|交易市场|预交易市场|是否跨市场|发行方式|发行人名称|"
    "发行人代码|发行人属性|发行人类型|所属行业|发行价|发行参考利率|发行对象|最低申购金额|"
    "计划发行总额|"
    "实际募集金额|预期年收益率|募集方式|期限（天）|期限（年）|面值|招标方式|招标标的|标位区间下限|"
    "标位区间上限|步长|基本投标单位|每标位最低投标量|每标位最高投标量|主体评级|债项评级|是否城投债|"
    "担保人|招标日|招标结束日|发行起始日|发行终止日|缴款日|起息日|上市日|到期日";

const QSet<int> kStockNumeric{3, 4, 5, 6, 7, 9, 10, 11, 15};
const QSet<int> kCodeNumeric{3, 4, 5, 6, 7};
const QSet<int> kOuterNumeric{6, 7, 8, 9};
const QSet<int> kMixedNumeric{5, 6, 7, 9, 10, 12, 13, 14, 15, 16, 19, 20, 21};

const CatalogueCase kCases[] = {
    {"stock", 0x1, false, kStockTitles, "TTTDDDDDTIDDTTDDTT", kStockNumeric, {2}, 17},
    {"ficc", 0x100000, false, kStockTitles, "TTTDDDDDTIDDTTDDTT", kStockNumeric, {2}, 17},
    {"future",
     0x2,
     false,
     "合约代码|合约名称|品种代码|交易所代码|交易所名称|合约乘数|最小价格|最后日期|多头保证金率|"
     "空头保证金率|涨停价|跌停价|前结算|手续费收取方式|开仓手续费率|开仓手续费|平仓手续费率|"
     "平仓手续费|"
     "日内开仓手续费率|日内开仓手续费|日内平仓手续费率|日内平仓手续费|单笔最大手数|添加自选",
     "TTTTTIDTDDDDDTTTTTTTTTIT",
     {5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22},
     {},
     23},
    {"gold", 0x4, false, kCodeTitles, "TTTDDDDDT", kCodeNumeric, {2}, 8},
    {"forex", 0x1000, false, kCodeTitles, "TTTDDDDDT", kCodeNumeric, {2}, 8},
    {"spot", 0x10000, false, kCodeTitles, "TTTDDDDDT", kCodeNumeric, {2}, 8},
    {"swap", 0x1000000, false, kCodeTitles, "TTTDDDDDT", kCodeNumeric, {2}, 8},
    {"credit",
     0x8,
     false,
     "市场代码|股票代码|股票名称|最小价格|昨收盘|涨停价|跌停价|前结算|流通股本|总股本|应计利息|"
     "计价方式|"
     "添加自选",
     "TTTDDDDDDDDTT",
     {3, 4, 5, 6, 7, 8, 9, 10},
     {2},
     12},
    {"futureOption",
     0x10,
     false,
     "合约代码|合约名称|交易所代码|交易所名称|合约乘数|最小价格|涨停价|跌停价|前结算|添加自选",
     "TTTTIDDDDT",
     {4, 5, 6, 7, 8},
     {},
     9},
    {"stockOption",
     0x20,
     false,
     "合约代码|合约名称|品种代码|交易所代码|交易所名称|标的代码|最后日期|最小价格|合约单位|"
     "保证金单位|"
     "涨停价|跌停价|前结算|行权价格|市价买入单笔最大量|限价买入单笔最大量|市价卖出单笔最大量|"
     "限价卖出单笔最大量|添加自选",
     "TTTTTTTDDDDDDDIITTT",
     {7, 8, 9, 10, 11, 12},
     {},
     18},
    {"outerFuture", 0x40, false, nullptr, "TTTTTTDDDDTTTTT", kOuterNumeric, {}, 14},
    {"outerFutureBroker", 0x40, true, nullptr, "TTTTTTDDDDTTTT", kOuterNumeric, {}, 13},
    {"outerStock", 0x800, false, nullptr, "TTTTTTDDDDTTTTT", kOuterNumeric, {}, 14},
    {"outerStockBroker", 0x800, true, nullptr, "TTTTTTDDDDTTTT", kOuterNumeric, {}, 13},
    {"hkConnect", 0x80, false, kHkTitles, "TTTDDIDDT", {3, 4, 5, 6, 7}, {}, 8},
    {"hkStock", 0x4000, false, kHkTitles, "TTTDDIDDT", {3, 4, 5, 6, 7}, {}, 8},
    {"neeq",
     0x100,
     false,
     "市场代码|股票代码|股票名称|最小价格|昨收盘|涨停价|跌停价|流通股本|总股本|添加自选",
     "TTTDDDDDDT",
     {3, 4, 5, 6, 7, 8},
     {1},
     9},
    {"otcFund",
     0x200,
     false,
     "合约代码|合约名称|合约市场|合约类型|基金类型|昨日单位净值|申赎状态|最高申购金额|最低申购金额|"
     "赎回交收天数|最低赎回份额|分红方式|是否支持转换|所属TA|管理人|近期披露净值|添加自选",
     "TTTTTDTDDIDTTTTDT",
     {5, 7, 8, 10},
     {},
     16},
    {"secondFuture",
     0x400,
     false,
     "合约代码|合约名称|品种代码|交易所代码|交易所名称|合约乘数|最小价格|最后日期|前结算|添加自选",
     "TTTTTIDTDT",
     {5, 6, 8},
     {},
     9},
    {"interBank", 0x8000, false, kInterBankTitles, "TTTTTTTTTTTTDDDTTDIIDT", {}, {}, 21},
    {"interBankFx", 0x2000000, false, kInterBankTitles, "TTTTTTTTTTTTDDDTTDIIDT", {}, {}, 21},
    {"mixed", 0x800000, false, kMixedTitles, "TTTTTDIDTDDTDDDDDDIIDDT", kMixedNumeric, {}, 22},
    {"mixedAll", 0xC5DFF, true, kMixedTitles, "TTTTTDIDTDDTDDDDDDIIDDT", kMixedNumeric, {}, 22},
    {"bondTender",
     0x8000000,
     false,
     kTenderTitles,
     "TTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTT",
     {},
     {},
     -1},
    {"repo", 0x2000, false, "", "", {}, {}, -1},
    {"precious", 0x20000, false, "", "", {}, {}, -1},
    {"fundAndSecondFuture", 1536, false, "", "", {}, {}, -1},
    {"none", 0, false, "", "", {}, {}, -1},
    {"allBits", -1, true, "", "", {}, {}, -1},
};

QStringList expectedTitles(const CatalogueCase& c) {
  if (c.titles) {
    const QString all = QString::fromUtf8(c.titles);
    return all.isEmpty() ? QStringList() : all.split('|');
  }
  QString all = QString::fromUtf8(kOuterBase);
  if (!c.brokerEdition) all += QString::fromUtf8("计价单位|");
  all += QString::fromUtf8("添加自选");
  return all.split('|');
}

int kindOfLetter(char c) {
  switch (c) {
    case 'D':
      return 6;
    case 'I':
      return 2;
    default:
      return 10;
  }
}

class ColumnCatalogueTest : public ::testing::TestWithParam<CatalogueCase> {};

TEST_P(ColumnCatalogueTest, matchesTheSetOfItsTradingType) {
  const CatalogueCase& c = GetParam();
  const CColumnCatalogue cat = CColumnCatalogue::build(tt(c.tradeType), c.brokerEdition);
  const QStringList titles = expectedTitles(c);

  ASSERT_EQ(cat.columnCount(), titles.size());
  ASSERT_EQ(static_cast<int>(strlen(c.kinds)), titles.size());
  int id = 0;
  for (auto it = cat.columnTitles.constBegin(); it != cat.columnTitles.constEnd(); ++it, ++id) {
    EXPECT_EQ(it.key(), id) << "ids must run 0..count-1 without gaps";
    EXPECT_EQ(it.value(), titles.at(id)) << "column " << id;
  }
  for (int col = 0; col < titles.size(); ++col) {
    EXPECT_EQ(LW::columnValueKind(tt(c.tradeType), col), kindOfLetter(c.kinds[col]))
        << "column " << col;
  }
  // Ids outside the set, on both sides, sort as text.
  EXPECT_EQ(LW::columnValueKind(tt(c.tradeType), -1), 10);
  EXPECT_EQ(LW::columnValueKind(tt(c.tradeType), titles.size()), 10);
  EXPECT_EQ(LW::columnValueKind(tt(c.tradeType), 1000), 10);

  EXPECT_EQ(cat.numericColumns, c.numeric);
  EXPECT_EQ(cat.iconColumns, c.icon);
  EXPECT_EQ(cat.favoriteColumn, c.favourite);
  if (c.favourite >= 0) {
    EXPECT_EQ(cat.columnTitles.value(c.favourite), QString::fromUtf8("添加自选"));
  }
}

INSTANTIATE_TEST_SUITE_P(AllSets, ColumnCatalogueTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CatalogueCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(ColumnCatalogue, brokerEditionOnlyChangesTheForeignFuturesSets) {
  for (const CatalogueCase& c : kCases) {
    if (c.tradeType == 0x40 || c.tradeType == 0x800) continue;
    const CColumnCatalogue a = CColumnCatalogue::build(tt(c.tradeType), false);
    const CColumnCatalogue b = CColumnCatalogue::build(tt(c.tradeType), true);
    EXPECT_EQ(a.columnTitles, b.columnTitles) << c.name;
    EXPECT_EQ(a.favoriteColumn, b.favoriteColumn) << c.name;
  }
}

struct TagColumnCase {
  long long tradeType;
  int column;
};

TEST(ColumnCatalogue, tagIconColumnFollowsTheTradingTypeNotTheSet) {
  const TagColumnCase cases[] = {{0x1, 2},      {0x4, 2},        {0x8, 2},       {0x100, 1},
                                 {0x2, -1},     {0x80, -1},      {0x100000, -1}, {0x1000, -1},
                                 {0x10000, -1}, {0x8000000, -1}, {0, -1}};
  for (const TagColumnCase& c : cases) {
    EXPECT_EQ(LW::tagIconColumn(tt(c.tradeType)), c.column) << std::hex << c.tradeType;
  }
}

}  // namespace
