#pragma once

#include "app/scope_state.h"

#include <algorithm>
#include <cstdint>

// Reading the ring: positions wrap by its length, samples are sign-extended, and a sample's
// deviation from the channel's mean is scaled by a power of two rounding down, so small negative
// deviations stay small and negative.

inline int32_t WrapRing(int64_t position) {
  const int64_t wrapped = position % RingFrames;
  return static_cast<int32_t>(wrapped < 0 ? wrapped + RingFrames : wrapped);
}

inline int32_t SampleAt(const TScopeState &state, TChannel channel, int64_t position) {
  const TSampleFrame &frame = state.FrameRing[WrapRing(position)];
  return channel == chI ? frame.Left : frame.Right;
}

inline int32_t Deviation(int32_t sample, int32_t dcLevel, int32_t voltShift) {
  // Signed right shift floors; the shift is kept in range whatever a damaged setting holds.
  const int64_t difference = static_cast<int64_t>(sample) - dcLevel;
  return static_cast<int32_t>(difference >> std::clamp(voltShift, 0, 62));
}
