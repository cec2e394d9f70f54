#include "datagen/derivativefactory.h"

#include "datagen/calendar.h"
#include "datagen/pricing.h"

#include <cstdio>
#include <iterator>

namespace datagen {

namespace {

// Domestic contracts run from January 2021 to December 2030: ten years, so
// that Zhengzhou's one-digit-year codes (SR405) stay unique.
constexpr int kDomesticFirstYear = 2021;
constexpr long long kDomesticMonths = 120;
constexpr long long kSpreadGaps = 11;     // second leg 1..11 months later
constexpr long long kOptionStrikes = 41;  // at the money +- 20 steps
// Stock option codes are serial numbers, so their months need no such care.
constexpr int kStockOptionFirstYear = 2015;
constexpr long long kStockOptionMonths = 192;
// Foreign contracts: 2024-2033, coded with the month letter and one year digit
// (CLN4).
constexpr int kForeignFirstYear = 2024;
constexpr long long kForeignMonths = 120;

struct FuturesProduct {
  const char* exchange;
  const char* code;
  const char* name;
  int multiplier;
  double tick;
  double level;   // typical price
  double limit;   // daily limit band
  double margin;  // exchange margin rate
  CommissionRecord fee;
  int maxOrder;  // lots per limit order
};

// Fees: mode 1 yuan per lot, mode 2 per ten thousand of the amount; 0 is
// free (closing today's position on many Zhengzhou products) and -1 not
// charged at all (no intraday close on plywood).
const FuturesProduct kFutures[] = {
    {"SHFE", "cu", "沪铜", 5, 10, 72000, 0.08, 0.10, {2, 0.5, 0.5, 0.5, 0.5}, 500},
    {"SHFE", "al", "沪铝", 5, 5, 19000, 0.07, 0.09, {1, 3, 3, 3, 3}, 500},
    {"SHFE", "zn", "沪锌", 5, 5, 22000, 0.08, 0.10, {1, 3, 3, 3, 3}, 500},
    {"SHFE", "pb", "沪铅", 5, 5, 16500, 0.08, 0.10, {2, 0.4, 0.4, 0.4, 0.4}, 500},
    {"SHFE", "ni", "沪镍", 1, 10, 130000, 0.12, 0.14, {1, 3, 3, 3, 3}, 500},
    {"SHFE", "sn", "沪锡", 1, 10, 220000, 0.12, 0.14, {1, 3, 3, 3, 3}, 500},
    {"SHFE", "au", "沪金", 1000, 0.02, 480, 0.08, 0.10, {1, 10, 10, 0, 0}, 500},
    {"SHFE", "ag", "沪银", 15, 1, 6000, 0.12, 0.13, {2, 0.5, 0.5, 0.5, 0.5}, 500},
    {"SHFE", "rb", "螺纹钢", 10, 1, 3600, 0.07, 0.09, {2, 1, 1, 1, 1}, 500},
    {"SHFE", "hc", "热卷", 10, 1, 3700, 0.07, 0.09, {2, 1, 1, 1, 1}, 500},
    {"SHFE", "wr", "线材", 10, 1, 4200, 0.07, 0.09, {2, 0.4, 0.4, 0.4, 0.4}, 500},
    {"SHFE", "ss", "不锈钢", 5, 5, 14000, 0.07, 0.09, {1, 2, 2, 2, 2}, 500},
    {"SHFE", "fu", "燃料油", 10, 1, 3200, 0.10, 0.12, {2, 0.5, 0.5, 0.5, 0.5}, 500},
    {"SHFE", "bu", "沥青", 10, 1, 3700, 0.10, 0.12, {2, 1, 1, 1, 1}, 500},
    {"SHFE", "ru", "橡胶", 10, 5, 14000, 0.08, 0.10, {1, 3, 3, 3, 3}, 500},
    {"SHFE", "sp", "纸浆", 10, 2, 6000, 0.07, 0.09, {2, 0.5, 0.5, 0.5, 0.5}, 500},
    {"SHFE", "ao", "氧化铝", 20, 1, 3200, 0.07, 0.09, {2, 1, 1, 1, 1}, 500},
    {"SHFE", "br", "丁二烯橡胶", 5, 5, 13000, 0.08, 0.10, {2, 0.2, 0.2, 0.2, 0.2}, 500},
    {"INE", "sc", "原油", 1000, 0.1, 560, 0.08, 0.10, {1, 20, 20, 0, 0}, 500},
    {"INE", "lu", "低硫燃料油", 10, 1, 4000, 0.08, 0.10, {2, 0.1, 0.1, 0.1, 0.1}, 500},
    {"INE", "nr", "20号胶", 10, 5, 12000, 0.08, 0.10, {2, 0.2, 0.2, 0.2, 0.2}, 500},
    {"INE", "bc", "国际铜", 5, 10, 65000, 0.08, 0.10, {2, 0.1, 0.1, 0.1, 0.1}, 500},
    {"INE", "ec", "集运欧线", 50, 0.1, 2000, 0.18, 0.20, {2, 0.6, 0.6, 0.6, 0.6}, 100},
    {"DCE", "a", "豆一", 10, 1, 4800, 0.07, 0.09, {1, 2, 2, 2, 2}, 1000},
    {"DCE", "b", "豆二", 10, 1, 4000, 0.07, 0.09, {1, 1, 1, 1, 1}, 1000},
    {"DCE", "m", "豆粕", 10, 1, 3300, 0.07, 0.09, {1, 1.5, 1.5, 1.5, 1.5}, 1000},
    {"DCE", "y", "豆油", 10, 2, 7800, 0.07, 0.09, {1, 2.5, 2.5, 2.5, 2.5}, 1000},
    {"DCE", "p", "棕榈油", 10, 2, 7500, 0.08, 0.10, {1, 2.5, 2.5, 2.5, 2.5}, 1000},
    {"DCE", "c", "玉米", 10, 1, 2400, 0.05, 0.07, {1, 1.2, 1.2, 1.2, 1.2}, 1000},
    {"DCE", "cs", "玉米淀粉", 10, 1, 2800, 0.05, 0.07, {1, 1.5, 1.5, 1.5, 1.5}, 1000},
    {"DCE", "jd", "鸡蛋", 10, 1, 3800, 0.07, 0.09, {2, 1.5, 1.5, 1.5, 1.5}, 500},
    {"DCE", "lh", "生猪", 16, 5, 15000, 0.08, 0.12, {2, 2, 2, 2, 2}, 50},
    {"DCE", "rr", "粳米", 10, 1, 3500, 0.06, 0.08, {1, 1, 1, 1, 1}, 1000},
    {"DCE", "l", "塑料", 5, 1, 8200, 0.07, 0.09, {1, 1, 1, 1, 1}, 1000},
    {"DCE", "v", "PVC", 5, 1, 5900, 0.07, 0.09, {1, 1, 1, 1, 1}, 1000},
    {"DCE", "pp", "聚丙烯", 5, 1, 7500, 0.07, 0.09, {1, 1, 1, 1, 1}, 1000},
    {"DCE", "eg", "乙二醇", 10, 1, 4500, 0.08, 0.10, {1, 3, 3, 3, 3}, 1000},
    {"DCE", "eb", "苯乙烯", 5, 1, 8500, 0.08, 0.10, {1, 3, 3, 3, 3}, 1000},
    {"DCE", "pg", "液化气", 20, 1, 4500, 0.08, 0.10, {1, 6, 6, 6, 6}, 1000},
    {"DCE", "j", "焦炭", 100, 0.5, 2200, 0.08, 0.20, {2, 1, 1, 1.4, 1.4}, 500},
    {"DCE", "jm", "焦煤", 60, 0.5, 1600, 0.08, 0.20, {2, 1, 1, 1.4, 1.4}, 500},
    {"DCE", "i", "铁矿石", 100, 0.5, 850, 0.11, 0.13, {2, 1, 1, 1, 1}, 1000},
    {"DCE", "fb", "纤维板", 10, 0.5, 1300, 0.05, 0.10, {2, 1, 1, 1, 1}, 500},
    {"DCE", "bb", "胶合板", 500, 0.05, 160, 0.05, 0.40, {2, 1, 1, 1, -1.0}, 500},
    {"CZCE", "CF", "棉花", 5, 5, 15000, 0.06, 0.07, {1, 4.3, 4.3, 0, 0}, 1000},
    {"CZCE", "CY", "棉纱", 5, 5, 21000, 0.06, 0.07, {1, 4, 4, 0, 0}, 1000},
    {"CZCE", "SR", "白糖", 10, 1, 6200, 0.06, 0.07, {1, 3, 3, 0, 0}, 1000},
    {"CZCE", "TA", "PTA", 5, 2, 5800, 0.06, 0.07, {1, 3, 3, 0, 0}, 1000},
    {"CZCE", "MA", "甲醇", 10, 1, 2500, 0.07, 0.08, {1, 2, 2, 6, 6}, 1000},
    {"CZCE", "FG", "玻璃", 20, 1, 1500, 0.09, 0.10, {1, 6, 6, 6, 6}, 1000},
    {"CZCE", "SA", "纯碱", 20, 1, 2000, 0.09, 0.10, {1, 3.5, 3.5, 3.5, 3.5}, 1000},
    {"CZCE", "UR", "尿素", 20, 1, 2100, 0.07, 0.08, {1, 5, 5, 5, 5}, 1000},
    {"CZCE", "RM", "菜粕", 10, 1, 2700, 0.06, 0.07, {1, 1.5, 1.5, 1.5, 1.5}, 1000},
    {"CZCE", "OI", "菜油", 10, 1, 8500, 0.07, 0.08, {1, 2, 2, 2, 2}, 1000},
    {"CZCE", "RS", "菜籽", 10, 1, 6000, 0.10, 0.20, {1, 2, 2, 2, 2}, 1000},
    {"CZCE", "AP", "苹果", 10, 1, 8000, 0.08, 0.10, {1, 5, 5, 20, 20}, 100},
    {"CZCE", "CJ", "红枣", 5, 5, 11000, 0.08, 0.09, {1, 3, 3, 3, 3}, 1000},
    {"CZCE", "PK", "花生", 5, 2, 9000, 0.06, 0.08, {1, 4, 4, 4, 4}, 1000},
    {"CZCE", "SF", "硅铁", 5, 2, 6500, 0.08, 0.09, {1, 3, 3, 3, 3}, 1000},
    {"CZCE", "SM", "锰硅", 5, 2, 6500, 0.07, 0.08, {1, 3, 3, 3, 3}, 1000},
    {"CZCE", "ZC", "动力煤", 100, 0.2, 800, 0.10, 0.50, {1, 150, 150, 150, 150}, 1000},
    {"CZCE", "WH", "强麦", 20, 1, 2800, 0.10, 0.15, {1, 30, 30, 30, 30}, 1000},
    {"CZCE", "PM", "普麦", 50, 1, 2500, 0.10, 0.15, {1, 30, 30, 30, 30}, 1000},
    {"CZCE", "RI", "早籼稻", 20, 1, 2600, 0.10, 0.15, {1, 2.5, 2.5, 2.5, 2.5}, 1000},
    {"CZCE", "JR", "粳稻", 20, 1, 3000, 0.10, 0.15, {1, 3, 3, 3, 3}, 1000},
    {"CZCE", "LR", "晚籼稻", 20, 1, 2800, 0.10, 0.15, {1, 3, 3, 3, 3}, 1000},
    {"CZCE", "PF", "短纤", 5, 2, 7300, 0.06, 0.08, {1, 3, 3, 3, 3}, 1000},
    {"CZCE", "SH", "烧碱", 30, 1, 2500, 0.07, 0.09, {2, 1, 1, 1, 1}, 1000},
    {"CZCE", "PX", "对二甲苯", 5, 2, 8500, 0.07, 0.09, {2, 1, 1, 1, 1}, 1000},
    {"CZCE", "PR", "瓶片", 15, 2, 7000, 0.06, 0.08, {2, 0.5, 0.5, 0.5, 0.5}, 1000},
    {"CFFEX", "IF", "沪深300股指", 300, 0.2, 3600, 0.10, 0.12, {2, 0.23, 0.23, 2.3, 2.3}, 20},
    {"CFFEX", "IH", "上证50股指", 300, 0.2, 2500, 0.10, 0.12, {2, 0.23, 0.23, 2.3, 2.3}, 20},
    {"CFFEX", "IC", "中证500股指", 200, 0.2, 5500, 0.10, 0.14, {2, 0.23, 0.23, 2.3, 2.3}, 20},
    {"CFFEX", "IM", "中证1000股指", 200, 0.2, 5800, 0.10, 0.15, {2, 0.23, 0.23, 2.3, 2.3}, 20},
    {"CFFEX", "T", "10年期国债", 10000, 0.005, 104, 0.02, 0.02, {1, 3, 3, 0, 0}, 50},
    {"CFFEX", "TF", "5年期国债", 10000, 0.005, 103, 0.012, 0.012, {1, 3, 3, 0, 0}, 50},
    {"CFFEX", "TS", "2年期国债", 20000, 0.002, 101, 0.005, 0.005, {1, 3, 3, 0, 0}, 50},
    {"CFFEX", "TL", "30年期国债", 10000, 0.01, 108, 0.035, 0.035, {1, 3, 3, 0, 0}, 50},
    {"GFEX", "si", "工业硅", 5, 5, 12000, 0.09, 0.11, {2, 1, 1, 1, 1}, 500},
    {"GFEX", "lc", "碳酸锂", 1, 50, 100000, 0.09, 0.12, {2, 0.8, 0.8, 3.2, 3.2}, 500},
};
constexpr long long kFuturesCount = static_cast<long long>(std::size(kFutures));

struct OptionProduct {
  const char* future;      // underlying futures product code
  const char* optionCode;  // contract prefix when it differs (CFFEX index options)
  const char* underlying;  // CFFEX index options settle on the futures of this product
  double tick;
  double strikeStep;
};

const OptionProduct kFutureOptions[] = {
    {"cu", "cu", "cu", 2, 1000}, {"al", "al", "al", 1, 200},   {"zn", "zn", "zn", 1, 200},
    {"au", "au", "au", 0.02, 8}, {"ag", "ag", "ag", 1, 100},   {"ru", "ru", "ru", 1, 250},
    {"rb", "rb", "rb", 0.5, 50}, {"sc", "sc", "sc", 0.05, 10}, {"m", "m", "m", 0.5, 50},
    {"c", "c", "c", 0.5, 20},    {"i", "i", "i", 0.1, 10},     {"p", "p", "p", 0.5, 100},
    {"y", "y", "y", 0.5, 100},   {"pp", "pp", "pp", 0.5, 100}, {"l", "l", "l", 0.5, 100},
    {"v", "v", "v", 0.5, 100},   {"pg", "pg", "pg", 0.2, 50},  {"SR", "SR", "SR", 0.5, 100},
    {"CF", "CF", "CF", 1, 200},  {"TA", "TA", "TA", 0.5, 50},  {"MA", "MA", "MA", 0.5, 25},
    {"RM", "RM", "RM", 0.5, 25}, {"OI", "OI", "OI", 0.5, 100}, {"PK", "PK", "PK", 0.5, 100},
    {"SA", "SA", "SA", 0.5, 20}, {"PF", "PF", "PF", 0.5, 100}, {"IF", "IO", "IF", 0.2, 50},
    {"IH", "HO", "IH", 0.2, 50}, {"IM", "MO", "IM", 0.2, 100}, {"si", "si", "si", 1, 100},
    {"lc", "lc", "lc", 2, 1000},
};
constexpr long long kFutureOptionCount = static_cast<long long>(std::size(kFutureOptions));

struct StockOptionUnderlying {
  const char* market;
  const char* code;
  const char* shortName;  // as it opens the option's name
  double level;
  double strikeStep;
};

const StockOptionUnderlying kStockOptionUnderlyings[] = {
    {"SHO", "510050", "50ETF", 2.6, 0.05},     {"SHO", "510300", "300ETF", 3.6, 0.05},
    {"SHO", "510500", "500ETF", 5.5, 0.1},     {"SHO", "588000", "科创50", 0.9, 0.025},
    {"SHO", "588080", "科创板50", 0.9, 0.025}, {"SZO", "159919", "300ETF", 3.7, 0.05},
    {"SZO", "159915", "创业板ETF", 1.9, 0.05}, {"SZO", "159922", "500ETF", 5.6, 0.1},
    {"SZO", "159901", "深100ETF", 2.9, 0.05},
};

struct ForeignProduct {
  const char* market;
  const char* code;
  const char* name;
  const char* currency;
  int multiplier;
  double tick;
  double level;
  bool cashSettled;  // index, rate and currency futures expire in their month
};

const ForeignProduct kForeignFutures[] = {
    {"CME", "ES", "小型标普500", "USD", 50, 0.25, 5200, true},
    {"CME", "NQ", "小型纳指100", "USD", 20, 0.25, 18000, true},
    {"CME", "YM", "小型道指", "USD", 5, 1, 39000, true},
    {"CME", "6E", "欧元", "USD", 125000, 0.00005, 1.08, true},
    {"CME", "6J", "日元", "USD", 12500000, 0.0000005, 0.0066, true},
    {"CME", "6B", "英镑", "USD", 62500, 0.0001, 1.26, true},
    {"CME", "ZC", "玉米", "USD", 50, 0.25, 450, false},
    {"CME", "ZS", "大豆", "USD", 50, 0.25, 1200, false},
    {"CME", "ZW", "小麦", "USD", 50, 0.25, 600, false},
    {"CME", "ZM", "豆粕", "USD", 100, 0.1, 350, false},
    {"CME", "ZL", "豆油", "USD", 600, 0.01, 45, false},
    {"CME", "ZN", "10年期美债", "USD", 1000, 0.015625, 110, true},
    {"CME", "ZB", "美国长期国债", "USD", 1000, 0.03125, 118, true},
    {"CME", "ZF", "5年期美债", "USD", 1000, 0.0078125, 106, true},
    {"CME", "ZT", "2年期美债", "USD", 2000, 0.00390625, 102, true},
    {"CME", "LE", "活牛", "USD", 400, 0.025, 180, false},
    {"CME", "HE", "瘦肉猪", "USD", 400, 0.025, 90, false},
    {"COMEX", "GC", "黄金", "USD", 100, 0.1, 2300, false},
    {"COMEX", "SI", "白银", "USD", 5000, 0.005, 27, false},
    {"COMEX", "HG", "铜", "USD", 25000, 0.0005, 4.5, false},
    {"COMEX", "MGC", "微型黄金", "USD", 10, 0.1, 2300, false},
    {"NYMEX", "CL", "WTI原油", "USD", 1000, 0.01, 80, false},
    {"NYMEX", "NG", "天然气", "USD", 10000, 0.001, 2.5, false},
    {"NYMEX", "HO", "取暖油", "USD", 42000, 0.0001, 2.6, false},
    {"NYMEX", "RB", "汽油", "USD", 42000, 0.0001, 2.7, false},
    {"NYMEX", "PA", "钯金", "USD", 100, 0.5, 1000, false},
    {"NYMEX", "PL", "铂金", "USD", 50, 0.1, 980, false},
    {"NYMEX", "QM", "小型原油", "USD", 500, 0.025, 80, false},
    {"LME", "CAD", "LME铜", "USD", 25, 0.5, 9500, false},
    {"LME", "AHD", "LME铝", "USD", 25, 0.5, 2500, false},
    {"LME", "ZSD", "LME锌", "USD", 25, 0.5, 2800, false},
    {"LME", "NID", "LME镍", "USD", 6, 1, 18000, false},
    {"LME", "PBD", "LME铅", "USD", 25, 0.5, 2200, false},
    {"LME", "SND", "LME锡", "USD", 5, 1, 32000, false},
    {"ICE", "B", "布伦特原油", "USD", 1000, 0.01, 85, false},
    {"ICE", "G", "低硫柴油", "USD", 100, 0.25, 800, false},
    {"ICE", "SB", "11号糖", "USD", 1120, 0.01, 20, false},
    {"ICE", "KC", "咖啡", "USD", 375, 0.05, 200, false},
    {"ICE", "CC", "可可", "USD", 10, 1, 7000, false},
    {"ICE", "CT", "棉花", "USD", 500, 0.01, 80, false},
    {"ICE", "DX", "美元指数", "USD", 1000, 0.005, 104, true},
    {"ICE", "Z", "富时100", "GBP", 10, 0.5, 8000, true},
    {"ICE", "I", "三个月欧元利率", "EUR", 2500, 0.005, 96.5, true},
    {"ICE", "R", "英国长期金边国债", "GBP", 1000, 0.01, 97, true},
    {"SGX", "CN", "富时中国A50", "USD", 1, 1, 12500, true},
    {"SGX", "NK", "日经225", "JPY", 500, 5, 38000, true},
    {"SGX", "TW", "MSCI台湾", "USD", 100, 0.1, 650, true},
    {"SGX", "FEF", "铁矿石", "USD", 100, 0.01, 110, false},
};
constexpr long long kForeignCount = static_cast<long long>(std::size(kForeignFutures));

const char kMonthLetters[] = "FGHJKMNQUVXZ";

const char* exchangeCodeOf(const std::string& market) { return market.c_str(); }

std::string exchangeNameOf(const std::string& market) {
  if (market == "CME") return "芝加哥商业交易所";
  if (market == "COMEX") return "纽约商品交易所";
  if (market == "NYMEX") return "纽约商业交易所";
  if (market == "LME") return "伦敦金属交易所";
  if (market == "ICE") return "洲际交易所";
  return "新加坡交易所";
}

std::string yymm(int year, int month) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d%02d", year % 100, month);
  return text;
}

// The exchange's contract code of a product for a month.
std::string domesticCode(const FuturesProduct& product, int year, int month) {
  const std::string exchange = product.exchange;
  if (exchange == "CZCE") {
    char text[8];
    std::snprintf(text, sizeof text, "%d%02d", year % 10, month);
    return std::string(product.code) + text;
  }
  return product.code + yymm(year, month);
}

int domesticExpiry(const FuturesProduct& product, int year, int month) {
  const std::string exchange = product.exchange;
  if (exchange == "CFFEX") {
    // Index futures expire on the third Friday, bond futures on the second.
    const bool bond = product.code[0] == 'T';
    return nthWeekdayOfMonth(year, month, 4, bond ? 2 : 3);
  }
  return nextBusinessDay(dayNumber(year, month, 15));
}

std::string formatStrike(double strike) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", strike);
  return text;
}

}  // namespace

