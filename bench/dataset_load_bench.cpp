// Times loading a data set (mxservice::loadDataSet) and loading plus
// installing it (CHostServices::installFromDirectory) on the mixed set of a
// full client, as lw-datagen --trade-type mixed writes it, at 1k, 10k and
// 100k instruments. The sets are written once per size, outside the timed
// loop; the loop times the whole load (file reading, JSON parsing, the
// record readers and the checks).
//
// The 1M set (about 370 MB on disk) is registered only when LW_BENCH_1M=1 is
// set, so that the default run and the smoke test stay short:
//   LW_BENCH_1M=1 build/release/bench/bench_dataset_load --benchmark_filter=/1000000
// LW_BENCH_DATASET_DIR=<dir> keeps the generated sets there between runs
// (one sub-directory per size) instead of a temporary directory.

#include "qtbenchmarkmain.h"

#include "datagen/datagenerator.h"
#include "host/data/datasetloader.h"
#include "host/services/hostservices.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// Records of every kind in a loaded set (what the loader read and kept).
std::size_t recordCount(const mxservice::DataSet& set) {
  std::size_t count = set.exchanges.size() + set.instruments.size() + set.interBankBonds.size() +
                      set.tenderBonds.size() + set.orderCommands.size();
  for (const auto& market : set.bondTradeInfos) count += market.second.size();
  return count;
}

// The mixed set of `instruments` instruments, with the tender book scaled
// with it (5,000 bonds and 50,000 commands at 1M, as lw-datagen's defaults).
std::string dataSetDir(int instruments) {
  static std::map<int, std::unique_ptr<QTemporaryDir>> temporary;
  std::string dir;
  const QByteArray keep = qgetenv("LW_BENCH_DATASET_DIR");
  if (!keep.isEmpty()) {
    dir = keep.toStdString() + "/mixed" + std::to_string(instruments);
    if (QDir(QString::fromStdString(dir)).exists(QStringLiteral("enums.json"))) return dir;
  } else {
    auto& tmp = temporary[instruments];
    if (tmp) return tmp->path().toStdString();
    tmp.reset(new QTemporaryDir);
    dir = tmp->path().toStdString();
  }
  datagen::GeneratorOptions options;
  options.outputDirectory = dir;
  options.instruments = instruments;
  options.mixed = true;
  options.tenderBonds = instruments / 200;
  options.orderCommands = instruments / 20;
  std::string error;
  if (!datagen::CDataGenerator::generate(options, nullptr, &error))
    throw std::runtime_error("cannot write the data set: " + error);
  return dir;
}

void setCounters(benchmark::State& state, std::size_t records) {
  state.counters["records"] = static_cast<double>(records);
  state.counters["records/s"] =
      benchmark::Counter(static_cast<double>(records) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  // Seconds per record; shown in microseconds by the reader of the report.
  state.counters["us/record"] = benchmark::Counter(
      static_cast<double>(records) * static_cast<double>(state.iterations()) / 1e6,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_LoadDataSet(benchmark::State& state) {
  const std::string dir = dataSetDir(static_cast<int>(state.range(0)));
  std::size_t records = 0;
  for (auto _ : state) {
    auto set = std::make_unique<mxservice::DataSet>(mxservice::loadDataSet(dir));
    if (!set->errors.empty()) {
      state.SkipWithError(set->errors.front().c_str());
      break;
    }
    records = recordCount(*set);
    benchmark::DoNotOptimize(records);
    // Freeing the set is not part of loading it.
    state.PauseTiming();
    set.reset();
    state.ResumeTiming();
  }
  setCounters(state, records);
}

// Load and install, as the demo starts; the services are emptied outside the
// timed part so each round installs into empty services.
void BM_LoadAndInstall(benchmark::State& state) {
  const std::string dir = dataSetDir(static_cast<int>(state.range(0)));
  std::size_t records = 0;
  for (auto _ : state) {
    mxservice::DataSet set = mxservice::loadDataSet(dir);
    mxservice::CHostServices::install(set);
    records = recordCount(set);
    state.PauseTiming();
    const bool failed = !set.errors.empty();
    const std::string firstError = failed ? set.errors.front() : std::string();
    set = mxservice::DataSet();
    mxservice::CHostServices::reset();
    state.ResumeTiming();
    if (failed) {
      state.SkipWithError(firstError.c_str());
      break;
    }
  }
  setCounters(state, records);
}

// CPU time is the whole process's (the loader parses on several threads);
// real time is what a user waits.
void registerBenchmarks() {
  const bool million = qgetenv("LW_BENCH_1M") == "1";
  const std::pair<const char*, void (*)(benchmark::State&)> benchmarks[] = {
      {"BM_LoadDataSet", &BM_LoadDataSet}, {"BM_LoadAndInstall", &BM_LoadAndInstall}};
  for (const auto& b : benchmarks) {
    benchmark::RegisterBenchmark(b.first, b.second)
        ->Arg(1000)
        ->Arg(10000)
        ->Arg(100000)
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime()
        ->UseRealTime();
    // A few rounds only: each writes and frees about a gigabyte.
    if (million) {
      benchmark::RegisterBenchmark(b.first, b.second)
          ->Arg(1000000)
          ->Iterations(3)
          ->Unit(benchmark::kMillisecond)
          ->MeasureProcessCPUTime()
          ->UseRealTime();
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  registerBenchmarks();
  return lwbench::runWithQApplication(argc, argv);
}
