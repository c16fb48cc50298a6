// Streaming playback during the calibration test: one refill (it runs every 50 ms on the GUI
// thread and must allocate nothing), and the intervals at which the refill thread gets its refills
// run on the GUI thread.
#include "device/library_cache.h"
#include "framework/thread.h"
#include "platform/audio/virtual_playback.h"
#include "sound/audio_stream.h"
#include "sound/direct_sound.h"

#include "allocation_count.h"
#include "offscreen_benchmarks.h"
#include "support/memory_wave.h"
#include <QCoreApplication>
#include <algorithm>

#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>
#include <vector>

static void BM_OneRefill(benchmark::State &state) {
  TVirtualPlayback device;
  ReleaseLibraries();
  {
    TMemoryWave wave(HalfScaleTone());
    TDirectSound sound(nullptr);
    TAudioStream stream(sound);
    stream.SetAutoRefill(false);
    stream.SetBufferMilliseconds(1000);
    stream.SetSource(&wave.Stream());
    stream.SetLooping(true);
    stream.StartPlayback();
    long allocations = 0;
    for (auto _ : state) {
      state.PauseTiming();
      device.Advance(8820); // what 50 ms play
      const long before = AllocationsSoFar();
      state.ResumeTiming();
      stream.Refill();
      state.PauseTiming();
      allocations += AllocationsSoFar() - before;
      state.ResumeTiming();
    }
    state.counters["allocations_per_refill"] = double(allocations) / double(state.iterations());
  }
  ReleaseLibraries();
}
BENCHMARK(BM_OneRefill)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// The device plays in real time; each move of the write cursor is one refill.
static void BM_RefillIntervals(benchmark::State &state) {
  TVirtualPlayback device;
  ReleaseLibraries();
  {
    TMemoryWave wave(HalfScaleTone());
    TDirectSound sound(nullptr);
    for (auto _ : state) {
      TAudioStream stream(sound);
      stream.SetBufferMilliseconds(1000);
      stream.SetSource(&wave.Stream());
      stream.SetLooping(true);
      stream.StartPlayback();
      std::vector<double> intervals;
      intervals.reserve(200);
      auto start = std::chrono::steady_clock::now();
      auto last = start;
      int64_t playedBytes = 0;
      int32_t cursor = stream.WriteCursor();
      while (intervals.size() < 200) {
        const auto now = std::chrono::steady_clock::now();
        const int64_t due =
            std::chrono::duration_cast<std::chrono::microseconds>(now - start).count() * 176400 / 1000000 / 4 * 4;
        device.Advance(uint32_t(due - playedBytes));
        playedBytes = due;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        TThread::CheckSynchronize();
        if (stream.WriteCursor() != cursor) {
          cursor = stream.WriteCursor();
          intervals.push_back(std::chrono::duration<double, std::milli>(now - last).count());
          last = now;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
      }
      intervals.erase(intervals.begin()); // the first one starts at an arbitrary point
      std::sort(intervals.begin(), intervals.end());
      state.counters["median_ms"] = intervals[intervals.size() / 2];
      state.counters["p99_ms"] = intervals[intervals.size() * 99 / 100];
      state.counters["max_ms"] = intervals.back();
    }
  }
  ReleaseLibraries();
}
BENCHMARK(BM_RefillIntervals)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return RunOffscreenBenchmarks(argc, argv); }
