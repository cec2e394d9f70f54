// The high-performance table and the stock Qt approach (QStandardItemModel +
// QSortFilterProxyModel + QTableView) on the same rows, at 1k, 10k and 100k
// rows, in a 1200x800 view rendered offscreen:
//   Reload  - show a fully reloaded list and paint it. For the table the rows
//             are rebuilt outside the timed region (a worker does that in the
//             application); timed are updateTable() and the paint. Qt twice:
//             ReloadSwap builds a new item model outside the timed region and
//             times handing it to the proxy plus the paint; Reload builds the
//             items outside and times inserting them into the shown model
//             (which must happen on the GUI thread) plus the paint.
//   SortDouble / SortText - sort all rows by a column, then paint.
//   Filter  - filter all rows by a text, then paint.
// With LW_BENCH_1M=1 the table's own benchmarks run at 1M rows as well.
// Counters: view_bytes_per_row, the heap the view side adds per row.
#include "host/core/tradertypes.h"
#include "host/table/hpfdatatable.h"
#include "host/table/hpfthreaddatamodel.h"
#include "host/table/ibasehpftabledata.h"

#include "qtbenchmarkmain.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <boost/make_shared.hpp>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace {

const int kWidth = 1200;
const int kHeight = 800;

enum { COL_CODE, COL_NAME, COL_PRICE, COL_VOLUME, COL_COUNT };

// A plain benchmark row: two texts, a price and a volume.
class CBenchRow : public GU::IBaseHpfTableData {
public:
  CBenchRow(const QString& code, const QString& name, double price, int volume)
      : m_code(code), m_name(name), m_price(price), m_volume(volume) {}
  QString getDisplayQString(int column) override {
    if (column == COL_PRICE) return QString::number(m_price, 'f', 2);
    if (column == COL_VOLUME) return QString::number(m_volume);
    return getQString(column);
  }
  QString getQString(int column) override {
    return column == COL_CODE ? m_code : column == COL_NAME ? m_name : QString();
  }
  double getDouble(int column) override {
    return column == COL_PRICE ? m_price : mxservice::kNoValueDouble;
  }
  int getInt(int column) override {
    return column == COL_VOLUME ? m_volume : mxservice::kNoValueInt;
  }
  std::string key() override { return m_code.toStdString(); }

private:
  const QString m_code;
  const QString m_name;
  const double m_price;
  const int m_volume;
};

class CBenchModel : public LW::CHpfThreadDataModel {
public:
  CBenchModel() : LW::CHpfThreadDataModel(550, mxservice::NQ_TRADER_STOCK) {}
  ~CBenchModel() override { stopWorker(); }
  int columnCount() const override { return COL_COUNT; }
  QString columnTitle(int column) const override {
    static const char* titles[] = {"代码", "名称", "价格", "数量"};
    return column >= 0 && column < COL_COUNT ? QString::fromUtf8(titles[column]) : QString();
  }
  int columnValueKind(int column) const override {
    return column == COL_PRICE    ? GU::HPF_KIND_DOUBLE
           : column == COL_VOLUME ? GU::HPF_KIND_INT
                                  : GU::HPF_KIND_TEXT;
  }
};

struct SRowData {
  QString code;
  QString name;
  double price;
  int volume;
};

std::vector<SRowData> makeRows(int count) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> price(0.5, 500.0);
  std::uniform_int_distribution<int> volume(1, 1000000);
  static const char* syllables[] = {"华", "能", "科", "技", "银", "行", "电", "力", "医", "药",
                                    "建", "设", "交", "通", "材", "料", "信", "息", "汽", "车"};
  std::vector<SRowData> rows;
  rows.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    QString name;
    for (int s = 0; s < 4; ++s) name += QString::fromUtf8(syllables[random() % 20]);
    rows.push_back({QStringLiteral("%1").arg(600000 + i, 6, 10, QLatin1Char('0')), name,
                    // Coarse prices: many equal values, as real quotes have.
                    std::round(price(random) * 100) / 100, volume(random)});
  }
  return rows;
}