long long CDerivativeFactory::domesticFutureCount() { return kFuturesCount * kDomesticMonths; }
long long CDerivativeFactory::domesticSpreadCount() {
  return kFuturesCount * kDomesticMonths * kSpreadGaps;
}
long long CDerivativeFactory::futureOptionCount() {
  return kFutureOptionCount * kDomesticMonths * kOptionStrikes * 2;
}
long long CDerivativeFactory::stockOptionCount(const std::string& marketId) {
  long long underlyings = 0;
  for (const auto& u : kStockOptionUnderlyings) underlyings += marketId == u.market ? 1 : 0;
  return underlyings * kStockOptionMonths * kOptionStrikes * 2;
}
long long CDerivativeFactory::foreignFutureCount() { return kForeignCount * kForeignMonths; }
long long CDerivativeFactory::foreignSpreadCount() {
  return kForeignCount * kForeignMonths * kSpreadGaps;
}

int CDerivativeFactory::domesticProductCount() { return static_cast<int>(kFuturesCount); }

CDerivativeFactory::ProductInfo CDerivativeFactory::domesticProduct(int index) {
  const FuturesProduct& p = kFutures[static_cast<std::size_t>(index) % kFuturesCount];
  return ProductInfo{p.exchange, p.code, p.name, p.tick, p.level, p.multiplier};
}

