#include "app/trace_schedule.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TraceSchedule : public testing::Test {
protected:
  void SetUp() override { State.LastIndex = RingLastIndex; }
  std::unique_ptr<TScopeState> Owner = std::make_unique<TScopeState>();
  TScopeState &State = *Owner;
};

TEST_F(TraceSchedule, MeanLevelTruncatesTowardZeroAndRestartsBothChannels) {
  // Channel I: -1, -1, 0 sums to -2, a mean of 0 (not -1). Channel II: 10, 20, 31, 40 gives 25.
  const int16_t left[] = {-1, -1, 0, 999};
  const int16_t right[] = {10, 20, 31, 40};
  for (int k = 0; k < 4; ++k)
    State.FrameRing[k] = {left[k], right[k]};
  State[chI].PendingFrames = 3;
  State[chII].PendingFrames = 4;
  State[chI].ReadIndex = 17;
  State.WriteIndex = 4;
  MeasureDcLevels(State);
  EXPECT_EQ(State[chI].DcLevel, 0);
  EXPECT_EQ(State[chII].DcLevel, 25);
  for (TChannel channel : {chI, chII}) {
    EXPECT_EQ(State[channel].PendingFrames, 0);
    EXPECT_EQ(State[channel].ReadIndex, 4) << "the next trace starts with the next block, not with old frames";
  }
}

TEST_F(TraceSchedule, MeanLevelOfMoreThanARingSumsTheRingOnce) {
  // Half the ring at full scale, half at zero: over exactly one ring the mean is half scale; a
  // sum that wrapped around for the 100000 pending frames would come out higher.
  for (int k = 0; k < RingFrames; ++k)
    State.FrameRing[k] = {static_cast<int16_t>(k < RingFrames / 2 ? 32766 : 0), -32768};
  State[chI].PendingFrames = 100000;
  State[chII].PendingFrames = 100000;
  MeasureDcLevels(State);
  EXPECT_EQ(State[chI].DcLevel, 16383);
  EXPECT_EQ(State[chII].DcLevel, -32768);
}

TEST_F(TraceSchedule, MeanLevelWithNothingPendingKeepsTheLevel) {
  State[chI].DcLevel = 42;
  State[chII].PendingFrames = -5;
  State[chII].DcLevel = -3;
  MeasureDcLevels(State);
  EXPECT_EQ(State[chI].DcLevel, 42);
  EXPECT_EQ(State[chII].DcLevel, -3);
  EXPECT_EQ(State[chII].PendingFrames, 0);
}

TEST_F(TraceSchedule, ChannelIsReadyOnlyWithMoreThanOneSpanPending) {
  State[chI].PendingFrames = 504;
  State[chII].PendingFrames = 505;
  State[chII].ReadIndex = 1000;
  const TReadyTraces traces = TakeReadyTraces(State);
  EXPECT_FALSE(traces.Ready[chI]);
  EXPECT_EQ(State[chI].PendingFrames, 504) << "a waiting channel keeps its count";
  EXPECT_EQ(State[chI].ReadIndex, 0);
  ASSERT_TRUE(traces.Ready[chII]);
  EXPECT_EQ(traces.Start[chII], 1000) << "the trace starts where the channel was";
  EXPECT_EQ(State[chII].PendingFrames, 0) << "the span and the frame after it are consumed";
  EXPECT_EQ(State[chII].ReadIndex, 1505) << "the next trace starts 505 frames later";
  EXPECT_TRUE(traces.Any());
}

TEST_F(TraceSchedule, SpanScalesWithStepAndSkipAndTheNextStartWraps) {
  State[chI].SampleStep = 3;
  State[chI].SpanWidth = 454;
  State[chI].SkipFactor = 2;
  EXPECT_EQ(TraceSpan(State[chI]), 2724);
  State[chI].PendingFrames = 2725;
  State[chI].ReadIndex = 47000;
  const TReadyTraces traces = TakeReadyTraces(State);
  ASSERT_TRUE(traces.Ready[chI]);
  EXPECT_EQ(State[chI].ReadIndex, 47000 + 2725 - RingFrames);
  EXPECT_EQ(State[chI].PendingFrames, 0);
}

TEST_F(TraceSchedule, FallingARingBehindClearsBothCountsAndRaisesSkip) {
  // Channel II is checked first: its overflow also takes channel I's frames in the same tick.
  State[chI].PendingFrames = 504 + RingFrames;
  State[chII].PendingFrames = 504 + RingFrames;
  State[chI].ReadIndex = 100;
  State.WriteIndex = 30000;
  const TReadyTraces traces = TakeReadyTraces(State);
  EXPECT_FALSE(traces.Any());
  EXPECT_EQ(State[chII].SkipFactor, 2);
  EXPECT_EQ(State[chI].SkipFactor, 1);
  EXPECT_EQ(State[chI].PendingFrames, 0);
  EXPECT_EQ(State[chII].PendingFrames, 0);
  // The frames behind the old read positions were overwritten: both go on from the newest one.
  EXPECT_EQ(State[chI].ReadIndex, 30000);
  EXPECT_EQ(State[chII].ReadIndex, 30000);

  // Exactly one ring left over is still a normal trace.
  State[chI].PendingFrames = 504 + RingLastIndex;
  EXPECT_TRUE(TakeReadyTraces(State).Ready[chI]);
  EXPECT_EQ(State[chI].PendingFrames, RingLastIndex - 1);
}

TEST_F(TraceSchedule, ChannelOneOverflowRaisesItsOwnSkipAfterChannelTwoWasTaken) {
  State[chI].PendingFrames = 504 + RingFrames;
  State[chII].PendingFrames = 600;
  const TReadyTraces traces = TakeReadyTraces(State);
  EXPECT_TRUE(traces.Ready[chII]);
  EXPECT_FALSE(traces.Ready[chI]);
  EXPECT_EQ(State[chI].SkipFactor, 2);
  EXPECT_EQ(State[chII].PendingFrames, 0) << "an overflow clears both counts";
}

TEST_F(TraceSchedule, HugeSpanNeverOverflowsTheArithmetic) {
  State[chI].SampleStep = 2000000;
  State[chI].SpanWidth = 554;
  State[chI].SkipFactor = 3;
  State[chI].PendingFrames = 2147483647;
  EXPECT_FALSE(TakeReadyTraces(State).Ready[chI]);
  EXPECT_EQ(State[chI].PendingFrames, 2147483647);
}

} // namespace

TEST_F(TraceSchedule, TheReadPositionKeepsStepWithTheWriter) {
  // Blocks arrive and traces are taken for a long while: the frames a trace starts at are
  // always ones already captured, WriteIndex minus what is pending.
  for (int block = 0; block < 5000; ++block) {
    State.WriteIndex = static_cast<int32_t>((State.WriteIndex + 1234) % RingFrames);
    for (auto &channel : State.Channels)
      channel.PendingFrames += 1234;
    while (TakeReadyTraces(State).Any()) {
    }
    for (TChannel channel : {chI, chII}) {
      const int32_t unread =
          static_cast<int32_t>((State.WriteIndex - State[channel].ReadIndex + RingFrames) % RingFrames);
      ASSERT_EQ(unread, State[channel].PendingFrames) << "block " << block;
    }
  }
}
