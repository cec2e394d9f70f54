// The instruments panel end to end, through its real search field, rendered
// with the offscreen platform in a 1200x800 window.
//
// What the clock measures (wall time, one iteration):
//   Keystroke  - from the key event sent to the search field (QTest::keyClick
//                of the last character of a code prefix that keeps about
//                0.1% of the rows) until the table has repainted its visible
//                viewport with the new rows: the model's load on its worker,
//                the queued sigRefreshed on the GUI thread, the table's
//                updateTable() and favourites buttons, and a synchronous
//                repaint() of the viewport. The text before the key (one
//                character shorter) is loaded and painted untimed first.
//   ClearSearch - from the Backspace that deletes the selected search text
//                (Ctrl+A first, untimed) until every row is listed and the
//                viewport repainted, the same way.
//   FirstLoad  - from the panel's construction until its first load is
//                painted: constructor, show, the load, repaint.
// Each waits for the load by processing GUI events until the table's
// sigRefreshed arrived, then processes what was posted with it (the table's
// own refresh slot), then repaints: what a user sees once the event loop
// has caught up. cpu_ms is the process CPU time (worker included).
//
// The lists are stock lists built in memory (as in bench_insmodel), at 1k,
// 10k and 100k instruments; 1M when LW_BENCH_1M=1 is set in the environment
// (several seconds per benchmark to build). With LW_BENCH_DATASET=<dir> the
// mixed list (0xC5DFF) of that generated data set is measured as well (the
// installation is untimed).

#include "host/data/dataset.h"
#include "host/services/hostservices.h"
#include "host/ui/searchtextlineedit.h"
#include "model/instrumentmodel.h"
#include "panel/hpfinstable.h"
#include "panel/instrumentspanel.h"

#include "qtbenchmarkmain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <boost/make_shared.hpp>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

namespace {

const int kWidth = 1200;
const int kHeight = 800;
const auto kMixedList = static_cast<mxservice::ENqTraderType>(0xC5DFF);

double processCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Stock instruments 600000.SH ... and 000001.SZ ..., alternating.
std::vector<mxservice::CInstrumentDetailPtr> makeStocks(int count) {
  std::vector<mxservice::CInstrumentDetailPtr> stocks;
  stocks.reserve(static_cast<size_t>(count));
  static const char* const words[] = {"华能", "科技", "银行", "电力",
                                      "医药", "建设", "交通", "信息"};
  for (int i = 0; i < count; ++i) {
    auto s = boost::make_shared<mxservice::CInstrumentDetail>();
    s->tradeType = mxservice::NQ_TRADER_STOCK;
    const bool sh = i % 2 == 0;
    s->marketId = sh ? "SH" : "SZ";
    char code[16];
    std::snprintf(code, sizeof code, "%06d", sh ? 600000 + i / 2 : 1 + i / 2);
    s->code = code;
    s->name = std::string(words[i % 8]) + words[(i / 8) % 8];
    s->priceTick = sh ? 0.01 : 0.001;
    s->preClose = 10 + i % 97;
    s->upperLimit = s->preClose * 1.1;
    s->lowerLimit = s->preClose * 0.9;
    stocks.push_back(s);
  }
  return stocks;
}

int g_installed = -1;  // size of the installed stock list; -2: the data set

void installStocks(int count) {
  if (g_installed == count) return;
  mxservice::CHostServices::reset();
  mxservice::DataSet set;
  set.instruments = makeStocks(count);
  mxservice::CHostServices::install(set);
  g_installed = count;
}

bool installDataSet() {
  if (g_installed == -2) return true;
  const QByteArray directory = qgetenv("LW_BENCH_DATASET");
  if (directory.isEmpty()) return false;
  mxservice::CHostServices::reset();
  mxservice::CHostServices::installFromDirectory(directory.toStdString());
  g_installed = -2;
  return true;
}

// A panel in its own window, shown; its first load waited for.
struct SPanel {
  std::unique_ptr<QWidget> window;
  LW::CInstrumentsPanel* panel = nullptr;
  std::unique_ptr<QSignalSpy> refreshed;
  int seen = 0;

  explicit SPanel(mxservice::ENqTraderType type) {
    window.reset(new QWidget);
    window->resize(kWidth, kHeight);
    panel = new LW::CInstrumentsPanel(1, type, window.get());
    panel->setGeometry(0, 0, kWidth, kHeight);
    refreshed.reset(new QSignalSpy(panel->table(), SIGNAL(sigRefreshed())));
    window->show();
    waitPainted();
  }

  // Until the table has shown a load finished after the last call, then
  // repaints the visible rows.
  void waitPainted() {
    while (refreshed->count() <= seen)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    seen = refreshed->count();
    // The table's own slot was posted with the signal that got us here.
    QCoreApplication::processEvents();
    panel->table()->viewport()->repaint();
  }

  // Types text (untimed) so that the next key starts from it.
  void setSearch(const QString& text) {
    QLineEdit* edit = lineEdit();
    edit->selectAll();
    if (text.isEmpty()) {
      if (edit->text().isEmpty()) return;
      QTest::keyClick(edit, Qt::Key_Backspace);
    } else {
      QTest::keyClicks(edit, text);
    }
    // A burst of keys is coalesced into one or two loads: wait for the
    // worker, then for what it announced.
    panel->table()->model()->waitForIdle();
    QCoreApplication::processEvents();
    seen = refreshed->count();
    panel->table()->viewport()->repaint();
  }

