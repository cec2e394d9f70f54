// The instrument model per keystroke. Each size builds a stock list of one
// trading type in memory and installs it in the host services outside the
// timed loop; the model's first load (which builds its per-list cache) is not
// timed either. One iteration is what the panel does per keystroke: refresh()
// and wait until sigRefreshed() arrives (through a direct connection, so the
// wait measures the worker, not an event loop).
//
// Sizes 1k, 10k and 100k; 1M as well with LW_BENCH_1M=1.
//
// Filters: "6000" keeps about 0.1% of the rows through the codes, "PAYH" about
// 0.2% through the pinyin initials of the names, "" keeps every row (a full
// reload). Each is timed repeated (the same text again, rows reused) and
// after another text (the previous keystroke's list, untimed, loaded first).
// The counter cpu_ms is the process CPU time (worker included) per load. Beside them the stock Qt
// way: a QStandardItemModel with the same four searched texts per instrument behind a
// QSortFilterProxyModel with a fixed-string filter over all columns; each iteration switches
// between two filters of the same selectivity so that the proxy refilters every time.
//
// Cells: every painted text of a list (what a repaint and a text export ask
// for) and a sort of the rows by one column through the model's comparison,
// on the stock list and on the mixed list, whose columns also test the
// markets of each row. Counters cells_per_s and compares_per_s.
//
// Memory: counters bytes_per_row (rows plus the host model's index, measured
// with mallinfo2 around a full load) and cache_bytes_per_instrument (the
// model's per-list search cache).

#include "host/data/dataset.h"
#include "host/services/hostservices.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"

#include "qtbenchmarkmain.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <QApplication>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <algorithm>
#include <boost/make_shared.hpp>
#include <condition_variable>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>
#include <random>
#include <string>

namespace {

// Common characters of listed company names.
const char* const kNameChars[] = {
    "中", "国", "华", "新", "科", "技", "电", "子", "信", "息", "股", "份", "集", "团", "实",
    "业", "发", "展", "控", "投", "资", "能", "源", "材", "料", "医", "药", "生", "物", "银",
    "行", "证", "券", "保", "险", "汽", "车", "机", "械", "化", "工", "建", "设", "交", "通",
    "海", "天", "金", "宝", "钢", "铁", "石", "油", "光", "伏", "半", "导", "体", "软", "件",
    "网", "络", "环", "境", "农", "林", "食", "品", "酒", "水", "地", "产", "城", "市", "东",
    "南", "西", "北", "江", "山", "河", "湖", "云", "星", "龙", "凤", "安", "泰", "和", "隆"};

std::vector<mxservice::CInstrumentDetailPtr> makeStocks(int count) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pick(0, sizeof(kNameChars) / sizeof(kNameChars[0]) - 1);
  std::vector<mxservice::CInstrumentDetailPtr> stocks;
  stocks.reserve(count);
  for (int i = 0; i < count; ++i) {
    auto s = boost::make_shared<mxservice::CInstrumentDetail>();
    s->tradeType = mxservice::NQ_TRADER_STOCK;
    const bool sh = i % 2 == 0;
    s->marketId = sh ? "SH" : "SZ";
    char code[16];
    std::snprintf(code, sizeof code, "%06d", sh ? 600000 + i / 2 : 1 + i / 2);
    s->code = code;
    if (i % 500 == 250) {
      s->name = "平安银行";
    } else {
      for (int k = 0; k < 4; ++k) s->name += kNameChars[pick(rng)];
    }
    s->priceTick = sh ? 0.01 : 0.001;
    s->preClose = 10 + i % 97;
    s->upperLimit = s->preClose * 1.1;
    s->lowerLimit = s->preClose * 0.9;
    s->floatCapital = 1e8 + i;
    s->totalCapital = 2e8 + i;
    stocks.push_back(s);
  }
  return stocks;
}

int g_installedSize = -1;
std::vector<mxservice::CInstrumentDetailPtr> g_stocks;

void installStocks(int count) {
  if (g_installedSize == count) return;
  g_stocks = makeStocks(count);
  mxservice::DataSet set;
  set.instruments = g_stocks;
  mxservice::CHostServices::install(set);
  g_installedSize = count;
}

// Waits for one sigRefreshed per refresh, on the calling thread.
class CRefreshWaiter {
public:
  explicit CRefreshWaiter(LW::CHpfInsModel* model) {
    QObject::connect(
        model, &LW::CHpfInsModel::sigRefreshed, &m_context,
        [this] {
          std::lock_guard<std::mutex> lock(m_mutex);
          ++m_count;
          m_changed.notify_all();
        },
        Qt::DirectConnection);
  }
  void refreshAndWait(LW::CHpfInsModel* model, const QString& filter) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const long target = m_count + 1;
    lock.unlock();
    model->refresh(filter);
    lock.lock();
    m_changed.wait(lock, [&] { return m_count >= target; });
  }

