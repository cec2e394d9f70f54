// Times mxservice::loadDataSet on a synthetic data set. The files are written
// once per instrument count, outside the timed loop; the loop times the whole
// load (file reading, JSON parsing, the generic readers and the checks).
//
// Run from a Release build: build/release/bench/bench_dataset_load
#include "host/data/datasetloader.h"

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace {

// Writes a data set of `instruments` instruments (a realistic mix of stocks,
// futures with commissions and options) and instruments / 50 records of each
// other kind.
void writeDataSet(const std::string& dir, int instruments) {
  const char* markets[] = {"SH", "SZ", "SHFE", "DCE", "CZCE", "CFFEX", "BJ"};
  {
    std::ofstream out(dir + "/exchanges.jsonl");
    for (const char* m : markets)
      out << "{\"marketId\": \"" << m << "\", \"name\": \"交易所" << m << "\"}\n";
    out << "{\"marketId\": \"OTC\", \"name\": \"场外\"}\n";
  }
  {
    std::ofstream out(dir + "/instruments.jsonl");
    for (int i = 0; i < instruments; ++i) {
      const int kind = i % 10;
      const char* market = markets[i % 7];
      if (kind < 6) {
        out << "{\"tradeType\": 1, \"marketId\": \"" << market << "\", \"code\": \"" << (600000 + i)
            << "\", \"name\": \"测试股票" << i
            << "\", \"priceTick\": 0.01, \"preClose\": " << (5.0 + i % 100)
            << ", \"upperLimit\": " << (5.5 + i % 100) << ", \"lowerLimit\": " << (4.5 + i % 100)
            << ", \"floatCapital\": 29352080397, \"totalCapital\": 29352080397, \"faceValue\": 1,"
               " \"attributeFlags\": 2, \"stockKind\": 1172}\n";
      } else if (kind < 9) {
        out << "{\"tradeType\": 2, \"marketId\": \"" << market << "\", \"code\": \"f" << i
            << "\", \"name\": \"期货" << i
            << "\", \"productCode\": \"cu\", \"currency\": \"CNY\","
               " \"expireDate\": \"20250115\", \"deliveryDate\": \"20250120\", \"priceTick\": 10,"
               " \"upperLimit\": 79900, \"lowerLimit\": 69500, \"preSettlement\": 74700, "
               "\"longMarginRate\": 0.1,"
               " \"shortMarginRate\": 0.1, \"volumeMultiple\": 5, \"maxLimitOrderVolume\": 500,"
               " \"commission\": {\"mode\": 2, \"open\": 0.5, \"close\": 0.5, \"intradayOpen\": 0,"
               " \"intradayClose\": 0}}\n";
      } else {
        out << "{\"tradeType\": 32, \"marketId\": \"" << market << "\", \"code\": \""
            << (10000000 + i) << "\", \"name\": \"50ETF购1月" << i
            << "\", \"underlyingCode\": \"510050\", \"expireDate\": \"20250122\","
               " \"priceTick\": 0.0001, \"contractUnit\": 10000, \"marginUnit\": 2500.5, "
               "\"strikePrice\": 2.75,"
               " \"maxMarketBuyVolume\": 10, \"maxLimitBuyVolume\": 30, \"maxMarketSellVolume\": "
               "10,"
               " \"maxLimitSellVolume\": 30}\n";
      }
    }
  }
  const int others = instruments / 50;
  {
    std::ofstream out(dir + "/fundplans.jsonl");
    for (int i = 0; i < others; ++i) {
      out << "{\"marketId\": \"OTC\", \"code\": \"" << (100000 + i) << "\", \"name\": \"基金" << i
          << "\", \"baseInfoType\": 1, \"fundType\": 2, \"prevUnitNetValue\": 1.032, "
             "\"bonusTypes\": [0, 1],"
             " \"supportConversion\": true, \"fundManager\": \"华夏基金\"}\n";
    }
  }
  {
    std::ofstream out(dir + "/interbank_bonds.jsonl");
    for (int i = 0; i < others; ++i) {
      out << "{\"market\": \"NIB\", \"bondCode\": \"" << (240000 + i) << "\", \"bondName\": \"国债"
          << i
          << "\", \"termYears\": 3, \"couponRate\": 2.28, \"interestDays\": 365, \"issueDate\": "
             "\"20240115\"}\n";
    }
  }
  {
    std::ofstream out(dir + "/tender_bonds.jsonl");
    for (int i = 0; i < others; ++i) {
      out << "{\"bondCode\": \"" << (2400000 + i) << "\", \"shortName\": \"24国开" << i
          << "\", \"status\": 0, \"bondType\": 1, \"issuePrice\": 100, \"basicBidUnit\": 1000000,"
             " \"tenderDate\": \"@\", \"tenderEndDate\": \"@+1\", \"maturityDate\": "
             "\"20291231\"}\n";
    }
  }
  {
    std::ofstream out(dir + "/order_commands.jsonl");
    for (int i = 0; i < others; ++i) {
      out << "{\"tradeType\": 134217728, \"commandId\": " << (1000 + i)
          << ", \"status\": 2, \"params\": {\"btdparam\": {\"bondCode\": \"" << (2400000 + i)
          << "\"}}}\n";
    }
  }
  {
    std::ofstream out(dir + "/bond_trade_infos.jsonl");
    for (int i = 0; i < others; ++i) {
      out << "{\"marketId\": \"SH\", \"code\": \"" << (19000 + i)
          << "\", \"tradeMode\": \"竞价\","
             " \"conversionRate\": 0.98, \"minTradeVolume\": 1}\n";
    }
  }
  std::ofstream(dir + "/config.json")
      << "{\"userName\": \"trader\", \"favourites\": {\"1\": [\"600000.SH\"]}}";
  std::ofstream(dir + "/enums.json") << "{\"mxservice::EIbBondType\": {\"1\": \"国债\"}}";
}

// One data set per size, kept for the whole run.
const std::string& dataSetDir(int instruments) {
  static std::map<int, std::unique_ptr<QTemporaryDir>> dirs;
  auto& dir = dirs[instruments];
  if (!dir) {
    dir.reset(new QTemporaryDir);
    writeDataSet(dir->path().toStdString(), instruments);
  }
  static std::map<int, std::string> paths;
  return paths[instruments] = dir->path().toStdString();
}

void BM_LoadDataSet(benchmark::State& state) {
  const int instruments = static_cast<int>(state.range(0));
  const std::string dir = dataSetDir(instruments);  // written outside the timed loop
  std::size_t loaded = 0;
  for (auto _ : state) {
    const mxservice::DataSet set = mxservice::loadDataSet(dir);
    if (!set.errors.empty()) {
      state.SkipWithError(set.errors.front().c_str());
      break;
    }
    loaded = set.instruments.size();
    benchmark::DoNotOptimize(loaded);
  }
  state.counters["instruments"] = static_cast<double>(loaded);
  state.counters["records/s"] = benchmark::Counter(
      static_cast<double>(instruments + 5 * (instruments / 50)) * state.iterations(),
      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadDataSet)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
