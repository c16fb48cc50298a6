#pragma once

#include <cstdint>

// Ring and staging sizes are fixed: the ring keeps one second at 48 kHz, and the staging area
// holds as many frames as the ring (RingFrames x FrameBytes bytes), so one pass never copies more
// than the ring holds.
constexpr int RingFrames = 48000;
constexpr int RingLastIndex = RingFrames - 1;
constexpr int FrameBytes = 4;
constexpr int StagingBytes = RingFrames * FrameBytes;

// One captured frame: channel I (left) first, then channel II (right), signed 16-bit.
struct TSampleFrame {
  int16_t Left = 0;
  int16_t Right = 0;
};
static_assert(sizeof(TSampleFrame) == FrameBytes);
