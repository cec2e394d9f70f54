// The quick search on generated mixed sets (every kind of instrument the
// data centre holds, fund plans included).
//
//   QuickSearch/<text>/<n>   one keystroke: the text to the ranked rows
//                            (limit 30, the popup's default), rows made.
//   ProxyFilter/<text>/<n>   the stock Qt way for comparison: a
//                            QSortFilterProxyModel over a QStringListModel of
//                            "code name" rows, setFilterFixedString() with a
//                            case-insensitive substring filter, then the
//                            first 30 rows read. It finds only substrings, no
//                            initials or pinyin, and ranks nothing.
//   BuildIndex/<n>           the index build (what the engine's worker does
//                            per announcement), with counters bytes (the
//                            index's memory) and bytes/instrument.
//   Digest/<n>               the digest of the sources, which spares the
//                            build when the data is as indexed.
// Texts: codes "6", "60", "6000"; initials "p", "zg", "zgyh"; a name "中国";
// full pinyin "zhong", "zhongguo"; a text nothing matches, "zzzz", which
// makes the search walk every class to the end.
//
// Sizes 1k, 10k and 100k; 1M with LW_BENCH_1M=1 (generated, a minute or so),
// or the data set in LW_BENCH_DATASET=<dir> (e.g. lw-datagen --trade-type
// mixed --instruments 1000000) instead. Input is built once per size outside
// the timed loop.

#include "quicksearch/quicksearchindex.h"

#include "datagen/datagenerator.h"
#include "host/data/datasetloader.h"

#include "qtbenchmarkmain.h"

#include <benchmark/benchmark.h>

#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTemporaryDir>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using LW::CQuickSearchIndex;

QString plainMarketName(const std::string& market, const mxservice::CInstrumentDetailPtr&) {
  return QString::fromStdString(market);
}

struct Input {
  std::vector<CQuickSearchIndex::Source> sources;
  std::shared_ptr<const CQuickSearchIndex> index;
  QStringList rows;  // "code name", for the proxy baseline
};

std::string generatedSet(long long instruments, QTemporaryDir& dir) {
  datagen::GeneratorOptions options;
  options.outputDirectory = dir.path().toStdString();
  options.instruments = instruments;
  options.mixed = true;
  options.tenderBonds = 0;
  options.orderCommands = 0;
  std::string error;
  if (!datagen::CDataGenerator::generate(options, nullptr, &error))
    throw std::runtime_error("cannot write the data set: " + error);
  return options.outputDirectory;
}

// The input of size n (1000000 stands for the large set: LW_BENCH_DATASET
// when set, else generated).
const Input& inputOf(long long n) {
  static std::map<long long, std::unique_ptr<Input>> inputs;
  auto& input = inputs[n];
  if (input) return *input;
  input.reset(new Input);
  QTemporaryDir dir;
  std::string path;
  const QByteArray dataset = qgetenv("LW_BENCH_DATASET");
  if (n >= 1000000 && !dataset.isEmpty()) {
    path = dataset.toStdString();
  } else {
    path = generatedSet(n, dir);
  }
  const mxservice::DataSet set = mxservice::loadDataSet(path);
  for (const mxservice::CInstrumentDetailPtr& instrument : set.instruments) {
    if (!instrument) continue;
    input->sources.push_back(CQuickSearchIndex::Source{instrument, instrument->tradeType});
    input->rows << QString::fromStdString(instrument->code + " " + instrument->name);
  }
  input->index = CQuickSearchIndex::build(input->sources, &plainMarketName);
  return *input;
}

struct Text {
  const char* label;
  const char* text;
};
const Text kTexts[] = {
    {"code1", "6"},          {"code2", "60"},       {"code4", "6000"}, {"initials1", "p"},
    {"initials2", "zg"},     {"initials4", "zgyh"}, {"name2", "中国"}, {"pinyin5", "zhong"},
    {"pinyin8", "zhongguo"}, {"none4", "zzzz"},
};

void quickSearch(benchmark::State& state, const char* text) {
  const Input& input = inputOf(state.range(0));
  const QString query = QString::fromUtf8(text);
  std::size_t rows = 0;
  for (auto _ : state) {
    const auto matches = input.index->search(query, 30);
    rows = matches.size();
    benchmark::DoNotOptimize(matches.data());
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["instruments"] = input.index->size();
}

void proxyFilter(benchmark::State& state, const char* text) {
  const Input& input = inputOf(state.range(0));
  QStringListModel model(input.rows);
  QSortFilterProxyModel proxy;
  proxy.setSourceModel(&model);
  proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
  const QString query = QString::fromUtf8(text);
  int rows = 0;
  for (auto _ : state) {
    proxy.setFilterFixedString(query);
    rows = proxy.rowCount();
    for (int r = 0; r < std::min(rows, 30); ++r)
      benchmark::DoNotOptimize(proxy.data(proxy.index(r, 0)));
    // Back to the unfiltered list outside the clock, as before a keystroke.
    state.PauseTiming();
    proxy.setFilterFixedString(QString());
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
}

void buildIndex(benchmark::State& state) {
  const Input& input = inputOf(state.range(0));
  std::size_t bytes = 0;
  int size = 0;
  for (auto _ : state) {
    auto index = CQuickSearchIndex::build(input.sources, &plainMarketName);
    bytes = index->memoryBytes();
    size = index->size();
    state.PauseTiming();
    index.reset();
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["bytes/instrument"] = size ? static_cast<double>(bytes) / size : 0.0;
}

// What a request costs when the data is as indexed: the digest of every
// source, against the build it saves.
void digestSources(benchmark::State& state) {
  const Input& input = inputOf(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(CQuickSearchIndex::digest(input.sources, &plainMarketName));
}

void registerAll() {
  std::vector<long long> sizes = {1000, 10000, 100000};
  const char* million = std::getenv("LW_BENCH_1M");
  if ((million && std::string(million) == "1") || !qgetenv("LW_BENCH_DATASET").isEmpty())
    sizes.push_back(1000000);
  for (const Text& t : kTexts) {
    auto* b = benchmark::RegisterBenchmark((std::string("QuickSearch/") + t.label).c_str(),
                                           quickSearch, t.text);
    auto* p = benchmark::RegisterBenchmark((std::string("ProxyFilter/") + t.label).c_str(),
                                           proxyFilter, t.text);
    for (long long n : sizes) {
      b->Arg(n);
      p->Arg(n);
    }
    b->Unit(benchmark::kMicrosecond);
    p->Unit(benchmark::kMicrosecond);
  }
  auto* build = benchmark::RegisterBenchmark("BuildIndex", buildIndex);
  for (long long n : sizes) build->Arg(n);
  build->Unit(benchmark::kMillisecond)->Iterations(3);
  auto* digest = benchmark::RegisterBenchmark("Digest", digestSources);
  for (long long n : sizes) digest->Arg(n);
  digest->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  registerAll();
  return lwbench::runWithQApplication(argc, argv);
}
