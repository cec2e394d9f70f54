#pragma once
// The body of main() for benchmarks that need a QApplication: offscreen
// unless QT_QPA_PLATFORM says otherwise, then the usual Google Benchmark run.

#include <benchmark/benchmark.h>

#include <QApplication>

namespace lwbench {

// Returns main()'s exit code; the caller may release its inputs afterwards.
inline int runWithQApplication(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace lwbench