// Small blocks in the heap plus large ones that malloc maps separately.
size_t heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void paint(QWidget* widget) {
  static QImage canvas(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&canvas);
  widget->render(&painter);
}

// --- the high-performance table --------------------------------------------

struct CHpfFixture {
  explicit CHpfFixture(int count)
      : data(makeRows(count)), model(boost::make_shared<CBenchModel>()) {
    for (const SRowData& d : data)
      rows.push_back(boost::make_shared<CBenchRow>(d.code, d.name, d.price, d.volume));
    window.reset(new QWidget);
    window->resize(kWidth, kHeight);
    table = new LW::CHpfDataTable(1, 550, window.get(), GU::MENU_FLAG_ALL);
    table->setGeometry(0, 0, kWidth, kHeight);
    table->setDataModel(model);
    window->show();
    reload();
    table->updateTable();
  }
  // What the worker does: clear and add every row, in one batch.
  void reload() {
    model->beginBatch();
    model->clear();
    for (const GU::HpfRowPtr& row : rows) model->addData(row);
    model->endBatch();
  }
  std::vector<SRowData> data;
  GU::HpfRowVector rows;
  boost::shared_ptr<CBenchModel> model;
  std::unique_ptr<QWidget> window;
  LW::CHpfDataTable* table;
};

// The fixtures of each size, kept for all benchmarks of that size. They own
// widgets, so main() releases them while the QApplication still exists.
std::map<int, std::unique_ptr<CHpfFixture>>& hpfFixtures() {
  static std::map<int, std::unique_ptr<CHpfFixture>> fixtures;
  return fixtures;
}

CHpfFixture& hpf(int count) {
  std::unique_ptr<CHpfFixture>& f = hpfFixtures()[count];
  if (!f) f.reset(new CHpfFixture(count));
  f->table->sortByColumn(-1, true);
  f->table->setFilterText(QString());
  return *f;
}

void BM_Hpf_Reload(benchmark::State& state) {
  CHpfFixture& f = hpf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    f.reload();
    state.ResumeTiming();
    f.table->updateTable();
    paint(f.table);
  }
  // The view's own heap for the shown rows: its index vector. The rows and
  // the row vector belong to the model and are shared, not copied.
  state.counters["view_bytes_per_row"] = static_cast<double>(f.table->viewBytesPerRow());
}

void BM_Hpf_SortDouble(benchmark::State& state) {
  CHpfFixture& f = hpf(static_cast<int>(state.range(0)));
  bool ascending = true;
  for (auto _ : state) {
    f.table->sortByColumn(COL_PRICE, ascending);
    paint(f.table);
    ascending = !ascending;
  }
}

void BM_Hpf_SortText(benchmark::State& state) {
  CHpfFixture& f = hpf(static_cast<int>(state.range(0)));
  bool ascending = true;
  for (auto _ : state) {
    f.table->sortByColumn(COL_NAME, ascending);
    paint(f.table);
    ascending = !ascending;
  }
}

void BM_Hpf_Filter(benchmark::State& state) {
  CHpfFixture& f = hpf(static_cast<int>(state.range(0)));
  bool flip = false;
  for (auto _ : state) {
    f.table->setFilterText(flip ? QString::fromUtf8("华能") : QString::fromUtf8("科技"));
    paint(f.table);
    flip = !flip;
  }
  f.table->setFilterText(QString::fromUtf8("科技"));
  state.counters["shown"] = f.table->viewRowCount();
}

