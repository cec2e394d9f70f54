#include "model/columncatalogue.h"

#include <QCoreApplication>

namespace LW {

namespace {

using mxservice::ENqTraderType;

// One column of a set. kind is the sort kind (10 when the column sorts as
// text, even where the column is drawn as a number).
struct ColumnDef {
  const char* title;  // UTF-8 source text (see CColumnCatalogue::displayTitle)
  bool numeric;
  int kind;
};

constexpr int T = COLUMN_KIND_TEXT;
constexpr int D = COLUMN_KIND_DOUBLE;
constexpr int I = COLUMN_KIND_INT;

const char kFavourite[] = QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "添加自选");

const ColumnDef kStock[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市场代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "是否为双转单"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "实际占款天数"), true, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "流通股本"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "总股本"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "尚未盈利"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "存在投票权差异"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "面值"), false, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "应计利息"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "计价方式"), false, T},
    {kFavourite, false, T},
};

// The fee columns (14-21) are drawn as numbers but hold texts such as
// "0.50/万", so they sort as text; likewise the last-date column.
const ColumnDef kFuture[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最后日期"), true, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "多头保证金率"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "空头保证金率"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "手续费收取方式"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "开仓手续费率"), true, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "开仓手续费"), true, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "平仓手续费率"), true, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "平仓手续费"), true, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "日内开仓手续费率"), true, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "日内开仓手续费"), true, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "日内平仓手续费率"), true, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "日内平仓手续费"), true, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "单笔最大手数"), true, I},
    {kFavourite, false, T},
};

const ColumnDef kCode[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市场"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D},
    {kFavourite, false, T},
};

const ColumnDef kCredit[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市场代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "流通股本"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "总股本"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "应计利息"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "计价方式"), false, T},
    {kFavourite, false, T},
};

const ColumnDef kFutureOption[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D},
    {kFavourite, false, T},
};

// The sell-side maximum volumes (16, 17) sort as text while the buy-side ones
// sort as integers; the lists have always sorted that way.
const ColumnDef kStockOption[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "标的代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最后日期"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约单位"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "保证金单位"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "行权价格"), false, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市价买入单笔最大量"), false, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "限价买入单笔最大量"), false, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市价卖出单笔最大量"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "限价卖出单笔最大量"), false, T},
    {kFavourite, false, T},
};

// Without the pricing-unit column (13) and the favourites column, which
// depend on the edition; see build().
const ColumnDef kOuterFuture[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "到期日"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交割日"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "币种"), false, T},
};
const char kPricingUnit[] = QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "计价单位");

const ColumnDef kHkStock[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市场代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "流通股本"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "总股本"), true, D},
    {kFavourite, false, T},
};

const ColumnDef kNeeq[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "市场代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "股票名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "流通股本"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "总股本"), true, D},
    {kFavourite, false, T},
};

const ColumnDef kOtcFund[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约市场"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约类型"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "基金类型"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨日单位净值"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "申赎状态"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最高申购金额"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最低申购金额"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "赎回交收天数"), false, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最低赎回份额"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "分红方式"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "是否支持转换"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "所属TA"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "管理人"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "近期披露净值"), false, D},
    {kFavourite, false, T},
};

const ColumnDef kSecondFuture[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最后日期"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D},
    {kFavourite, false, T},
};

const ColumnDef kInterBank[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易市场"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "银行间债券代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "银行间债券名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "上交所代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "上交所名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "深交所代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "深交所名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行日期"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "结束日期"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "原始起息日期"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易截止日期"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "期限"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行价"), false, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "面额"), false, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "当前面额"), false, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "付息类型"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "利率类型"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "票面利率(%)"), false, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "年付息次数"), false, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "计息天数"), false, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前收净价"), false, D},
    {kFavourite, false, T},
};

const ColumnDef kMixed[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "品种代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易所名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "昨收盘"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约乘数"), true, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最小价格"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最后日期"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "多头保证金率"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "空头保证金率"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "标的代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "合约单位"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "保证金单位"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "涨停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "跌停价"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "前结算"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "行权价格"), false, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最大单笔量"), false, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "实际占款天数"), true, I},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "流通股本"), true, D},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "总股本"), true, D},
    {kFavourite, false, T},
};

// Every tender column is text: the tender amounts are shown pre-formatted and
// the workflow columns (3-8) are filled by the tender rows themselves.
const ColumnDef kBondTender[] = {
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债券代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债券简称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债券全称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "操作"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "执行状态"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "内部报量（亿）"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "外部报量（亿）"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "中标量（亿）"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易员"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "主承销商"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "上市代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "认购代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债券类型"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债券类型细分"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "交易市场"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "预交易市场"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "是否跨市场"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行方式"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行人名称"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行人代码"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行人属性"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行人类型"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "所属行业"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行价"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行参考利率"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行对象"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "最低申购金额"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "计划发行总额"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "实际募集金额"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "预期年收益率"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "募集方式"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "期限（天）"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "期限（年）"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "面值"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "招标方式"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "招标标的"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "标位区间下限"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "标位区间上限"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "步长"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "基本投标单位"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "每标位最低投标量"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "每标位最高投标量"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "主体评级"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "债项评级"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "是否城投债"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "担保人"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "招标日"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "招标结束日"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行起始日"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "发行终止日"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "缴款日"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "起息日"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "上市日"), false, T},
    {QT_TRANSLATE_NOOP("LW::CColumnCatalogue", "到期日"), false, T},
};

