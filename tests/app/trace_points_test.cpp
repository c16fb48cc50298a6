#include "app/trace_points.h"

#include "app/frame_ring.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class TracePoints : public testing::Test {
protected:
  void SetUp() override {
    // A sawtooth on channel I (-100..99) and its mirror on channel II.
    for (int k = 0; k < RingFrames; ++k)
      State.FrameRing[k] = {static_cast<int16_t>(k % 200 - 100), static_cast<int16_t>(100 - k % 200)};
  }
  int32_t Left(int64_t k) const { return SampleAt(State, chI, k); }
  std::unique_ptr<TScopeState> Owner = std::make_unique<TScopeState>();
  TScopeState &State = *Owner;
  std::unique_ptr<TTracePoints> Out = std::make_unique<TTracePoints>();
};

TEST(FrameRing, PositionsWrapBothWays) {
  EXPECT_EQ(WrapRing(47990 + 20), 10);
  EXPECT_EQ(WrapRing(-1), RingLastIndex);
  EXPECT_EQ(WrapRing(-RingFrames - 3), RingFrames - 3);
  EXPECT_EQ(WrapRing(RingFrames), 0);
}

TEST(FrameRing, DeviationFloorsNegativeValues) {
  EXPECT_EQ(Deviation(-1, 0, 6), -1);
  EXPECT_EQ(Deviation(-64, 0, 6), -1);
  EXPECT_EQ(Deviation(-65, 0, 6), -2);
  EXPECT_EQ(Deviation(63, 0, 6), 0);
  EXPECT_EQ(Deviation(64, 0, 6), 1);
  EXPECT_EQ(Deviation(-32768, 32767, 0), -65535);
  EXPECT_EQ(Deviation(100, 36, 99), 0) << "an out-of-range shift is held in range";
}

TEST_F(TracePoints, PlainTraceDrawsOneSamplePerColumnAcrossTheSpan) {
  ComputeTrace(State, chI, 1000, MaxSyncOffset - 1, false, false, *Out);
  ASSERT_EQ(Out->Count, 506);
  for (int i = 0; i < 506; ++i)
    ASSERT_EQ(Out->Points[i], (TTracePoint{1 + i, 200 + Left(1000 + i)})) << "point " << i;
  EXPECT_EQ(Out->Points[505].X, State[chI].XStart + 505);
  EXPECT_EQ(State[chI].SyncRef, Left(1000));
}

TEST_F(TracePoints, ScaleOffsetAndStepsShapeThePoints) {
  TChannelState &fields = State[chII];
  fields.XStart = -10;
  fields.VertOffset = 300;
  fields.DcLevel = 20;
  fields.VoltShift = 2;
  fields.PixelStep = 3;
  fields.SampleStep = 7;
  ComputeTrace(State, chII, 47990, MaxSyncOffset - 1, false, false, *Out);
  // Columns -10, -7, ... while at most -10 + 504; the last point lies one step beyond.
  ASSERT_EQ(Out->Count, 170);
  for (int i = 0; i < Out->Count; ++i) {
    const int32_t sample = SampleAt(State, chII, 47990 + 7 * i);
    ASSERT_EQ(Out->Points[i], (TTracePoint{-10 + 3 * i, 300 + ((sample - 20) >> 2)})) << "point " << i;
  }
  EXPECT_EQ(SampleAt(State, chII, 47990 + 20), SampleAt(State, chII, 10));
}

TEST_F(TracePoints, TraceReadsOnAcrossTheRingEnd) {
  State[chI].SampleStep = 20;
  State.FrameRing[47990].Left = 7;
  State.FrameRing[10].Left = -9;
  ComputeTrace(State, chI, 47990, MaxSyncOffset - 1, false, false, *Out);
  EXPECT_EQ(Out->Points[0], (TTracePoint{1, 207}));
  EXPECT_EQ(Out->Points[1], (TTracePoint{2, 191})) << "47990 + 20 reads frame 10";
}

TEST_F(TracePoints, DoubledTraceAddsFlooredMidpoints) {
  State.FrameRing[500] = {-3, 0};
  State.FrameRing[501] = {0, 0};
  ComputeTrace(State, chI, 500, MaxSyncOffset - 1, false, true, *Out);
  // Two pixel steps per sample: x = 1, 3, ..., 505 start a step, 253 samples after the first.
  ASSERT_EQ(Out->Count, 507);
  EXPECT_EQ(Out->Points[0], (TTracePoint{1, 197}));
  EXPECT_EQ(Out->Points[1], (TTracePoint{2, 198})) << "(-3 + 0) / 2 floors to -2";
  EXPECT_EQ(Out->Points[2], (TTracePoint{3, 200}));
  for (int i = 1; i < Out->Count; i += 2) {
    const int32_t a = Left(500 + i / 2);
    const int32_t b = Left(500 + i / 2 + 1);
    ASSERT_EQ(Out->Points[i], (TTracePoint{1 + i, 200 + ((a + b) >> 1)})) << "midpoint " << i;
    ASSERT_EQ(Out->Points[i + 1], (TTracePoint{2 + i, 200 + b})) << "sample point " << i + 1;
  }
  EXPECT_EQ(Out->Points[506].X, 507);
}

