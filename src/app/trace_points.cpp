#include "app/trace_points.h"

#include "app/frame_ring.h"

namespace {

int32_t Level64(int32_t value) { return value >> 6; } // floors, like the deviation

} // namespace

int SyncOffset(const TScopeState &state, TChannel channel, int32_t start) {
  const int32_t wanted = Level64(state[channel].SyncRef);
  int offset = 0;
  while (offset != MaxSyncOffset && Level64(SampleAt(state, channel, int64_t{start} + offset)) != wanted)
    offset = offset > 0 ? -offset : -offset + 1;
  return offset;
}

void ComputeTrace(TScopeState &state, TChannel channel, int32_t start, bool sync, bool x2, TTracePoints &out) {
  TChannelState &fields = state[channel];
  const int64_t step = fields.SampleStep;
  const int32_t pixelStep = fields.PixelStep;
  const int32_t end = fields.XStart + fields.SpanWidth;
  const int pointsPerStep = x2 ? 2 : 1;
  auto dev = [&](int64_t r) { return Deviation(SampleAt(state, channel, r), fields.DcLevel, fields.VoltShift); };

  int64_t r = WrapRing(int64_t{start} + (sync ? SyncOffset(state, channel, start) : 0));
  fields.SyncRef = SampleAt(state, channel, r);
  int32_t x = fields.XStart;
  int count = 0;
  out.Points[count++] = {x, fields.VertOffset + dev(r)};
  // A pixel step below 1 would never reach the end; the capacity bounds the loop as well.
  while (x <= end && count + pointsPerStep <= MaxTracePoints) {
    const int32_t a = dev(r);
    r = WrapRing(r + step);
    const int32_t b = dev(r);
    if (x2) {
      x += pixelStep;
      out.Points[count++] = {x, fields.VertOffset + ((a + b) >> 1)};
    }
    x += pixelStep;
    out.Points[count++] = {x, fields.VertOffset + b};
  }
  out.Count = count;
}
