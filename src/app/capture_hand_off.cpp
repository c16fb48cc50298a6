#include "app/capture_hand_off.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

void AddPending(int32_t &pending, int frames) {
  // A channel that waits for a very long span keeps counting; saturate instead of wrapping.
  const int64_t sum = static_cast<int64_t>(pending) + frames;
  pending = static_cast<int32_t>(std::min<int64_t>(sum, std::numeric_limits<int32_t>::max()));
}

} // namespace

int CopyStagedFrames(TScopeState &state, int bytes) {
  const int frames = std::clamp(bytes, 0, StagingBytes) / FrameBytes;
  if (frames == 0)
    return 0;
  // The wrap uses the ring's own length, so a hand-off before the ring was set up cannot run
  // past it.
  const int w = std::clamp(state.WriteIndex, 0, RingLastIndex);
  const uint8_t *source = state.StagingArea.data();
  TSampleFrame *ring = state.FrameRing.data();
  if (w + frames <= RingLastIndex) {
    std::memcpy(ring + w, source, static_cast<size_t>(frames) * FrameBytes);
    state.WriteIndex = w + frames;
  } else {
    const int head = RingFrames - w;
    std::memcpy(ring + w, source, static_cast<size_t>(head) * FrameBytes);
    std::memcpy(ring, source + static_cast<size_t>(head) * FrameBytes, static_cast<size_t>(frames - head) * FrameBytes);
    state.WriteIndex = w + frames - RingFrames;
  }
  state.FilledFrames = std::min(state.FilledFrames + frames, RingFrames);
  AddPending(state[chI].PendingFrames, frames);
  AddPending(state[chII].PendingFrames, frames);
  return frames;
}
