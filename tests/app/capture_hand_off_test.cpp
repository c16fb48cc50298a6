#include "app/capture_hand_off.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// A stream of captured frames numbered from `first`: channel I carries the number, channel II
// its negation, so every frame's origin can be read back from the ring.
class TNumberedCapture {
public:
  explicit TNumberedCapture(int frames, int extraBytes = 0, int first = 1) {
    Bytes.resize(static_cast<size_t>(frames) * FrameBytes + extraBytes, 0xEE);
    for (int k = 0; k < frames; ++k) {
      const TSampleFrame frame{static_cast<int16_t>((first + k) % 30000), static_cast<int16_t>(-((first + k) % 30000))};
      std::memcpy(Bytes.data() + static_cast<size_t>(k) * FrameBytes, &frame, FrameBytes);
    }
  }
  int Readable() const { return static_cast<int>(Bytes.size()); }
  int Read(uint8_t *buffer, int count) {
    const int given = std::min(count, Readable() - Offset);
    std::memcpy(buffer, Bytes.data() + Offset, static_cast<size_t>(given));
    Offset += given;
    Passes.push_back(count);
    return given;
  }
  std::vector<uint8_t> Bytes;
  int Offset = 0;
  std::vector<int> Passes;
};

class CaptureHandOff : public testing::Test {
protected:
  void HandOff(TNumberedCapture &capture) {
    HandOffBlock(State, capture.Readable(), [&](uint8_t *buffer, int count) { return capture.Read(buffer, count); });
  }
  std::unique_ptr<TScopeState> Owner = std::make_unique<TScopeState>();
  TScopeState &State = *Owner;
};

TEST_F(CaptureHandOff, BlockEndingOnTheLastSlotWrapsWriteIndexToZero) {
  State.LastIndex = RingLastIndex;
  State.WriteIndex = 47000;
  TNumberedCapture capture(1000);
  HandOff(capture);
  EXPECT_EQ(State.WriteIndex, 0);
  EXPECT_EQ(State.LastBlockFrames, 1000);
  EXPECT_EQ(State.FrameRing[47000].Left, 1);
  EXPECT_EQ(State.FrameRing[47999].Left, 1000);
  EXPECT_EQ(State.FrameRing[47999].Right, -1000);
  EXPECT_EQ(State.FrameRing[0].Left, 0) << "nothing may spill past the end";
}

TEST_F(CaptureHandOff, BlockEndingBeforeTheLastSlotDoesNotWrap) {
  State.LastIndex = RingLastIndex;
  State.WriteIndex = 46999;
  TNumberedCapture capture(1000);
  HandOff(capture);
  EXPECT_EQ(State.WriteIndex, 47999);
  EXPECT_EQ(State.FrameRing[47998].Left, 1000);
  EXPECT_EQ(State.FrameRing[47999].Left, 0);
}

TEST_F(CaptureHandOff, WrappingBlockContinuesAtTheRingStartAndCountsForBothChannels) {
  State.LastIndex = RingLastIndex;
  State.WriteIndex = 47990;
  State[chI].PendingFrames = 5;
  State[chII].PendingFrames = 7;
  TNumberedCapture capture(20);
  HandOff(capture);
  EXPECT_EQ(State.WriteIndex, 10);
  EXPECT_EQ(State.FrameRing[47999].Left, 10);
  EXPECT_EQ(State.FrameRing[0].Left, 11);
  EXPECT_EQ(State.FrameRing[9].Right, -20);
  EXPECT_EQ(State.FrameRing[10].Left, 0);
  EXPECT_EQ(State[chI].PendingFrames, 25);
  EXPECT_EQ(State[chII].PendingFrames, 27);
}

TEST_F(CaptureHandOff, UnderOneFrameIsReadButCopiesNothing) {
  State.LastIndex = RingLastIndex;
  State.WriteIndex = 123;
  State.LastBlockFrames = 500;
  TNumberedCapture capture(0, 3);
  HandOff(capture);
  EXPECT_EQ(capture.Offset, 3) << "the bytes waiting are consumed";
  EXPECT_EQ(State.LastBlockFrames, 0);
  EXPECT_EQ(State.WriteIndex, 123);
  EXPECT_EQ(State[chI].PendingFrames, 0);
  EXPECT_EQ(State.FrameRing[123].Left, 0);
}

TEST_F(CaptureHandOff, OversizedBlockIsReadInStagingSizedPassesAndKeepsTheNewestRing) {
  // 96000 Hz 16-bit stereo with a one-second buffer: twice what the ring holds, plus a stray byte.
  State.LastIndex = RingLastIndex;
  State.WriteIndex = 100;
  TNumberedCapture capture(96000, 1);
  HandOff(capture);
  EXPECT_EQ(capture.Passes, (std::vector<int>{StagingBytes, StagingBytes, 1}));
  EXPECT_EQ(capture.Offset, capture.Readable());
  EXPECT_EQ(State.LastBlockFrames, 96000);
  EXPECT_EQ(State[chI].PendingFrames, 96000);
  EXPECT_EQ(State.WriteIndex, 100);
  // Frame n (1-based) of the block lands at (100 + n - 1) mod 48000; the newest 48000 win.
  for (int index : {0, 99, 100, 47999}) {
    const int newest = (index - 100 + RingFrames) % RingFrames + 48001;
    EXPECT_EQ(State.FrameRing[index].Left, newest % 30000) << "ring index " << index;
  }
}

TEST_F(CaptureHandOff, ShortReadCopiesOnlyWhatArrived) {
  State.LastIndex = RingLastIndex;
  TNumberedCapture capture(10);
  HandOffBlock(State, capture.Readable() + 400,
               [&](uint8_t *buffer, int count) { return capture.Read(buffer, count); });
  EXPECT_EQ(State.LastBlockFrames, 10);
  EXPECT_EQ(State.WriteIndex, 10);
  EXPECT_EQ(State.FrameRing[10].Left, 0);
}

TEST_F(CaptureHandOff, PendingCountSaturatesInsteadOfWrapping) {
  State.LastIndex = RingLastIndex;
  State[chI].PendingFrames = 2147483000;
  TNumberedCapture capture(1000);
  HandOff(capture);
  EXPECT_EQ(State[chI].PendingFrames, 2147483647);
  EXPECT_EQ(State[chII].PendingFrames, 1000);
}

} // namespace
