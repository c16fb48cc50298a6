#include "app/trace_frame.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TraceFrame : public testing::Test {
protected:
  void SetUp() override {
    State.LastIndex = RingLastIndex;
    State.LastBlockFrames = 1000;
  }
  std::unique_ptr<TScopeState> Owner = std::make_unique<TScopeState>();
  TScopeState &State = *Owner;
  std::unique_ptr<TTraceFrame> Frame = std::make_unique<TTraceFrame>();
  std::array<TTraceControls, 2> Controls{};
};

TEST_F(TraceFrame, StartUpWaitsForABlockSkipsOneTickThenMeasures) {
  State.LastBlockFrames = 0;
  State.FrameRing[0] = {40, -40};
  State[chI].PendingFrames = 1;
  State[chII].PendingFrames = 1;
  int tag = 0;
  EXPECT_FALSE(StartUpTick(State, tag));
  EXPECT_EQ(tag, 0);
  State.LastBlockFrames = 1;
  EXPECT_FALSE(StartUpTick(State, tag));
  EXPECT_EQ(tag, 1);
  EXPECT_EQ(State[chI].DcLevel, 0) << "the skipped tick measures nothing";
  EXPECT_TRUE(StartUpTick(State, tag));
  EXPECT_EQ(State[chI].DcLevel, 40);
  EXPECT_EQ(State[chII].DcLevel, -40);
}

TEST_F(TraceFrame, NothingCapturedOrNothingReadyPresentsNothing) {
  State[chI].PendingFrames = 504;
  PlanFrame(State, Controls, {}, *Frame);
  EXPECT_FALSE(Frame->Present);
  State.LastBlockFrames = 0;
  State[chI].PendingFrames = 5000;
  PlanFrame(State, Controls, {}, *Frame);
  EXPECT_FALSE(Frame->Present);
  EXPECT_EQ(State[chI].PendingFrames, 5000) << "nothing is consumed before the first block";
}

TEST_F(TraceFrame, BothChannelsOffStillPresentTheGrid) {
  Controls[chI].Enabled = Controls[chII].Enabled = false;
  State[chI].PendingFrames = State[chII].PendingFrames = 600;
  PlanFrame(State, Controls, {}, *Frame);
  EXPECT_TRUE(Frame->Present);
  EXPECT_FALSE(Frame->Draw[chI]);
  EXPECT_FALSE(Frame->Draw[chII]);
  EXPECT_EQ(State[chI].PendingFrames, 95) << "a switched-off channel still moves on";
}

TEST_F(TraceFrame, OnlyReadyChannelsAreDrawnWithTheirOwnControls) {
  State[chI].PendingFrames = 600;
  State[chII].PendingFrames = 100;
  State[chI].ReadIndex = 50;
  Controls[chI].X2 = true;
  PlanFrame(State, Controls, {}, *Frame);
  ASSERT_TRUE(Frame->Present);
  EXPECT_TRUE(Frame->Draw[chI]);
  EXPECT_FALSE(Frame->Draw[chII]);
  EXPECT_EQ(Frame->Traces[chI].Count, 507) << "x2 layout";
  EXPECT_EQ(State[chI].ReadIndex, 555);
}

} // namespace
