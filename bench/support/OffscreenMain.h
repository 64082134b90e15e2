#pragma once
// The main of a benchmark program that draws: a Qt application on the offscreen platform, then
// every benchmark the command line selects.
#include <QApplication>
#include <benchmark/benchmark.h>

namespace benchsupport {

inline int RunOffscreen(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace benchsupport
