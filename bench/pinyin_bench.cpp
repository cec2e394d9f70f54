// The instrument models run GU::isInByPy over every instrument name of a
// trading type for each keystroke in the search field, on top of the code and
// name containment tests; the per-name cost decides how large a list filters
// without a visible lag.
#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>

#include "host/text/pinyinmatch.h"

namespace {

void matchOne(benchmark::State& state, const char* text, const char* filter) {
  const QString t = QString::fromUtf8(text);
  const QString f = QString::fromUtf8(filter);
  bool matched = false;
  for (auto _ : state) {
    matched = GU::isInByPy(t, f);
    benchmark::DoNotOptimize(matched);
  }
  state.SetLabel(matched ? "match" : "no match");
}

// Names of the kinds a mixed list holds; the list benchmarks repeat them.
const char* const kNames[] = {
    "平安银行",         "万科A",
    "中国平安",         "贵州茅台",
    "长江电力",         "招商银行",
    "ST康美",           "*ST海航",
    "中信证券A",        "宁德时代",
    "比亚迪",           "东方财富",
    "重庆啤酒",         "厦门空港",
    "21国债01",         "国开1801",
    "广汽转债",         "隆22转债",
    "50ETF购3月2700",   "沪深300ETF",
    "科创50ETF",        "易方达蓝筹精选混合",
    "景顺长城新兴成长", "螺纹钢2410",
    "铁矿石2409",       "豆粕2409",
    "中芯国际",         "海康威视",
    "工业富联",         "华夏成长混合",
};

void matchList(benchmark::State& state, const char* filter) {
  QStringList names;
  const int count = static_cast<int>(state.range(0));
  const int kinds = static_cast<int>(sizeof kNames / sizeof kNames[0]);
  names.reserve(count);
  for (int i = 0; i < count; ++i) names.append(QString::fromUtf8(kNames[i % kinds]));
  const QString f = QString::fromUtf8(filter);
  int matched = 0;
  for (auto _ : state) {
    matched = 0;
    for (const QString& name : names) matched += GU::isInByPy(name, f);
    benchmark::DoNotOptimize(matched);
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.counters["matched"] = matched;
}

}  // namespace

BENCHMARK_CAPTURE(matchOne, fourCharHit, "平安银行", "PAYH");
BENCHMARK_CAPTURE(matchOne, fourCharPolyphoneHit, "长江电力", "ZJDL");
BENCHMARK_CAPTURE(matchOne, fourCharLowercaseHit, "平安银行", "payh");
BENCHMARK_CAPTURE(matchOne, fourCharMiss, "平安银行", "ZGPA");
BENCHMARK_CAPTURE(matchOne, fourCharChineseFilter, "平安银行", "安银");
BENCHMARK_CAPTURE(matchOne, tenCharFullHit, "易方达蓝筹精选混合A", "YFDLCJXHHA");
BENCHMARK_CAPTURE(matchOne, tenCharTailHit, "易方达蓝筹精选混合A", "XHHA");
BENCHMARK_CAPTURE(matchOne, tenCharMiss, "易方达蓝筹精选混合A", "ZGPA");
BENCHMARK_CAPTURE(matchOne, mixedLatinHit, "50ETF购3月2700", "G3Y27");
BENCHMARK_CAPTURE(matchOne, extensionBHit, "\xF0\xA0\x80\x80平安", "HPA");
BENCHMARK_CAPTURE(matchList, oneLetter, "Z")->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK_CAPTURE(matchList, fourLetters, "ZGPA")->Arg(1000)->Arg(10000)->Arg(100000);

BENCHMARK_MAIN();
