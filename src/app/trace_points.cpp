#include "app/trace_points.h"

#include "app/frame_ring.h"

#include <algorithm>
#include <cstdint>

namespace {

int32_t Level64(int32_t value) { return value >> 6; } // floors, like the deviation

// Positions are worked out in 64 bits, so a far-off stored start column or a long-held knob cannot
// overflow them; the canvas clips whatever lies outside the surface.
TTracePoint Point(int64_t x, int64_t y) {
  auto clamp = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  return {clamp(x), clamp(y)};
}

} // namespace

int SyncOffset(const TScopeState &state, TChannel channel, int32_t start, int lookBack) {
  const int32_t wanted = Level64(state[channel].SyncRef);
  int offset = 0;
  while (offset != MaxSyncOffset &&
         (offset < -lookBack || Level64(SampleAt(state, channel, int64_t{start} + offset)) != wanted))
    offset = offset > 0 ? -offset : -offset + 1;
  return offset;
}

void ComputeTrace(TScopeState &state, TChannel channel, int32_t start, int lookBack, bool sync, bool x2,
                  TTracePoints &out) {
  TChannelState &fields = state[channel];
  const int64_t step = fields.SampleStep;
  const int64_t pixelStep = fields.PixelStep;
  const int64_t end = int64_t{fields.XStart} + fields.SpanWidth;
  const int64_t zeroRow = fields.VertOffset;
  const int pointsPerStep = x2 ? 2 : 1;
  auto dev = [&](int32_t sample) { return int64_t{Deviation(sample, fields.DcLevel, fields.VoltShift)}; };
  auto level = [&](int32_t sample) { return static_cast<float>(sample - fields.DcLevel); };

  int64_t r = WrapRing(int64_t{start} + (sync ? SyncOffset(state, channel, start, lookBack) : 0));
  int32_t sample = SampleAt(state, channel, r);
  fields.SyncRef = sample;
  out.FirstFrame = static_cast<int32_t>(r);
  int64_t x = fields.XStart;
  int count = 0;
  int64_t steps = 0;
  out.Levels[count] = level(sample);
  out.Points[count++] = Point(x, zeroRow + dev(sample));
  // A pixel step below 1 would never reach the end; the capacity bounds the loop as well.
  while (x <= end && count + pointsPerStep <= MaxTracePoints) {
    const int32_t previous = sample;
    r = WrapRing(r + step);
    ++steps;
    sample = SampleAt(state, channel, r);
    if (x2) {
      x += pixelStep;
      out.Levels[count] = (level(previous) + level(sample)) / 2;
      out.Points[count++] = Point(x, zeroRow + ((dev(previous) + dev(sample)) >> 1));
    }
    x += pixelStep;
    out.Levels[count] = level(sample);
    out.Points[count++] = Point(x, zeroRow + dev(sample));
  }
  out.Count = count;
  out.Frames = static_cast<int32_t>(std::min<int64_t>(steps * step + 1, RingFrames));
}
