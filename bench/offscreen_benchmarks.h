#pragma once

#include "framework/application.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

// The whole of a benchmark program's main: the registered benchmarks, run inside the application
// on Qt's offscreen platform.
inline int RunOffscreenBenchmarks(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  TApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
