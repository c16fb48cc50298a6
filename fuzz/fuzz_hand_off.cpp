// Hands captured blocks of arbitrary sizes to the ring, read by a stream that may give less or
// claim more than asked. The ring's indices stay inside it, each block's frames are counted, and
// the newest whole frame given is the one just before the write index.
#include "app/capture_hand_off.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace {

class TInput {
public:
  TInput(const uint8_t *data, size_t size) : FData(data), FSize(size) {}
  bool Empty() const { return FAt >= FSize; }
  int32_t Int() {
    int32_t value = 0;
    const size_t count = std::min<size_t>(sizeof(value), FSize - FAt);
    std::memcpy(&value, FData + FAt, count);
    FAt += count;
    return value;
  }
  // `count` bytes into `buffer`, zeros once the input is used up.
  void Bytes(uint8_t *buffer, int count) {
    const size_t taken = std::min<size_t>(size_t(count), FSize - FAt);
    std::memcpy(buffer, FData + FAt, taken);
    std::memset(buffer + taken, 0, size_t(count) - taken);
    FAt += taken;
  }

private:
  const uint8_t *FData;
  size_t FSize;
  size_t FAt = 0;
};

void Check(bool condition) {
  if (!condition)
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // One state for every input: the hand-off never reads a ring or staging byte before it writes
  // it, so only the counters start afresh (clearing the whole state cost more than the run).
  static const std::unique_ptr<TScopeState> state = std::make_unique<TScopeState>();
  state->Channels = {};
  state->LastBlockFrames = 0;
  TInput input(data, size);
  state->WriteIndex = input.Int();
  state->FilledFrames = std::clamp(input.Int(), 0, RingFrames);
  state->Channels[chI].PendingFrames = input.Int();
  bool copied = false;
  while (!input.Empty()) {
    const int readable = input.Int();
    int64_t expected = 0;
    bool framed = false;
    TSampleFrame newest;
    const int64_t pendingBefore = state->Channels[chI].PendingFrames;
    HandOffBlock(*state, readable, [&](uint8_t *buffer, int count) {
      Check(count > 0 && count <= StagingBytes);
      // An exhausted input claims nothing, so every block ends.
      const int claimed = input.Empty() ? 0 : input.Int();
      const int given = std::clamp(claimed, 0, count);
      input.Bytes(buffer, given);
      if (given >= FrameBytes) {
        std::memcpy(&newest, buffer + (given / FrameBytes - 1) * FrameBytes, FrameBytes);
        framed = true;
      }
      expected += given / FrameBytes;
      return claimed;
    });
    Check(state->LastBlockFrames == expected);
    // A write index from before the ring was set up is only put right by a copy.
    copied = copied || expected > 0;
    Check(!copied || (state->WriteIndex >= 0 && state->WriteIndex <= RingLastIndex));
    Check(state->FilledFrames >= 0 && state->FilledFrames <= RingFrames);
    const int64_t pending = std::min<int64_t>(pendingBefore + expected, std::numeric_limits<int32_t>::max());
    Check(state->Channels[chI].PendingFrames == pending);
    if (framed) {
      const TSampleFrame &last = state->FrameRing[size_t((state->WriteIndex + RingLastIndex) % RingFrames)];
      Check(last.Left == newest.Left && last.Right == newest.Right);
    }
  }
  return 0;
}