private:
  QObject m_context;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  long m_count = 0;  // guarded by m_mutex
};

struct ModelUnderTest {
  boost::shared_ptr<LW::CHpfInsModel> model;
  std::unique_ptr<CRefreshWaiter> waiter;
};

// warm: run the first full load (builds the cache and every row).
ModelUnderTest makeModel(int count, bool warm = true) {
  installStocks(count);
  ModelUnderTest m;
  m.model = boost::make_shared<LW::CHpfInsModel>(mxservice::NQ_TRADER_STOCK);
  m.waiter = std::make_unique<CRefreshWaiter>(m.model.get());
  if (warm) m.waiter->refreshAndWait(m.model.get(), QString());
  return m;
}

// CPU time of the whole process (worker included), so that a busy machine,
// which stretches the wall-clock figures, can be told apart from real cost.
double processCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// previous: when set, each iteration first loads it (untimed), so the timed
// load starts from another list, as when the user edits the search text.
void keystroke(benchmark::State& state, const char* filter, const char* previous = nullptr) {
  ModelUnderTest m = makeModel(static_cast<int>(state.range(0)));
  const QString text = QString::fromUtf8(filter);
  double cpuMs = 0;
  for (auto _ : state) {
    if (previous) {
      state.PauseTiming();
      m.waiter->refreshAndWait(m.model.get(), QString::fromUtf8(previous));
      state.ResumeTiming();
    }
    const double before = processCpuMs();
    m.waiter->refreshAndWait(m.model.get(), text);
    cpuMs += processCpuMs() - before;
  }
  state.counters["cpu_ms"] = cpuMs / static_cast<double>(state.iterations());
  state.counters["rows"] = m.model->rowCount();
  state.counters["cache_bytes_per_instrument"] =
      static_cast<double>(m.model->searchCacheBytes()) / static_cast<double>(state.range(0));
}

void BM_InsModel_KeystrokeCode(benchmark::State& state) { keystroke(state, "6000"); }
void BM_InsModel_KeystrokeCodeAfterOther(benchmark::State& state) {
  keystroke(state, "6000", "600");
}
void BM_InsModel_KeystrokePinyin(benchmark::State& state) { keystroke(state, "PAYH"); }
void BM_InsModel_KeystrokePinyinAfterOther(benchmark::State& state) {
  keystroke(state, "PAYH", "PAY");
}
void BM_InsModel_FullReload(benchmark::State& state) { keystroke(state, ""); }
// The search text cleared after a narrow filter: nearly every row is new.
void BM_InsModel_FullReloadAfterFilter(benchmark::State& state) { keystroke(state, "", "6000"); }

// Memory of the rows of a full load beyond the host records and the cache.
void BM_InsModel_RowMemory(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  double perRow = 0;
  int rows = 0;
  for (auto _ : state) {
    // A fresh model each time: the model keeps the rows it built, so only
    // its first full load allocates them.
    ModelUnderTest m = makeModel(count, false);
    m.waiter->refreshAndWait(m.model.get(), QStringLiteral("NO SUCH TEXT"));
    const std::size_t empty = mallinfo2().uordblks;
    m.waiter->refreshAndWait(m.model.get(), QString());
    const std::size_t full = mallinfo2().uordblks;
    perRow = (static_cast<double>(full) - static_cast<double>(empty)) / count;
    rows = m.model->rowCount();
  }
  state.counters["bytes_per_row"] = perRow;
  state.counters["rows"] = rows;
}

// --- cells -------------------------------------------------------------------

std::vector<GU::HpfRowPtr> makeRows(mxservice::ENqTraderType tradeType, int count) {
  installStocks(count);
  std::vector<GU::HpfRowPtr> rows;
  rows.reserve(g_stocks.size());
  for (const auto& s : g_stocks)
    rows.push_back(boost::make_shared<LW::CInstrumentData>(tradeType, s));
  return rows;
}

void paintCells(benchmark::State& state, mxservice::ENqTraderType tradeType) {
  const std::vector<GU::HpfRowPtr> rows = makeRows(tradeType, static_cast<int>(state.range(0)));
  LW::CHpfInsModel model(tradeType);
  const int columns = model.columnCount();
  for (auto _ : state) {
    for (const GU::HpfRowPtr& row : rows) {
      for (int column = 0; column < columns; ++column) {
        benchmark::DoNotOptimize(row->getDisplayQString(column));
      }
    }
  }
  state.counters["cells_per_s"] = benchmark::Counter(static_cast<double>(rows.size()) * columns,
                                                     benchmark::Counter::kIsIterationInvariantRate);
}