long long CDerivativeFactory::domesticFutureOrdinal(const std::string& product, int year,
                                                    int month) {
  const long long monthIndex = (year - kDomesticFirstYear) * 12LL + month - 1;
  if (monthIndex < 0 || monthIndex >= kDomesticMonths) return -1;
  for (long long p = 0; p < kFuturesCount; ++p) {
    if (product == kFutures[p].code) return p * kDomesticMonths + monthIndex;
  }
  return -1;
}

long long CDerivativeFactory::futureOptionOrdinal(const std::string& future, int year, int month,
                                                  int strikeOffset, bool call) {
  const long long monthIndex = (year - kDomesticFirstYear) * 12LL + month - 1;
  const long long strikeIndex = strikeOffset + kOptionStrikes / 2;
  if (monthIndex < 0 || monthIndex >= kDomesticMonths || strikeIndex < 0 ||
      strikeIndex >= kOptionStrikes) {
    return -1;
  }
  for (long long p = 0; p < kFutureOptionCount; ++p) {
    if (future == kFutureOptions[p].future) {
      return ((p * kDomesticMonths + monthIndex) * kOptionStrikes + strikeIndex) * 2 +
             (call ? 0 : 1);
    }
  }
  return -1;
}

long long CDerivativeFactory::stockOptionOrdinal(const std::string& underlying, int year, int month,
                                                 int strikeOffset, bool call) {
  const long long monthIndex = (year - kStockOptionFirstYear) * 12LL + month - 1;
  const long long strikeIndex = strikeOffset + kOptionStrikes / 2;
  if (monthIndex < 0 || monthIndex >= kStockOptionMonths || strikeIndex < 0 ||
      strikeIndex >= kOptionStrikes) {
    return -1;
  }
  // Ordinals count within the underlying's market, in table order.
  const char* market = nullptr;
  for (const auto& u : kStockOptionUnderlyings) {
    if (underlying == u.code) market = u.market;
  }
  if (market == nullptr) return -1;
  long long position = 0;
  for (const auto& u : kStockOptionUnderlyings) {
    if (std::string_view(u.market) != market) continue;
    if (underlying == u.code) {
      return ((position * kStockOptionMonths + monthIndex) * kOptionStrikes + strikeIndex) * 2 +
             (call ? 0 : 1);
    }
    ++position;
  }
  return -1;
}