struct SetDef {
  const ColumnDef* columns;
  int count;
  int iconColumn;  // -1 when the set has none
};

template <int N>
constexpr SetDef setDef(const ColumnDef (&columns)[N], int iconColumn) {
  return SetDef{columns, N, iconColumn};
}

SetDef setDefOf(EColumnSet set) {
  switch (set) {
    case EColumnSet::Stock:
      return setDef(kStock, 2);
    case EColumnSet::Future:
      return setDef(kFuture, -1);
    case EColumnSet::Code:
      return setDef(kCode, 2);
    case EColumnSet::Credit:
      return setDef(kCredit, 2);
    case EColumnSet::FutureOption:
      return setDef(kFutureOption, -1);
    case EColumnSet::StockOption:
      return setDef(kStockOption, -1);
    case EColumnSet::OuterFuture:
      return setDef(kOuterFuture, -1);
    case EColumnSet::HkStock:
      return setDef(kHkStock, -1);
    case EColumnSet::Neeq:
      return setDef(kNeeq, 1);
    case EColumnSet::OtcFund:
      return setDef(kOtcFund, -1);
    case EColumnSet::SecondFuture:
      return setDef(kSecondFuture, -1);
    case EColumnSet::InterBank:
      return setDef(kInterBank, -1);
    case EColumnSet::Mixed:
      return setDef(kMixed, -1);
    case EColumnSet::BondTender:
      return setDef(kBondTender, -1);
    case EColumnSet::None:
      break;
  }
  return SetDef{nullptr, 0, -1};
}

}  // namespace

EColumnSet columnSetOf(ENqTraderType tradeType) {
  switch (static_cast<long long>(tradeType)) {
    case 0x1:
    case 0x100000:
      return EColumnSet::Stock;
    case 0x2:
      return EColumnSet::Future;
    case 0x4:
    case 0x1000:
    case 0x10000:
    case 0x1000000:
      return EColumnSet::Code;
    case 0x8:
      return EColumnSet::Credit;
    case 0x10:
      return EColumnSet::FutureOption;
    case 0x20:
      return EColumnSet::StockOption;
    case 0x40:
    case 0x800:
      return EColumnSet::OuterFuture;
    case 0x80:
    case 0x4000:
      return EColumnSet::HkStock;
    case 0x100:
      return EColumnSet::Neeq;
    case 0x200:
      return EColumnSet::OtcFund;
    case 0x400:
      return EColumnSet::SecondFuture;
    case 0x8000:
    case 0x2000000:
      return EColumnSet::InterBank;
    case 0x800000:
    case 0xC5DFF:
      return EColumnSet::Mixed;
    case 0x8000000:
      return EColumnSet::BondTender;
    default:
      return EColumnSet::None;
  }
}

int columnValueKind(ENqTraderType tradeType, int column) {
  const SetDef def = setDefOf(columnSetOf(tradeType));
  if (column < 0 || column >= def.count) return COLUMN_KIND_TEXT;
  return def.columns[column].kind;
}

int tagIconColumn(ENqTraderType tradeType) {
  switch (static_cast<long long>(tradeType)) {
    case 0x1:
    case 0x4:
    case 0x8:
      return 2;
    case 0x100:
      return 1;
    default:
      return -1;
  }
}

QString CColumnCatalogue::displayTitle(const QString& title) {
  return QCoreApplication::translate("LW::CColumnCatalogue", title.toUtf8().constData());
}

CColumnCatalogue CColumnCatalogue::build(ENqTraderType tradeType, bool brokerEdition) {
  CColumnCatalogue catalogue;
  catalogue.brokerEdition = brokerEdition;
  const EColumnSet set = columnSetOf(tradeType);
  const SetDef def = setDefOf(set);
  for (int id = 0; id < def.count; ++id) {
    catalogue.columnTitles.insert(id, QString::fromUtf8(def.columns[id].title));
    if (def.columns[id].numeric) catalogue.numericColumns.insert(id);
  }
  if (set == EColumnSet::OuterFuture) {
    // The broker edition prices in the exchange's own units, so it has no
    // pricing-unit column and the favourites column moves up by one.
    if (!brokerEdition) {
      catalogue.columnTitles.insert(catalogue.columnTitles.size(), QString::fromUtf8(kPricingUnit));
    }
    catalogue.columnTitles.insert(catalogue.columnTitles.size(), QString::fromUtf8(kFavourite));
  }
  if (def.iconColumn >= 0) catalogue.iconColumns.insert(def.iconColumn);
  const QString favourite = QString::fromUtf8(kFavourite);
  for (auto it = catalogue.columnTitles.constBegin(); it != catalogue.columnTitles.constEnd();
       ++it) {
    if (it.value() == favourite) catalogue.favoriteColumn = it.key();
  }
  return catalogue;
}

}  // namespace LW
