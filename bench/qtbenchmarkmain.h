#pragma once
// The body of main() for benchmarks that need a QApplication: offscreen
// unless QT_QPA_PLATFORM says otherwise, then the usual Google Benchmark run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>

namespace lwbench {

// Returns main()'s exit code; the caller may release its other inputs
// afterwards. beforeQuit runs once the benchmarks are done, while the
// application still exists: whatever a benchmark keeps that holds widgets
// (fixtures kept from one benchmark to the next) must go there, because a
// widget destroyed after the QApplication (by the exit handlers that
// destroy statics) crashes the program.
inline int runWithQApplication(int argc, char** argv,
                               const std::function<void()>& beforeQuit = {}) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (beforeQuit) beforeQuit();
  return 0;
}

}  // namespace lwbench