long long CDerivativeFactory::foreignFutureOrdinal(const std::string& product, int year,
                                                   int month) {
  const long long monthIndex = (year - kForeignFirstYear) * 12LL + month - 1;
  if (monthIndex < 0 || monthIndex >= kForeignMonths) return -1;
  for (long long p = 0; p < kForeignCount; ++p) {
    if (product == kForeignFutures[p].code) return p * kForeignMonths + monthIndex;
  }
  return -1;
}

void CDerivativeFactory::make(const CodeSegment& segment, long long ordinal, int tradeType,
                              CRandomSource& random, InstrumentRecord& r) {
  r = InstrumentRecord();
  switch (segment.kind) {
    case SegmentKind::DomesticFuture:
      makeDomesticFuture(ordinal, false, random, r);
      break;
    case SegmentKind::DomesticFutureSpread:
      makeDomesticFuture(ordinal, true, random, r);
      break;
    case SegmentKind::FutureOption:
      makeFutureOption(ordinal, random, r);
      break;
    case SegmentKind::StockOption:
      makeStockOption(segment, ordinal, random, r);
      break;
    case SegmentKind::ForeignFuture:
      makeForeignFuture(ordinal, false, random, r);
      break;
    default:
      makeForeignFuture(ordinal, true, random, r);
      break;
  }
  r.tradeType = tradeType;
}