TEST_F(TracePoints, PointsNeverExceedTheirCapacity) {
  State[chI].SpanWidth = 5000;
  ComputeTrace(State, chI, 0, MaxSyncOffset - 1, false, true, *Out);
  EXPECT_LE(Out->Count, MaxTracePoints);
  State[chI].PixelStep = 0;
  ComputeTrace(State, chI, 0, MaxSyncOffset - 1, false, false, *Out);
  EXPECT_EQ(Out->Count, MaxTracePoints);
}

TEST_F(TracePoints, FarOffPositionsSaturateInsteadOfWrapping) {
  State[chI].XStart = 2147483500; // as a damaged settings file might hold
  State[chI].VertOffset = -2147483600;
  ComputeTrace(State, chI, 0, MaxSyncOffset - 1, false, false, *Out);
  ASSERT_EQ(Out->Count, 506);
  EXPECT_EQ(Out->Points[0], (TTracePoint{2147483500, INT32_MIN})) << "sample -100 lies beyond the row range";
  EXPECT_EQ(Out->Points[100], (TTracePoint{2147483600, -2147483600})) << "sample 0";
  EXPECT_EQ(Out->Points[505].X, INT32_MAX);
}

// The search order: 0, 1, -1, 2, -2, ..., 20, -20, 21.
std::vector<int> SearchOrder() {
  std::vector<int> order{0};
  for (int o = 1; o <= 20; ++o) {
    order.push_back(o);
    order.push_back(-o);
  }
  order.push_back(21);
  return order;
}

TEST_F(TracePoints, SyncSearchTriesOffsetsInOrderAndFallsBackToTwentyOne) {
  const std::vector<int> order = SearchOrder();
  const int32_t start = 5; // the search reaches back across the ring's start
  State[chI].SyncRef = 1000;
  for (size_t first = 0; first < order.size(); ++first) {
    for (int o = -25; o <= 25; ++o)
      State.FrameRing[WrapRing(start + o)].Left = -500;
    for (size_t later = first; later < order.size(); ++later)
      State.FrameRing[WrapRing(start + order[later])].Left = 1000;
    ASSERT_EQ(SyncOffset(State, chI, start, MaxSyncOffset - 1), order[first]) << "matches from position " << first;
  }
  for (int o = -25; o <= 25; ++o)
    State.FrameRing[WrapRing(start + o)].Left = -500;
  EXPECT_EQ(SyncOffset(State, chI, start, MaxSyncOffset - 1), 21) << "no match at all";
}

TEST_F(TracePoints, SyncSearchNeverLooksBehindTheFramesItMayRead) {
  // Only two frames before the start are current: the match three frames back is stale.
  State[chI].SyncRef = 1000;
  for (int o = -25; o <= 25; ++o)
    State.FrameRing[WrapRing(o)].Left = -500;
  State.FrameRing[WrapRing(-3)].Left = 1000;
  EXPECT_EQ(SyncOffset(State, chI, 0, 2), 21) << "offset -3 is left out";
  EXPECT_EQ(SyncOffset(State, chI, 0, 3), -3);
  State.FrameRing[WrapRing(-2)].Left = 1000;
  EXPECT_EQ(SyncOffset(State, chI, 0, 2), -2);
  EXPECT_EQ(SyncOffset(State, chI, 0, 0), 21) << "right after a restart nothing before the start counts";
}

TEST_F(TracePoints, SyncComparesInStepsOfSixtyFourAndMovesTheTrace) {
  State[chII].SyncRef = -1; // level -1 covers -64..-1
  State.FrameRing[100].Right = 0;
  State.FrameRing[101].Right = -65;
  State.FrameRing[99].Right = -64;
  EXPECT_EQ(SyncOffset(State, chII, 100, MaxSyncOffset - 1), -1);
  ComputeTrace(State, chII, 100, MaxSyncOffset - 1, true, false, *Out);
  EXPECT_EQ(Out->Points[0], (TTracePoint{1, 300 - 64}));
  EXPECT_EQ(State[chII].SyncRef, -64);
  ComputeTrace(State, chII, 100, MaxSyncOffset - 1, false, false, *Out);
  EXPECT_EQ(Out->Points[0], (TTracePoint{1, 300})) << "sync off starts where asked";
}

} // namespace
