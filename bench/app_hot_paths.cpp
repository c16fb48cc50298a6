// Cost per call of the capture hand-off, of laying out a frame's two traces (measured or not), of
// measuring a channel and of drawing the readout, and proof that none of them allocates: every
// operator new of this program is counted. An export's cost is here too, though it may allocate.
#include "allocation_count.h"
#include "app/capture_hand_off.h"
#include "app/frame_drawing.h"
#include "app/readout.h"
#include "app/trace_export.h"
#include "app/trace_frame.h"
#include "app/trace_measurement.h"
#include "app/trace_schedule.h"
#include "display/direct_draw.h"
#include "display/direct_draw_surface.h"
#include "offscreen_benchmarks.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Reports allocations per iteration and fails the benchmark when there were any.
class TAllocationCheck {
public:
  explicit TAllocationCheck(benchmark::State &state) : FState(state), FBefore(AllocationsSoFar()) {}
  ~TAllocationCheck() {
    const long made = AllocationsSoFar() - FBefore;
    FState.counters["allocations"] = benchmark::Counter(static_cast<double>(made), benchmark::Counter::kAvgIterations);
    if (made != 0)
      FState.SkipWithError("the hot path allocated");
  }

private:
  benchmark::State &FState;
  long FBefore;
};

// A 1 kHz tone at 44100 Hz on both channels.
void FillTone(TScopeState &scope) {
  for (int k = 0; k < RingFrames; ++k) {
    const auto value = static_cast<int16_t>(12000 * std::sin(2 * 3.14159265358979 * 1000 * k / 44100));
    scope.FrameRing[k] = {value, static_cast<int16_t>(-value)};
  }
}

// One 300 ms block of 44100 Hz 16-bit stereo, as the capture stream hands it over.
void HandOff52920Bytes(benchmark::State &state) {
  auto scope = std::make_unique<TScopeState>();
  scope->LastIndex = RingLastIndex;
  std::vector<uint8_t> block(52920, 0x11);
  {
    TAllocationCheck check(state);
    for (auto _ : state) {
      HandOffBlock(*scope, static_cast<int>(block.size()), [&](uint8_t *buffer, int count) {
        std::memcpy(buffer, block.data(), static_cast<size_t>(count));
        return count;
      });
      benchmark::DoNotOptimize(scope->FrameRing.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(block.size()));
}
BENCHMARK(HandOff52920Bytes);

// A scope that has captured a whole ring of the tone, both channels at one time base.
std::unique_ptr<TScopeState> CapturedTone(int32_t sampleStep) {
  auto scope = std::make_unique<TScopeState>();
  scope->LastIndex = RingLastIndex;
  scope->LastBlockFrames = 2205;
  scope->FilledFrames = RingFrames;
  FillTone(*scope);
  for (TChannelState &channel : scope->Channels)
    channel.SampleStep = sampleStep;
  return scope;
}

// One rendered frame's arithmetic: readiness of both channels and both 506-point traces, at the
// fastest sweep or at the slowest (a sample every MaxSampleStep frames).
void TwoTraces(benchmark::State &state) {
  std::array<TTraceControls, 2> controls{};
  for (TTraceControls &control : controls) {
    control.Sync = state.range(0) != 0;
    control.X2 = state.range(1) != 0;
  }
  auto scope = CapturedTone(state.range(2) != 0 ? MaxSampleStep : 1);
  auto frame = std::make_unique<TTraceFrame>();
  const int32_t pending = static_cast<int32_t>(TraceReach((*scope)[chI]));
  {
    TAllocationCheck check(state);
    for (auto _ : state) {
      (*scope)[chI].PendingFrames = pending;
      (*scope)[chII].PendingFrames = pending;
      PlanFrame(*scope, controls, {.XY = state.range(3) != 0, .Measure = state.range(4) != 0}, *frame);
      benchmark::DoNotOptimize(frame->Traces.data());
    }
  }
}
BENCHMARK(TwoTraces)
    ->ArgNames({"sync", "x2", "slow", "xy", "measure"})
    ->Args({0, 0, 0, 0, 0})
    ->Args({1, 0, 0, 0, 0})
    ->Args({0, 1, 0, 0, 0})
    ->Args({0, 0, 1, 0, 0})
    ->Args({0, 1, 1, 0, 0})
    ->Args({0, 0, 0, 1, 0})
    ->Args({0, 0, 0, 0, 1})
    ->Args({0, 0, 1, 0, 1});

// The readout's measurement of one channel, over a trace's width or the whole ring, starting
// where the span wraps the ring's end.
void MeasureChannel(benchmark::State &state) {
  auto scope = std::make_unique<TScopeState>();
  FillTone(*scope);
  const auto frames = static_cast<int32_t>(state.range(0));
  {
    TAllocationCheck check(state);
    for (auto _ : state)
      benchmark::DoNotOptimize(MeasureFrames(*scope, chI, RingFrames - 100, frames, 0.1 / 50.4));
  }
  state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(MeasureChannel)->ArgName("frames")->Arg(504)->Arg(RingFrames);

// The readout's two lines written and drawn into a software surface the display's size.
void ReadoutDrawing(benchmark::State &state) {
  auto scope = std::make_unique<TScopeState>();
  auto frame = std::make_unique<TTraceFrame>();
  frame->Present = true;
  frame->Draw = {true, true};
  frame->Measurements[chI] = {1000.0, 2.83, 1.0};
  frame->Measurements[chII] = {999.8, 0.354, 0.125};
  TDirectDraw ddraw(nullptr);
  TDirectDrawSurface surface(&ddraw);
  surface.SetSize(504, 504);
  TReadout readout;
  readout.Take(*frame);
  TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
  DrawReadout(canvas, *scope, {true, true}, readout); // the canvas's context is made once
  canvas.Release();
  {
    TAllocationCheck check(state);
    uint32_t now = 0;
    for (auto _ : state) {
      readout.Refresh(now += TReadout::RefreshMs); // every time: the dearest case
      DrawReadout(canvas, *scope, {true, true}, readout);
      canvas.Release();
    }
  }
}
BENCHMARK(ReadoutDrawing);

// An export of a frame with both traces at the fastest sweep (506 points each).
void Export(benchmark::State &state) {
  std::array<TTraceControls, 2> controls{};
  auto scope = CapturedTone(1);
  auto frame = std::make_unique<TTraceFrame>();
  (*scope)[chI].PendingFrames = (*scope)[chII].PendingFrames = static_cast<int32_t>(TraceReach((*scope)[chI]));
  PlanFrame(*scope, controls, {}, *frame);
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string csv = TracesCsv(*frame);
    bytes += csv.size();
    benchmark::DoNotOptimize(csv.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(Export)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return RunOffscreenBenchmarks(argc, argv); } // the surface needs the application
