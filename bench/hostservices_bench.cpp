// The instruments panel asks the data centre for every instrument of its
// trading type on each keystroke, so the query must stay around a
// millisecond for 100,000 instruments. Measured: the single-type query (a
// prepared list), the mixed list (a cached combination), the copy-free
// shared list, and the stock-key lookup of the exchange client.

#include "host/services/datacenter.h"
#include "host/services/exchangeclient.h"

#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

#include <string>
#include <vector>

namespace {
// n instruments; with `mixed` spread over six trading types as a real
// all-markets list mixes them, else all stocks (the worst case of a
// single-type query: every instrument is in the answer).
std::vector<mxservice::CInstrumentDetailPtr> makeInstruments(int n, bool mixed) {
  static const int types[] = {1, 2, 8, 64, 512, 2048};
  std::vector<mxservice::CInstrumentDetailPtr> list;
  list.reserve(n);
  for (int i = 0; i < n; ++i) {
    auto detail = boost::make_shared<mxservice::CInstrumentDetail>();
    detail->tradeType = mixed ? types[i % 6] : mxservice::NQ_TRADER_STOCK;
    detail->marketId = i % 2 ? "SH" : "SZ";
    detail->code = std::to_string(100000 + i);
    detail->name = "instrument " + std::to_string(i);
    list.push_back(detail);
  }
  return list;
}

void BM_InstrumentsBySingleType(benchmark::State& state) {
  mxservice::CDataCenter center;
  center.setInstruments(makeInstruments(static_cast<int>(state.range(0)), false));
  for (auto _ : state) {
    auto list = center.getInstrumentsByTradeType(mxservice::NQ_TRADER_STOCK);
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["rows"] = static_cast<double>(center.instrumentListByTradeType(1)->size());
}
BENCHMARK(BM_InstrumentsBySingleType)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

void BM_InstrumentsByMixedList(benchmark::State& state) {
  mxservice::CDataCenter center;
  center.setInstruments(makeInstruments(static_cast<int>(state.range(0)), true));
  center.getInstrumentsByTradeType(mxservice::NQ_TRADER_MIXED_ALL);  // fills the cache
  for (auto _ : state) {
    auto list = center.getInstrumentsByTradeType(mxservice::NQ_TRADER_MIXED_ALL);
    benchmark::DoNotOptimize(list.data());
  }
}
BENCHMARK(BM_InstrumentsByMixedList)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

void BM_InstrumentsSharedList(benchmark::State& state) {
  mxservice::CDataCenter center;
  center.setInstruments(makeInstruments(static_cast<int>(state.range(0)), false));
  for (auto _ : state) {
    auto list = center.instrumentListByTradeType(mxservice::NQ_TRADER_STOCK);
    benchmark::DoNotOptimize(list.get());
  }
}
BENCHMARK(BM_InstrumentsSharedList)->Arg(100000)->Unit(benchmark::kNanosecond);

void BM_SetInstruments(benchmark::State& state) {
  const auto instruments = makeInstruments(static_cast<int>(state.range(0)), true);
  mxservice::CDataCenter center;
  for (auto _ : state) center.setInstruments(instruments);
}
BENCHMARK(BM_SetInstruments)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ExchangeClientLookupByKey(benchmark::State& state) {
  LW::CExchangeClient client;
  client.setInstruments(makeInstruments(100000, true));
  const QString key = QStringLiteral("150000.SZ");
  for (auto _ : state) benchmark::DoNotOptimize(client.getInstrument(key).get());
}
BENCHMARK(BM_ExchangeClientLookupByKey)->Unit(benchmark::kNanosecond);
}  // namespace

BENCHMARK_MAIN();