void CDerivativeFactory::makeDomesticFuture(long long ordinal, bool spread, CRandomSource& random,
                                            InstrumentRecord& r) {
  const long long gap = spread ? ordinal % kSpreadGaps + 1 : 0;
  const long long contract = spread ? ordinal / kSpreadGaps : ordinal;
  const FuturesProduct& product = kFutures[contract / kDomesticMonths];
  const int monthIndex = static_cast<int>(contract % kDomesticMonths);
  const int year = kDomesticFirstYear + monthIndex / 12;
  const int month = monthIndex % 12 + 1;
  const std::string exchange = product.exchange;

  r.marketId = exchange;
  r.productCode = product.code;
  r.currency = "CNY";
  r.priceTick = product.tick;
  r.volumeMultiple = product.multiplier;
  r.longMarginRate = product.margin;
  r.shortMarginRate = random.chance(0.2) ? roundTo(product.margin + 0.01, 2) : product.margin;
  r.maxLimitOrderVolume = product.maxOrder;
  r.hasCommission = true;
  r.commission = product.fee;
  const int expiry = domesticExpiry(product, year, month);
  r.expireDate = formatDate(expiry);
  r.deliveryDate = formatDate(nextBusinessDay(expiry + 3));

  if (!spread) {
    r.code = domesticCode(product, year, month);
    r.name = product.name + yymm(year, month);
    r.preSettlement = roundToTick(product.level * random.uniform(0.8, 1.2), product.tick, true);
    r.preClose = roundToTick(r.preSettlement * random.uniform(0.985, 1.015), product.tick, true);
    r.upperLimit = roundToTick(r.preSettlement * (1.0 + product.limit), product.tick);
    r.lowerLimit = roundToTick(r.preSettlement * (1.0 - product.limit), product.tick);
    return;
  }
  // Calendar spreads: the exchange's combination contract of two months of
  // one product; its price is the difference of the legs and may be negative.
  const int second = monthIndex + static_cast<int>(gap);
  const int year2 = kDomesticFirstYear + second / 12;
  const int month2 = second % 12 + 1;
  const std::string legs =
      domesticCode(product, year, month) + "&" + domesticCode(product, year2, month2);
  r.code = (exchange == "CZCE" ? "SPD " : "SP ") + legs;
  r.name = product.name + yymm(year, month) + "&" + yymm(year2, month2);
  r.preSettlement = roundToTick(product.level * random.uniform(-0.04, 0.04), product.tick);
  r.preClose = r.preSettlement;
}

