#include "app/channel_knobs.h"
#include "app/channel_switches.h"
#include "app/time_texts.h"
#include "app/trace_schedule.h"
#include "rtl/float_text.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ChannelControls : public testing::Test {
protected:
  void SetUp() override {
    State.LastIndex = RingLastIndex;
    State[chII].VertOffset = 300;
    State[chI].VertOffset = 200;
  }
  std::unique_ptr<TScopeState> Owner = std::make_unique<TScopeState>();
  TScopeState &State = *Owner;
};

TEST_F(ChannelControls, PositionKnobsMoveOnceAtThePressAndRepeatFasterAndFaster) {
  // Held still for one second (five ticks of 200 ms): 1 at the press, then 1 + 2 + 3 + 4 + 5.
  State.RepeatAction = PressPositionKnob(State, chI, pkVertical, true);
  EXPECT_EQ(State.RepeatAction, 0u);
  for (int tick = 0; tick < 5; ++tick)
    RepeatTick(State);
  EXPECT_EQ(State[chI].VertOffset, 200 + 16);
  EXPECT_EQ(State.RepeatStep, 6);

  // Each knob and button has its own code and direction; horizontal moves carry XEnd along.
  State.RepeatStep = 1;
  State.RepeatAction = PressPositionKnob(State, chII, pkHorizontal, false);
  EXPECT_EQ(State.RepeatAction, 7u);
  EXPECT_EQ(State[chII].XStart, 0);
  EXPECT_EQ(State[chII].XEnd, 504) << "XStart + SpanWidth after the press";
  RepeatTick(State);
  RepeatTick(State);
  EXPECT_EQ(State[chII].XStart, -3);
  EXPECT_EQ(State[chII].XEnd, 501);
  EXPECT_EQ(PressPositionKnob(State, chI, pkHorizontal, true), 2u);
  EXPECT_EQ(PressPositionKnob(State, chI, pkVertical, false), 1u);
  EXPECT_EQ(PressPositionKnob(State, chII, pkVertical, true), 4u);
  EXPECT_EQ(State[chI].XStart, 2);
  EXPECT_EQ(State[chI].XEnd, 506);
  EXPECT_EQ(State[chII].VertOffset, 301);
}

TEST_F(ChannelControls, ARepeatCodeOfNoKnobOnlyGrowsTheStepAndLongHoldsNeverWrap) {
  State.RepeatAction = 9;
  RepeatTick(State);
  EXPECT_EQ(State.RepeatStep, 2);
  EXPECT_EQ(State[chI].VertOffset, 200);

  State.RepeatAction = 0;
  State.RepeatStep = 2147483000;
  State[chI].VertOffset = 2147483000;
  RepeatTick(State);
  EXPECT_EQ(State[chI].VertOffset, 2147483647);
  State.RepeatStep = 2147483647;
  RepeatTick(State);
  EXPECT_EQ(State.RepeatStep, 2147483647);
}

TEST_F(ChannelControls, VoltsKnobStaysWithinItsSixteenStepsAndAlwaysRewritesTheText) {
  TChannelState &channel = State[chI];
  PressVoltKnob(channel, true);
  EXPECT_EQ(channel.VoltShift, 0) << "left at 0 stays 0";
  EXPECT_EQ(VoltsPerDivText(channel), "0.100000000000023") << "the 6-byte real of 0.1";
  for (int click = 0; click < 20; ++click)
    PressVoltKnob(channel, false);
  EXPECT_EQ(channel.VoltShift, 15);
  EXPECT_EQ(VoltsPerDivText(channel), FloatToStr(TReal48(0.1).Value() * 32768));
  PressVoltKnob(channel, true);
  EXPECT_EQ(channel.VoltShift, 14);

  channel.VoltFactor = TReal48(0.8 / 8);
  channel.VoltShift = 3;
  EXPECT_EQ(VoltsPerDivText(channel), "0.800000000000182");
}

TEST_F(ChannelControls, TimeKnobStepsFramesFirstThenPixelsAndBackInReverse) {
  TChannelState &channel = State[chI];
  channel.SampleStep = 3;
  const std::pair<int, int> faster[] = {{2, 1}, {1, 1}, {1, 2}, {1, 3}};
  for (const auto &[sampleStep, pixelStep] : faster) {
    PressTimeKnob(State, chI, true);
    EXPECT_EQ(channel.SampleStep, sampleStep);
    EXPECT_EQ(channel.PixelStep, pixelStep);
  }
  const std::pair<int, int> slower[] = {{1, 2}, {1, 1}, {2, 1}, {3, 1}};
  for (const auto &[sampleStep, pixelStep] : slower) {
    PressTimeKnob(State, chI, false);
    EXPECT_EQ(channel.SampleStep, sampleStep);
    EXPECT_EQ(channel.PixelStep, pixelStep);
  }
}

