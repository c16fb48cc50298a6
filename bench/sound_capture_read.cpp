// The scope's handler path on a capture stream: ask ReadableSize, read exactly that much. It runs
// every 50 ms on the GUI thread, so it must cost little and allocate nothing.
#include "device/library_cache.h"
#include "platform/audio/virtual_capture.h"
#include "sound/capture_stream.h"

#include "allocation_count.h"
#include "scope_capture_format.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

static void BM_HandlerReadsWhatIsWaiting(benchmark::State &state) {
  TVirtualCapture device;
  device.SetSine(0, 1000, 0.5);
  ReleaseLibraries();
  {
    TSoundCaptureStream stream;
    UseScopeCaptureFormat(stream);
    stream.StartCapture();
    static uint8_t staging[192000];
    int64_t bytes = 0;
    long allocations = 0;
    for (auto _ : state) {
      state.PauseTiming();
      device.Advance(299); // nearly a whole 52920-byte buffer waits
      const long before = AllocationsSoFar();
      state.ResumeTiming();
      const int64_t readable = stream.ReadableSize();
      stream.ReadBuffer(staging, readable);
      benchmark::DoNotOptimize(staging);
      state.PauseTiming();
      allocations += AllocationsSoFar() - before;
      bytes += readable;
      state.ResumeTiming();
    }
    state.SetBytesProcessed(bytes);
    state.counters["bytes_per_call"] = double(bytes) / double(state.iterations());
    state.counters["allocations_per_call"] = double(allocations) / double(state.iterations());
  }
  ReleaseLibraries();
}
// Each round first makes the virtual device capture 299 ms of sine, which costs far more than
// the measured read; a fixed number of rounds keeps the run short.
BENCHMARK(BM_HandlerReadsWhatIsWaiting)->Iterations(2000);

BENCHMARK_MAIN();