// Heap added by the view side when a table shows the rows: measured from an
// empty table to one showing every row, the model's rows already loaded.
void BM_Hpf_ViewMemory(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  CHpfFixture& f = hpf(count);
  double perRow = 0;
  double paintBytes = 0;
  for (auto _ : state) {
    auto model = boost::make_shared<CBenchModel>();
    for (const GU::HpfRowPtr& row : f.rows) model->addData(row);
    QWidget window;
    window.resize(kWidth, kHeight);
    auto* table = new LW::CHpfDataTable(2, 550, &window, GU::MENU_FLAG_ALL);
    table->setGeometry(0, 0, kWidth, kHeight);
    paint(table);
    const size_t before = heapInUse();
    table->setDataModel(model);  // attaches and shows every row
    const size_t shown = heapInUse();
    paint(table);
    perRow = (static_cast<double>(shown) - static_cast<double>(before)) / count;
    paintBytes = static_cast<double>(heapInUse()) - static_cast<double>(shown);
  }
  state.counters["view_bytes_per_row"] = perRow;
  // The first paint of the rows' texts also fills font and glyph caches,
  // once per process, not per row.
  state.counters["first_paint_bytes"] = paintBytes;
}

// --- the stock Qt approach ---------------------------------------------------

struct CQtFixture {
  explicit CQtFixture(int count) : data(makeRows(count)) {
    model = new QStandardItemModel(0, COL_COUNT);
    model->setHorizontalHeaderLabels({QString::fromUtf8("代码"), QString::fromUtf8("名称"),
                                      QString::fromUtf8("价格"), QString::fromUtf8("数量")});
    proxy = new QSortFilterProxyModel;
    proxy->setSourceModel(model);
    proxy->setFilterKeyColumn(-1);
    view.reset(new QTableView);
    view->resize(kWidth, kHeight);
    view->setModel(proxy);
    view->verticalHeader()->setDefaultSectionSize(22);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->show();
    fill(buildItems());
  }
  ~CQtFixture() {
    view.reset();
    delete proxy;
    delete model;
  }
  std::vector<QList<QStandardItem*>> buildItems() const {
    std::vector<QList<QStandardItem*>> items;
    items.reserve(data.size());
    for (const SRowData& d : data) {
      auto* price = new QStandardItem;
      price->setData(d.price, Qt::DisplayRole);
      auto* volume = new QStandardItem;
      volume->setData(d.volume, Qt::DisplayRole);
      items.push_back({new QStandardItem(d.code), new QStandardItem(d.name), price, volume});
    }
    return items;
  }
  void fill(const std::vector<QList<QStandardItem*>>& items) {
    model->setRowCount(0);
    for (const QList<QStandardItem*>& row : items) model->appendRow(row);
  }
  std::vector<SRowData> data;
  QStandardItemModel* model;
  QSortFilterProxyModel* proxy;
  std::unique_ptr<QTableView> view;
};

// As hpfFixtures().
std::map<int, std::unique_ptr<CQtFixture>>& qtFixtures() {
  static std::map<int, std::unique_ptr<CQtFixture>> fixtures;
  return fixtures;
}

CQtFixture& qt(int count) {
  std::unique_ptr<CQtFixture>& f = qtFixtures()[count];
  if (!f) f.reset(new CQtFixture(count));
  f->proxy->sort(-1);
  f->proxy->setFilterFixedString(QString());
  return *f;
}

// The fair counterpart of BM_Hpf_Reload: a new item model is built off the
// timed path (as a worker could, moving it to the GUI thread afterwards); timed
// are handing it to the proxy and the paint.
void BM_Qt_ReloadSwap(benchmark::State& state) {
  CQtFixture& f = qt(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto* fresh = new QStandardItemModel(0, COL_COUNT);
    for (const QList<QStandardItem*>& row : f.buildItems()) fresh->appendRow(row);
    state.ResumeTiming();
    f.proxy->setSourceModel(fresh);
    delete f.model;
    f.model = fresh;
    paint(f.view.get());
  }
}

// Reloading the items in place, as a Qt model on the GUI thread must.
void BM_Qt_Reload(benchmark::State& state) {
  CQtFixture& f = qt(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<QList<QStandardItem*>> items = f.buildItems();
    state.ResumeTiming();
    f.fill(items);
    paint(f.view.get());
  }
}

