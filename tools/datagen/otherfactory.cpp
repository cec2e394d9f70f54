#include "datagen/otherfactory.h"

#include "datagen/derivativefactory.h"
#include "datagen/pricing.h"

#include <cstdio>
#include <iterator>

namespace datagen {

namespace {

struct GoldContract {
  const char* code;
  const char* name;
  double tick;
  double level;
  int multiplier;  // grams (kilograms for silver) per lot
  bool deferred;   // deferred-settlement contracts carry a settlement price
};

const GoldContract kGold[] = {
    {"Au99.99", "黄金99.99", 0.01, 560, 1000, false},
    {"Au99.95", "黄金99.95", 0.01, 559, 1000, false},
    {"Au100g", "黄金100克", 0.01, 561, 100, false},
    {"Au99.5", "黄金99.5", 0.01, 558, 12500, false},
    {"Au(T+D)", "黄金延期", 0.01, 560, 1000, true},
    {"mAu(T+D)", "迷你黄金延期", 0.01, 560, 100, true},
    {"Au(T+N1)", "黄金T+N1", 0.01, 562, 1000, true},
    {"Au(T+N2)", "黄金T+N2", 0.01, 563, 1000, true},
    {"Ag(T+D)", "白银延期", 1, 7400, 1, true},
    {"Ag99.99", "白银99.99", 1, 7380, 15, false},
    {"Pt99.95", "铂金99.95", 0.01, 230, 1000, false},
    {"iAu99.99", "国际板黄金99.99", 0.01, 560, 1000, false},
    {"iAu100g", "国际板黄金100克", 0.01, 561, 100, false},
    {"iAu99.5", "国际板黄金99.5", 0.01, 558, 12500, false},
    {"NYAuTN06", "纽约金TN06", 0.01, 562, 1000, true},
    {"NYAuTN12", "纽约金TN12", 0.01, 563, 1000, true},
    {"PGC30g", "熊猫金币30克", 0.01, 580, 30, false},
};

struct CurrencyPair {
  const char* code;
  const char* name;
  const char* quoteCurrency;
  double level;
  double tick;
};

const CurrencyPair kPairs[] = {
    {"USDCNY", "美元兑人民币", "CNY", 7.10, 0.0001},
    {"EURCNY", "欧元兑人民币", "CNY", 7.70, 0.0001},
    {"100JPYCNY", "100日元兑人民币", "CNY", 4.70, 0.0001},
    {"HKDCNY", "港币兑人民币", "CNY", 0.91, 0.0001},
    {"GBPCNY", "英镑兑人民币", "CNY", 9.00, 0.0001},
    {"AUDCNY", "澳元兑人民币", "CNY", 4.70, 0.0001},
    {"CADCNY", "加元兑人民币", "CNY", 5.20, 0.0001},
    {"CHFCNY", "瑞郎兑人民币", "CNY", 7.90, 0.0001},
    {"SGDCNY", "新加坡元兑人民币", "CNY", 5.25, 0.0001},
    {"NZDCNY", "纽元兑人民币", "CNY", 4.30, 0.0001},
    {"EURUSD", "欧元兑美元", "USD", 1.08, 0.00001},
    {"GBPUSD", "英镑兑美元", "USD", 1.26, 0.00001},
    {"USDJPY", "美元兑日元", "JPY", 155.0, 0.001},
    {"AUDUSD", "澳元兑美元", "USD", 0.66, 0.00001},
    {"USDCHF", "美元兑瑞郎", "CHF", 0.90, 0.00001},
    {"USDCAD", "美元兑加元", "CAD", 1.36, 0.00001},
    {"NZDUSD", "纽元兑美元", "USD", 0.60, 0.00001},
    {"USDHKD", "美元兑港币", "HKD", 7.82, 0.00001},
    {"EURJPY", "欧元兑日元", "JPY", 168.0, 0.001},
    {"EURGBP", "欧元兑英镑", "GBP", 0.85, 0.00001},
};

struct Tenor {
  const char* code;  // empty for spot
  const char* name;
  int days;
};

const Tenor kForwardTenors[] = {{"", "", 0},
                                {"1W", "1周远期", 7},
                                {"1M", "1个月远期", 30},
                                {"3M", "3个月远期", 91},
                                {"6M", "6个月远期", 182},
                                {"9M", "9个月远期", 273},
                                {"1Y", "1年远期", 365},
                                {"2Y", "2年远期", 730}};

struct SwapBenchmark {
  const char* code;
  const char* name;
  double level;  // rate in percent at the short end
  double slope;  // added per year of tenor
};

const SwapBenchmark kSwapBenchmarks[] = {
    {"FR007", "FR007", 1.85, 0.06},       {"FDR007", "FDR007", 1.80, 0.06},
    {"Shibor3M", "Shibor3M", 2.05, 0.05}, {"ShiborON", "ShiborO/N", 1.70, 0.07},
    {"LPR1Y", "LPR1Y", 3.30, 0.03},       {"LPR5Y", "LPR5Y", 3.80, 0.02},
    {"Depo1Y", "Depo1Y", 1.45, 0.04},
};

const Tenor kSwapTenors[] = {{"3M", "3个月", 91},  {"6M", "6个月", 182}, {"9M", "9个月", 273},
                             {"1Y", "1年", 365},   {"2Y", "2年", 730},   {"3Y", "3年", 1095},
                             {"4Y", "4年", 1460},  {"5Y", "5年", 1826},  {"7Y", "7年", 2557},
                             {"10Y", "10年", 3652}};

constexpr long long kSpotFirstYear = 2021;
constexpr long long kSpotMonths = 72;  // receipts registered 2021-2026

}  // namespace

long long COtherFactory::goldCount() { return static_cast<long long>(std::size(kGold)); }
long long COtherFactory::foreignExchangeCount() {
  return static_cast<long long>(std::size(kPairs) * std::size(kForwardTenors));
}
long long COtherFactory::commoditySpotCount() {
  return CDerivativeFactory::domesticProductCount() * kSpotMonths;
}
long long COtherFactory::swapCount() {
  return static_cast<long long>(std::size(kSwapBenchmarks) * std::size(kSwapTenors));
}

void COtherFactory::make(const CodeSegment& segment, long long ordinal, int tradeType,
                         CRandomSource& random, InstrumentRecord& r) {
  r = InstrumentRecord();
  r.tradeType = tradeType;
  switch (segment.kind) {
    case SegmentKind::GoldExchange: {
      const GoldContract& gold = kGold[ordinal % goldCount()];
      r.marketId = "SGE";
      r.code = gold.code;
      r.name = gold.name;
      r.currency = "CNY";
      r.priceTick = gold.tick;
      r.volumeMultiple = gold.multiplier;
      r.preClose = roundToTick(gold.level * random.uniform(0.97, 1.03), gold.tick, true);
      if (gold.deferred)
        r.preSettlement = roundToTick(r.preClose * random.uniform(0.995, 1.005), gold.tick);
      const double base = gold.deferred ? r.preSettlement : r.preClose;
      r.upperLimit = roundToTick(base * 1.07, gold.tick);
      r.lowerLimit = roundToTick(base * 0.93, gold.tick);
      break;
    }
    case SegmentKind::ForeignExchange: {
      const CurrencyPair& pair = kPairs[ordinal / std::size(kForwardTenors) % std::size(kPairs)];
      const Tenor& tenor = kForwardTenors[ordinal % std::size(kForwardTenors)];
      r.marketId = "FIB";
      r.code = tenor.code[0] == '\0' ? std::string(pair.code)
                                     : std::string(pair.code) + "_" + tenor.code;
      r.name = std::string(pair.name) + tenor.name;
      r.currency = pair.quoteCurrency;
      r.priceTick = pair.tick;
      // Forward points: a small carry that grows with the tenor.
      const double carry = 1.0 + (tenor.days / 365.0) * random.uniform(-0.02, 0.01);
      r.preClose = roundToTick(pair.level * random.uniform(0.99, 1.01) * carry, pair.tick, true);
      // The renminbi trades within 2% of its central parity.
      const double band = std::string_view(pair.quoteCurrency) == "CNY" ? 0.02 : 0.05;
      r.upperLimit = roundToTick(r.preClose * (1 + band), pair.tick);
      r.lowerLimit = roundToTick(r.preClose * (1 - band), pair.tick);
      break;
    }
    case SegmentKind::CommoditySpot: {
      const auto product =
          CDerivativeFactory::domesticProduct(static_cast<int>(ordinal / kSpotMonths));
      const long long monthIndex = ordinal % kSpotMonths;
      char month[8];
      std::snprintf(month, sizeof month, "%02lld%02lld", (kSpotFirstYear + monthIndex / 12) % 100,
                    monthIndex % 12 + 1);
      std::string upper = product.code;
      for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
      // Standard warehouse receipts traded for spot, by product and month of
      // registration.
      r.marketId = product.exchange;
      r.code = upper + "WR" + month;
      r.name = product.name + "仓单" + month;
      r.productCode = product.code;
      r.currency = "CNY";
      r.priceTick = product.tick;
      r.volumeMultiple = product.multiplier;
      r.preClose = roundToTick(product.priceLevel * random.uniform(0.85, 1.15), product.tick, true);
      r.preSettlement = r.preClose;
      r.upperLimit = roundToTick(r.preClose * 1.05, product.tick);
      r.lowerLimit = roundToTick(r.preClose * 0.95, product.tick);
      break;
    }
    default: {
      const SwapBenchmark& benchmark =
          kSwapBenchmarks[ordinal / std::size(kSwapTenors) % std::size(kSwapBenchmarks)];
      const Tenor& tenor = kSwapTenors[ordinal % std::size(kSwapTenors)];
      r.marketId = "BANK";
      r.code = std::string(benchmark.code) + "_" + tenor.code;
      r.name = std::string(benchmark.name) + "利率互换" + tenor.name;
      r.productCode = benchmark.code;
      r.currency = "CNY";
      r.priceTick = 0.0001;
      r.preClose = roundTo(
          benchmark.level + benchmark.slope * tenor.days / 365.0 + random.uniform(-0.05, 0.05), 4);
      break;
    }
  }
}

}  // namespace datagen