void CDerivativeFactory::makeFutureOption(long long ordinal, CRandomSource& random,
                                          InstrumentRecord& r) {
  const bool call = ordinal % 2 == 0;
  const long long strikeIndex = ordinal / 2 % kOptionStrikes;
  const int monthIndex = static_cast<int>(ordinal / 2 / kOptionStrikes % kDomesticMonths);
  const OptionProduct& option = kFutureOptions[ordinal / 2 / kOptionStrikes / kDomesticMonths];
  const FuturesProduct* future = &kFutures[0];
  for (const FuturesProduct& p : kFutures) {
    if (std::string_view(p.code) == option.underlying) future = &p;
  }
  const int year = kDomesticFirstYear + monthIndex / 12;
  const int month = monthIndex % 12 + 1;
  const std::string exchange = future->exchange;
  const double atTheMoney = std::round(future->level / option.strikeStep) * option.strikeStep;
  const double strike =
      atTheMoney + static_cast<double>(strikeIndex - kOptionStrikes / 2) * option.strikeStep;
  const std::string strikeText = formatStrike(strike);
  const std::string contractMonth =
      exchange == "CZCE"
          ? domesticCode(*future, year, month).substr(std::string(future->code).size())
          : yymm(year, month);
  const char* side = call ? "C" : "P";
  // Exchanges write option codes differently: m2405-C-3300 (Dalian, CFFEX,
  // Guangzhou), cu2405C72000 (Shanghai), SR405C6200 (Zhengzhou).
  if (exchange == "DCE" || exchange == "CFFEX" || exchange == "GFEX") {
    r.code = option.optionCode + contractMonth + "-" + side + "-" + strikeText;
  } else {
    r.code = option.optionCode + contractMonth + side + strikeText;
  }
  r.name = future->name + yymm(year, month) + (call ? "看涨" : "看跌") + strikeText;
  r.marketId = exchange;
  r.productCode = std::string(option.optionCode) + "_O";
  r.underlyingCode = domesticCode(*future, year, month);
  r.currency = "CNY";
  r.strikePrice = strike;
  r.priceTick = option.tick;
  r.volumeMultiple = exchange == "CFFEX" ? 100 : future->multiplier;
  r.longMarginRate = future->margin;
  r.shortMarginRate = future->margin;
  r.maxLimitOrderVolume = exchange == "CFFEX" ? 20 : 100;

  const double forward = future->level * random.uniform(0.95, 1.05);
  const double intrinsic = call ? std::max(0.0, forward - strike) : std::max(0.0, strike - forward);
  const double premium = intrinsic + future->level * random.uniform(0.005, 0.04);
  r.preSettlement = roundToTick(premium, option.tick, true);
  r.preClose = roundToTick(r.preSettlement * random.uniform(0.9, 1.1), option.tick, true);
  const double band = forward * future->limit;
  r.upperLimit = roundToTick(r.preSettlement + band, option.tick);
  r.lowerLimit = roundToTick(std::max(option.tick, r.preSettlement - band), option.tick, true);
  // Commodity options expire early in the month before delivery; index
  // options with their futures on the third Friday.
  const int expiry = exchange == "CFFEX"
                         ? nthWeekdayOfMonth(year, month, 4, 3)
                         : nextBusinessDay(addMonths(dayNumber(year, month, 7), -1));
  r.expireDate = formatDate(expiry);
}