  QLineEdit* lineEdit() const { return panel->searchEdit(); }
};

void reportCpu(benchmark::State& state, double cpuMs, LW::CInstrumentsPanel* panel) {
  state.counters["cpu_ms"] = cpuMs / static_cast<double>(state.iterations());
  state.counters["rows"] = panel->table()->viewRowCount();
}

void keystroke(benchmark::State& state, SPanel& p, const QString& before, QChar key) {
  double cpuMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    p.setSearch(QString());
    p.setSearch(before);
    state.ResumeTiming();
    const double cpu = processCpuMs();
    QTest::keyClick(p.lineEdit(), key.toLatin1());
    p.waitPainted();
    cpuMs += processCpuMs() - cpu;
  }
  reportCpu(state, cpuMs, p.panel);
}

void clearSearch(benchmark::State& state, SPanel& p, const QString& before) {
  double cpuMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    p.setSearch(before);
    p.lineEdit()->selectAll();
    state.ResumeTiming();
    const double cpu = processCpuMs();
    QTest::keyClick(p.lineEdit(), Qt::Key_Backspace);
    p.waitPainted();
    cpuMs += processCpuMs() - cpu;
  }
  reportCpu(state, cpuMs, p.panel);
}

void firstLoad(benchmark::State& state, mxservice::ENqTraderType type) {
  double cpuMs = 0;
  int rows = 0;
  for (auto _ : state) {
    const double cpu = processCpuMs();
    auto p = std::make_unique<SPanel>(type);
    cpuMs += processCpuMs() - cpu;
    rows = p->panel->table()->viewRowCount();
    state.PauseTiming();
    p.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["cpu_ms"] = cpuMs / static_cast<double>(state.iterations());
  state.counters["rows"] = rows;
}

// --- stock lists -----------------------------------------------------------------

// The panel of a size is kept for the benchmarks of that size.
std::unique_ptr<SPanel> g_panel;
int g_panelSize = -1;

SPanel& stockPanel(int count) {
  installStocks(count);
  if (!g_panel || g_panelSize != count) {
    g_panel.reset();
    g_panel = std::make_unique<SPanel>(mxservice::NQ_TRADER_STOCK);
    g_panelSize = count;
  }
  return *g_panel;
}

// "600" keeps the Shanghai half; "6000" about 1 in 1,000 of 100,000 (0.2% of
// 10,000, all of 1,000's first 500), each followed by the Shenzhen codes that
// hold it.
void BM_Panel_Keystroke(benchmark::State& state) {
  SPanel& p = stockPanel(static_cast<int>(state.range(0)));
  keystroke(state, p, QStringLiteral("600"), QLatin1Char('0'));
}

void BM_Panel_ClearSearch(benchmark::State& state) {
  SPanel& p = stockPanel(static_cast<int>(state.range(0)));
  clearSearch(state, p, QStringLiteral("6000"));
}

void BM_Panel_FirstLoad(benchmark::State& state) {
  g_panel.reset();
  g_panelSize = -1;
  installStocks(static_cast<int>(state.range(0)));
  firstLoad(state, mxservice::NQ_TRADER_STOCK);
}

// --- the mixed list of a generated data set ---------------------------------------

void BM_PanelMixed_FirstLoad(benchmark::State& state) {
  g_panel.reset();
  g_panelSize = -1;
  if (!installDataSet()) {
    state.SkipWithError("LW_BENCH_DATASET is not set");
    return;
  }
  firstLoad(state, kMixedList);
}

std::unique_ptr<SPanel> g_mixed;

SPanel* mixedPanel(benchmark::State& state) {
  g_panel.reset();
  g_panelSize = -1;
  if (!installDataSet()) {
    state.SkipWithError("LW_BENCH_DATASET is not set");
    return nullptr;
  }
  if (!g_mixed) g_mixed = std::make_unique<SPanel>(kMixedList);
  return g_mixed.get();
}

void BM_PanelMixed_Keystroke(benchmark::State& state) {
  if (SPanel* p = mixedPanel(state)) keystroke(state, *p, QStringLiteral("600"), QLatin1Char('0'));
}

void BM_PanelMixed_ClearSearch(benchmark::State& state) {
  if (SPanel* p = mixedPanel(state)) clearSearch(state, *p, QStringLiteral("6000"));
}

void sizes(benchmark::internal::Benchmark* b) {
  b->Arg(1000)->Arg(10000)->Arg(100000);
  const char* million = std::getenv("LW_BENCH_1M");
  if (million && std::string(million) == "1") b->Arg(1000000);
  b->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

void mixed(benchmark::internal::Benchmark* b) {
  b->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(1);
}

BENCHMARK(BM_Panel_Keystroke)->Apply(sizes);
BENCHMARK(BM_Panel_ClearSearch)->Apply(sizes);
BENCHMARK(BM_Panel_FirstLoad)->Apply(sizes);

}  // namespace

int main(int argc, char** argv) {
  // Registered only with a data set: without one the smoke run would report
  // their skip as an error.
  if (!qgetenv("LW_BENCH_DATASET").isEmpty()) {
    benchmark::RegisterBenchmark("BM_PanelMixed_FirstLoad", BM_PanelMixed_FirstLoad)->Apply(mixed);
    benchmark::RegisterBenchmark("BM_PanelMixed_Keystroke", BM_PanelMixed_Keystroke)->Apply(mixed);
    benchmark::RegisterBenchmark("BM_PanelMixed_ClearSearch", BM_PanelMixed_ClearSearch)
        ->Apply(mixed);
  }
  const int result = lwbench::runWithQApplication(argc, argv, [] {
    g_panel.reset();
    g_mixed.reset();
  });
  mxservice::CHostServices::reset();
  return result;
}