TEST_F(ChannelControls, TimeKnobRestartsTheRingAndTheAdaptation) {
  State.WriteIndex = 12345;
  State.FilledFrames = RingFrames;
  for (auto &channel : State.Channels) {
    channel.ReadIndex = 777;
    channel.PendingFrames = 4000;
    channel.SkipFactor = 4;
  }
  PressTimeKnob(State, chII, false);
  EXPECT_EQ(State[chII].SkipFactor, 1);
  EXPECT_EQ(State[chI].SkipFactor, 4) << "only the knob's own channel starts adapting afresh";
  EXPECT_EQ(State.WriteIndex, 0);
  EXPECT_EQ(State.FilledFrames, 0);
  for (const auto &channel : State.Channels) {
    EXPECT_EQ(channel.ReadIndex, 0);
    EXPECT_EQ(channel.PendingFrames, 0);
  }
}

TEST_F(ChannelControls, TheSlowestTimeBaseIsTheSlowestWhoseTraceFitsInTheRing) {
  TChannelState &channel = State[chII];
  channel.SampleStep = MaxSampleStep - 1;
  PressTimeKnob(State, chII, false);
  EXPECT_EQ(channel.SampleStep, MaxSampleStep);
  PressTimeKnob(State, chII, false);
  EXPECT_EQ(channel.SampleStep, MaxSampleStep) << "at the limit a right click changes nothing";
  SlowSweepOnEnter(channel);
  EXPECT_EQ(channel.SampleStep, MaxSampleStep) << "nor does entering the time text";
  channel.SampleStep = 5;
  SlowSweepOnEnter(channel);
  EXPECT_EQ(channel.SampleStep, 15);

  // At the widest trim, a whole trace of the slowest sweep is pending within one ring, and the
  // renderer takes it without ever reading an overwritten frame.
  channel.SampleStep = MaxSampleStep;
  channel.SpanWidth = TrimmedSpanWidth(50);
  State.FilledFrames = RingFrames;
  channel.PendingFrames = static_cast<int32_t>(TraceReach(channel));
  State[chI].PendingFrames = 0;
  EXPECT_TRUE(TakeReadyTraces(State).Ready[chII]);
}

TEST_F(ChannelControls, TimeTextsFollowZoomWidthAndRate) {
  State[chI].ZoomFactor = 2;
  State[chII].SpanWidth = TrimmedSpanWidth(-50);
  const auto texts = ComputeTimeTexts(State);
  EXPECT_EQ(texts[chI], "0.571") << "x2 halves the 1.143 ms/div";
  EXPECT_EQ(texts[chII], "1.029");
  State[chI].ZoomFactor = 1;
  State[chI].SampleStep = MaxSampleStep;
  EXPECT_EQ(ComputeTimeTexts(State)[chI], "98.286");
}

TEST_F(ChannelControls, WidthTrimReadsThePositionAsSixteenBits) {
  EXPECT_EQ(TrimmedSpanWidth(0), 504);
  EXPECT_EQ(TrimmedSpanWidth(-50), 454);
  EXPECT_EQ(TrimmedSpanWidth(50), 554);
  EXPECT_EQ(TrimmedSpanWidth(0x1FFFF), 503) << "only the low 16 bits count";
}

TEST_F(ChannelControls, ShiftsWrapAtTheRingsEndsAndKeepTheDistanceToTheWriter) {
  State.WriteIndex = 100;
  State[chI].ReadIndex = 0;
  State[chI].PendingFrames = 100;
  ShiftTrace(State, chI, -1);
  EXPECT_EQ(State[chI].ReadIndex, RingLastIndex);
  EXPECT_EQ(State[chI].PendingFrames, 101) << "one frame more to read before the newest";
  ShiftTrace(State, chI, +1);
  EXPECT_EQ(State[chI].ReadIndex, 0);
  EXPECT_EQ(State[chI].PendingFrames, 100);
  ShiftTrace(State, chI, +1);
  EXPECT_EQ(State[chI].ReadIndex, 1);
  EXPECT_EQ(State[chI].PendingFrames, 99);
  EXPECT_EQ(State[chII].ReadIndex, 0) << "the other channel stays";
}

} // namespace