void CDerivativeFactory::makeStockOption(const CodeSegment& segment, long long ordinal,
                                         CRandomSource& random, InstrumentRecord& r) {
  std::vector<const StockOptionUnderlying*> underlyings;
  for (const auto& u : kStockOptionUnderlyings) {
    if (segment.marketId == u.market) underlyings.push_back(&u);
  }
  if (underlyings.empty()) return;
  const bool call = ordinal % 2 == 0;
  const long long strikeIndex = ordinal / 2 % kOptionStrikes;
  const int monthIndex = static_cast<int>(ordinal / 2 / kOptionStrikes % kStockOptionMonths);
  const StockOptionUnderlying& u =
      *underlyings[static_cast<std::size_t>(ordinal / 2 / kOptionStrikes / kStockOptionMonths) %
                   underlyings.size()];
  const int year = kStockOptionFirstYear + monthIndex / 12;
  const int month = monthIndex % 12 + 1;
  const double atTheMoney = std::round(u.level / u.strikeStep) * u.strikeStep;
  const double strike =
      roundTo(atTheMoney + static_cast<double>(strikeIndex - kOptionStrikes / 2) * u.strikeStep, 3);

  r.marketId = segment.marketId;
  r.code = CCodeSpace::numericCode(segment, ordinal);
  // 50ETF购3月2600: underlying, call (购) or put (沽), month, strike x 1000;
  // an "A" marks a contract adjusted after a dividend.
  const bool adjusted = random.chance(0.05);
  r.name = std::string(u.shortName) + (call ? "购" : "沽") + std::to_string(month) + "月" +
           std::to_string(static_cast<long long>(std::llround(strike * 1000))) +
           (adjusted ? "A" : "");
  r.productCode = u.code;
  r.underlyingCode = u.code;
  r.currency = "CNY";
  r.strikePrice = strike;
  r.priceTick = 0.0001;
  r.contractUnit = adjusted ? 10000.0 + static_cast<double>(random.between(100, 400)) : 10000.0;
  r.volumeMultiple = static_cast<int>(r.contractUnit);
  r.expireDate = formatDate(nthWeekdayOfMonth(year, month, 2, 4));

  const double spot = u.level * random.uniform(0.95, 1.05);
  const double intrinsic = call ? std::max(0.0, spot - strike) : std::max(0.0, strike - spot);
  const double premium =
      roundTo(std::max(0.0001, intrinsic + spot * random.uniform(0.005, 0.05)), 4);
  r.preSettlement = premium;
  r.preClose = roundTo(std::max(0.0001, premium * random.uniform(0.9, 1.1)), 4);
  // The exchange's band: the larger of 0.5% of the underlying and 10% of
  // min(2 x spot - strike, spot) above; 10% of the spot below.
  const double up = std::max(spot * 0.005, std::min(2 * spot - strike, spot) * 0.1);
  r.upperLimit = roundTo(premium + up, 4);
  r.lowerLimit = roundTo(std::max(0.0001, premium - spot * 0.1), 4);
  // Margin per contract for a seller: premium plus a share of the underlying.
  r.marginUnit =
      roundTo((premium + std::max(0.12 * spot - std::max(0.0, call ? strike - spot : spot - strike),
                                  0.07 * spot)) *
                  r.contractUnit,
              2);
  r.maxLimitBuyVolume = 50;
  r.maxLimitSellVolume = 50;
  r.maxMarketBuyVolume = 10;
  r.maxMarketSellVolume = 10;
}