void sortColumn(benchmark::State& state, mxservice::ENqTraderType tradeType, int column) {
  const std::vector<GU::HpfRowPtr> rows = makeRows(tradeType, static_cast<int>(state.range(0)));
  LW::CHpfInsModel model(tradeType);
  std::vector<GU::HpfRowPtr> shuffled = rows;
  std::mt19937 rng(11);
  long compares = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    state.ResumeTiming();
    std::sort(shuffled.begin(), shuffled.end(),
              [&](const GU::HpfRowPtr& a, const GU::HpfRowPtr& b) {
                ++compares;
                return model.compare(a, b, column) < 0;
              });
  }
  state.counters["compares_per_s"] =
      benchmark::Counter(static_cast<double>(compares), benchmark::Counter::kIsRate);
}

void BM_InsModel_PaintStockCells(benchmark::State& state) {
  paintCells(state, mxservice::NQ_TRADER_STOCK);
}
void BM_InsModel_PaintMixedCells(benchmark::State& state) {
  paintCells(state, mxservice::NQ_TRADER_MIXED);
}
// Column 4: the previous close, a number.
void BM_InsModel_SortStockByPreClose(benchmark::State& state) {
  sortColumn(state, mxservice::NQ_TRADER_STOCK, 4);
}
// Column 20: the float capital, a number only stock markets hold.
void BM_InsModel_SortMixedByFloatCapital(benchmark::State& state) {
  sortColumn(state, mxservice::NQ_TRADER_MIXED, 20);
}

// --- the stock Qt approach -----------------------------------------------------

void qtKeystroke(benchmark::State& state, const char* first, const char* second) {
  const int count = static_cast<int>(state.range(0));
  installStocks(count);
  QStandardItemModel source(count, 4);
  for (int row = 0; row < count; ++row) {
    const mxservice::CInstrumentDetail& s = *g_stocks[row];
    source.setItem(row, 0, new QStandardItem(QString::fromStdString(s.code)));
    source.setItem(row, 1, new QStandardItem(QString::fromUtf8(s.name.c_str())));
    source.setItem(row, 2, new QStandardItem(QString::fromStdString(s.productCode)));
    source.setItem(row, 3, new QStandardItem(QString::fromStdString(s.marketId)));
  }
  QSortFilterProxyModel proxy;
  proxy.setSourceModel(&source);
  proxy.setFilterKeyColumn(-1);
  proxy.setFilterCaseSensitivity(Qt::CaseSensitive);
  const QString a = QString::fromUtf8(first);
  const QString b = QString::fromUtf8(second);
  bool flip = false;
  double cpuMs = 0;
  for (auto _ : state) {
    const double before = processCpuMs();
    proxy.setFilterFixedString(flip ? b : a);
    benchmark::DoNotOptimize(proxy.rowCount());
    cpuMs += processCpuMs() - before;
    flip = !flip;
  }
  state.counters["cpu_ms"] = cpuMs / static_cast<double>(state.iterations());
  state.counters["rows"] = proxy.rowCount();
}

void BM_QtProxy_KeystrokeCode(benchmark::State& state) { qtKeystroke(state, "6000", "6001"); }
void BM_QtProxy_FullReload(benchmark::State& state) { qtKeystroke(state, "", "S"); }

void sizes(benchmark::internal::Benchmark* b) {
  b->Arg(1000)->Arg(10000)->Arg(100000);
  // 1M instruments only on request: building the stock Qt model alone takes
  // seconds and gigabytes there.
  const char* million = std::getenv("LW_BENCH_1M");
  if (million && std::string(million) == "1") b->Arg(1000000);
  b->UseRealTime()->Unit(benchmark::kMillisecond);
  b->Repetitions(5)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_InsModel_KeystrokeCode)->Apply(sizes);
BENCHMARK(BM_InsModel_KeystrokeCodeAfterOther)->Apply(sizes);
BENCHMARK(BM_InsModel_KeystrokePinyin)->Apply(sizes);
BENCHMARK(BM_InsModel_KeystrokePinyinAfterOther)->Apply(sizes);
BENCHMARK(BM_InsModel_FullReload)->Apply(sizes);
BENCHMARK(BM_InsModel_FullReloadAfterFilter)->Apply(sizes);
BENCHMARK(BM_QtProxy_KeystrokeCode)->Apply(sizes);
BENCHMARK(BM_QtProxy_FullReload)->Apply(sizes);
void cellSizes(benchmark::internal::Benchmark* b) {
  b->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
  b->Repetitions(3)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_InsModel_PaintStockCells)->Apply(cellSizes);
BENCHMARK(BM_InsModel_PaintMixedCells)->Apply(cellSizes);
BENCHMARK(BM_InsModel_SortStockByPreClose)->Apply(cellSizes);
BENCHMARK(BM_InsModel_SortMixedByFloatCapital)->Apply(cellSizes);
BENCHMARK(BM_InsModel_RowMemory)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const int result = lwbench::runWithQApplication(argc, argv);
  g_stocks.clear();
  mxservice::CHostServices::reset();
  return result;
}
