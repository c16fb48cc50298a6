#include "app/trace_points.h"
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

TEST_F(TraceSchedule, ChannelIsReadyOnlyOnceEveryFrameItsTraceReadsIsCaptured) {
  // A trace of 504 columns reads 506 samples and the sync search may move it 21 frames on: more
  // than the span is pending at 505 already, but the last points would be frames not yet captured.
  EXPECT_EQ(TraceReach(State[chI]), 527);
  State[chI].PendingFrames = 504;
  State[chII].PendingFrames = 526;
  State[chII].ReadIndex = 1000;
  State.FilledFrames = 1526;
  EXPECT_FALSE(TakeReadyTraces(State).Any());
  EXPECT_EQ(State[chI].PendingFrames, 504) << "a waiting channel keeps its count";
  EXPECT_EQ(State[chII].PendingFrames, 526);

  State[chII].PendingFrames = 527;
  const TReadyTraces traces = TakeReadyTraces(State);
  EXPECT_FALSE(traces.Ready[chI]);
  EXPECT_EQ(State[chI].ReadIndex, 0);
  ASSERT_TRUE(traces.Ready[chII]);
  EXPECT_EQ(traces.Start[chII], 1000) << "the trace starts where the channel was";
  EXPECT_EQ(traces.LookBack[chII], 20) << "a full look back: 999 frames before the start are current";
  EXPECT_EQ(State[chII].PendingFrames, 22) << "the span and the frame after it are consumed";
  EXPECT_EQ(State[chII].ReadIndex, 1505) << "the next trace starts 505 frames later";
  EXPECT_TRUE(traces.Any());
}

TEST_F(TraceSchedule, TheReachFollowsPixelStepAndWidth) {
  State[chI].PixelStep = 3;  // 504 / 3 + 1 = 169 samples
  State[chI].SampleStep = 7; // 168 steps of 7 frames
  EXPECT_EQ(TraceReach(State[chI]), 21 + 169 * 7 + 1);
  State[chI].SpanWidth = 554;
  State[chI].PixelStep = 1;
  State[chI].SampleStep = MaxSampleStep;
  EXPECT_LE(TraceReach(State[chI]) + MaxSyncOffset, RingFrames) << "the slowest trace at the widest trim fits";
}

TEST_F(TraceSchedule, RightAfterARestartTheSyncSearchDoesNotLookBack) {
  RestartRingFromStart(State);
  State.FilledFrames = 600;
  State[chI].PendingFrames = 600;
  const TReadyTraces traces = TakeReadyTraces(State);
  ASSERT_TRUE(traces.Ready[chI]);
  EXPECT_EQ(traces.LookBack[chI], 0) << "the frames before index 0 are from before the restart";
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

  // A full ring pending is still a normal trace; one frame more and its first frame is gone.
  State[chI].PendingFrames = RingFrames;
  State.FilledFrames = RingFrames;
  const TReadyTraces full = TakeReadyTraces(State);
  EXPECT_TRUE(full.Ready[chI]);
  EXPECT_EQ(full.LookBack[chI], 0) << "the frames before the start have been overwritten";
  EXPECT_EQ(State[chI].PendingFrames, RingFrames - 505);
  State[chI].PendingFrames = RingFrames + 1;
  EXPECT_FALSE(TakeReadyTraces(State).Any());
  EXPECT_EQ(State[chI].SkipFactor, 2) << "no overwritten frame is drawn, not even short of a ring past the span";
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

TEST_F(TraceSchedule, SkipRisesOnlyWhileATraceStillFitsInTheRing) {
  State[chI].SampleStep = 40; // a span of 20160: a second pass would need 40320 frames, a third 60480
  State[chI].SkipFactor = 2;
  State[chI].PendingFrames = RingFrames + 10;
  TakeReadyTraces(State);
  EXPECT_EQ(State[chI].SkipFactor, 2) << "a span of three passes could never be pending within one ring";
  EXPECT_EQ(State[chI].PendingFrames, 0);
}

TEST_F(TraceSchedule, HugeSpanNeverOverflowsTheArithmetic) {
  State[chI].SampleStep = 2000000;
  State[chI].SpanWidth = 554;
  State[chI].SkipFactor = 3;
  State[chI].PendingFrames = 2147483647;
  EXPECT_FALSE(TakeReadyTraces(State).Ready[chI]);
  EXPECT_EQ(State[chI].SkipFactor, 3);
  EXPECT_EQ(State[chI].PendingFrames, 0);
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