void CDerivativeFactory::makeForeignFuture(long long ordinal, bool spread, CRandomSource& random,
                                           InstrumentRecord& r) {
  const long long gap = spread ? ordinal % kSpreadGaps + 1 : 0;
  const long long contract = spread ? ordinal / kSpreadGaps : ordinal;
  const ForeignProduct& product = kForeignFutures[contract / kForeignMonths];
  const int monthIndex = static_cast<int>(contract % kForeignMonths);
  const int year = kForeignFirstYear + monthIndex / 12;
  const int month = monthIndex % 12 + 1;
  const auto codeOf = [&](int y, int m) {
    return std::string(product.code) + kMonthLetters[m - 1] + std::to_string(y % 10);
  };

  r.marketId = product.market;
  r.productCode = product.code;
  r.productName = product.name;
  r.exchangeCode = exchangeCodeOf(r.marketId);
  r.exchangeName = exchangeNameOf(r.marketId);
  r.currency = product.currency;
  r.priceTick = product.tick;
  r.volumeMultiple = product.multiplier;
  r.contractUnit = product.multiplier;
  // Cash-settled contracts expire on the third Friday of their month; the
  // physical ones stop trading around the 20th of the month before delivery.
  const int expiry = product.cashSettled
                         ? nthWeekdayOfMonth(year, month, 4, 3)
                         : nextBusinessDay(addMonths(dayNumber(year, month, 20), -1));
  r.expireDate = formatDate(expiry);
  r.deliveryDate =
      formatDate(product.cashSettled ? expiry : nextBusinessDay(dayNumber(year, month, 1) + 14));

  // "小型标普500 2706": a space keeps a name that ends in digits apart from
  // the contract month.
  std::string name = product.name;
  if (!name.empty() && name.back() >= '0' && name.back() <= '9') name += " ";
  if (!spread) {
    r.code = codeOf(year, month);
    r.name = name + yymm(year, month);
    r.preSettlement = roundToTick(product.level * random.uniform(0.85, 1.15), product.tick, true);
    r.preClose = roundToTick(r.preSettlement * random.uniform(0.99, 1.01), product.tick, true);
    return;
  }
  const int second = monthIndex + static_cast<int>(gap);
  const int year2 = kForeignFirstYear + second / 12;
  const int month2 = second % 12 + 1;
  r.code = codeOf(year, month) + "-" + codeOf(year2, month2);
  r.name = name + yymm(year, month) + "-" + yymm(year2, month2);
  r.preSettlement = roundToTick(product.level * random.uniform(-0.03, 0.03), product.tick);
  r.preClose = r.preSettlement;
}

}  // namespace datagen
