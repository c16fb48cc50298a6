#include "app/xy_figure.h"

#include "app/frame_ring.h"

#include <algorithm>

namespace {

int64_t PointCount(const TChannelState &pacing) {
  const int64_t columns = std::max(pacing.SpanWidth, 0) / std::max(pacing.PixelStep, 1);
  return std::clamp<int64_t>(columns + 2, 2, MaxTracePoints);
}

int32_t Clamped(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

} // namespace

void ComputeXYFigure(const TScopeState &state, int32_t start, const std::array<bool, 2> &on,
                     std::array<TTracePoints, 2> &traces, TTracePoints &figure) {
  const TChannelState &across = state[chI];
  const TChannelState &upDown = state[chII];
  const int64_t count = PointCount(across);
  const int64_t step = std::max(across.SampleStep, 1);
  // The knobs move the figure by as much as they have moved from where they start.
  const int64_t zeroColumn = XYCentreColumn + (int64_t{across.XStart} - InitialXStart);
  const int64_t zeroRow = XYCentreRow + (int64_t{upDown.VertOffset} - InitialVertOffsets[chII]);
  const int32_t first = WrapRing(start);
  for (TTracePoints &trace : traces) {
    trace.Count = static_cast<int>(count);
    trace.FirstFrame = first;
    trace.Frames = static_cast<int32_t>(std::min<int64_t>((count - 1) * step + 1, RingFrames));
  }
  figure.Count = static_cast<int>(count);
  for (int i = 0; i < count; ++i) {
    const int64_t r = int64_t{first} + i * step;
    const int32_t x = SampleAt(state, chI, r);
    const int32_t y = SampleAt(state, chII, r);
    traces[chI].Levels[i] = static_cast<float>(x - across.DcLevel);
    traces[chII].Levels[i] = static_cast<float>(y - upDown.DcLevel);
    const int64_t dx = on[chI] ? Deviation(x, across.DcLevel, across.VoltShift) : 0;
    const int64_t dy = on[chII] ? Deviation(y, upDown.DcLevel, upDown.VoltShift) : 0;
    figure.Points[i] = {Clamped(zeroColumn + dx), Clamped(zeroRow + dy)};
  }
}