void BM_Qt_SortDouble(benchmark::State& state) {
  CQtFixture& f = qt(static_cast<int>(state.range(0)));
  bool ascending = true;
  for (auto _ : state) {
    f.proxy->sort(COL_PRICE, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    paint(f.view.get());
    ascending = !ascending;
  }
}

void BM_Qt_SortText(benchmark::State& state) {
  CQtFixture& f = qt(static_cast<int>(state.range(0)));
  bool ascending = true;
  for (auto _ : state) {
    f.proxy->sort(COL_NAME, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    paint(f.view.get());
    ascending = !ascending;
  }
}

void BM_Qt_Filter(benchmark::State& state) {
  CQtFixture& f = qt(static_cast<int>(state.range(0)));
  bool flip = false;
  for (auto _ : state) {
    f.proxy->setFilterFixedString(flip ? QString::fromUtf8("华能") : QString::fromUtf8("科技"));
    paint(f.view.get());
    flip = !flip;
  }
  f.proxy->setFilterFixedString(QString::fromUtf8("科技"));
  state.counters["shown"] = f.proxy->rowCount();
}

// Heap the item model, proxy and view take per row, for the same rows.
void BM_Qt_ViewMemory(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::vector<SRowData> data = makeRows(count);
  double perRow = 0;
  for (auto _ : state) {
    const size_t before = heapInUse();
    {
      QStandardItemModel model(0, COL_COUNT);
      for (const SRowData& d : data) {
        auto* price = new QStandardItem;
        price->setData(d.price, Qt::DisplayRole);
        auto* volume = new QStandardItem;
        volume->setData(d.volume, Qt::DisplayRole);
        model.appendRow({new QStandardItem(d.code), new QStandardItem(d.name), price, volume});
      }
      QSortFilterProxyModel proxy;
      proxy.setSourceModel(&model);
      QTableView view;
      view.resize(kWidth, kHeight);
      view.setModel(&proxy);
      paint(&view);
      // The texts themselves are shared with data (implicit sharing), so this
      // is the container and bookkeeping cost.
      perRow = (static_cast<double>(heapInUse()) - static_cast<double>(before)) / count;
    }
  }
  state.counters["view_bytes_per_row"] = perRow;
}

void sizes(benchmark::internal::Benchmark* b) {
  b->Arg(1000)
      ->Arg(10000)
      ->Arg(100000)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(5)
      ->ReportAggregatesOnly(true);
}

// The table's own benchmarks also at 1M rows with LW_BENCH_1M=1 (the stock
// Qt views would take minutes and gigabytes there).
void hpfSizes(benchmark::internal::Benchmark* b) {
  sizes(b);
  const char* million = std::getenv("LW_BENCH_1M");
  if (million && std::string(million) == "1") b->Arg(1000000);
}

void memorySizes(benchmark::internal::Benchmark* b) {
  b->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
}

}  // namespace

BENCHMARK(BM_Hpf_Reload)->Apply(hpfSizes);
BENCHMARK(BM_Qt_ReloadSwap)->Apply(sizes);
BENCHMARK(BM_Qt_Reload)->Apply(sizes);
BENCHMARK(BM_Hpf_SortDouble)->Apply(hpfSizes);
BENCHMARK(BM_Qt_SortDouble)->Apply(sizes);
BENCHMARK(BM_Hpf_SortText)->Apply(hpfSizes);
BENCHMARK(BM_Qt_SortText)->Apply(sizes);
BENCHMARK(BM_Hpf_Filter)->Apply(hpfSizes);
BENCHMARK(BM_Qt_Filter)->Apply(sizes);
BENCHMARK(BM_Hpf_ViewMemory)->Apply(memorySizes);
BENCHMARK(BM_Qt_ViewMemory)->Apply(memorySizes);

int main(int argc, char** argv) {
  return lwbench::runWithQApplication(argc, argv, [] {
    hpfFixtures().clear();
    qtFixtures().clear();
  });
}
