#include "app/trace_frame.h"
#include "app/xy_figure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace {

// Channel I a cosine and channel II a sine of the same frequency: a circle, 200 frames a turn.
class XYFigure : public testing::Test {
protected:
  void SetUp() override {
    for (int k = 0; k < RingFrames; ++k) {
      const double phase = 2 * std::numbers::pi * k / 200;
      State.FrameRing[k] = {static_cast<int16_t>(std::lround(Radius * std::cos(phase))),
                            static_cast<int16_t>(std::lround(Radius * std::sin(phase)))};
    }
  }
  void Compute(int32_t start, std::array<bool, 2> on = {true, true}) {
    ComputeXYFigure(State, start, on, Frame->Traces, Frame->Figure);
  }
  static constexpr double Radius = 100;
  std::unique_ptr<TScopeState> Owner = std::make_unique<TScopeState>();
  TScopeState &State = *Owner;
  std::unique_ptr<TTraceFrame> Frame = std::make_unique<TTraceFrame>();
};

TEST_F(XYFigure, TwoSinesAQuarterTurnApartDrawACircleAroundTheCentre) {
  Compute(47900); // across the ring's end
  const TTracePoints &figure = Frame->Figure;
  ASSERT_EQ(figure.Count, 506) << "as many points as channel I's trace";
  double leftmost = 1e9, rightmost = -1e9, top = 1e9, bottom = -1e9;
  for (int i = 0; i < figure.Count; ++i) {
    const double dx = figure.Points[i].X - XYCentreColumn, dy = figure.Points[i].Y - XYCentreRow;
    ASSERT_NEAR(std::hypot(dx, dy), Radius, 1.5) << "point " << i;
    leftmost = std::min(leftmost, dx), rightmost = std::max(rightmost, dx);
    top = std::min(top, dy), bottom = std::max(bottom, dy);
  }
  EXPECT_NEAR(leftmost, -Radius, 1.5);
  EXPECT_NEAR(rightmost, Radius, 1.5);
  EXPECT_NEAR(top, -Radius, 1.5);
  EXPECT_NEAR(bottom, Radius, 1.5);
  EXPECT_EQ(Frame->Traces[chI].FirstFrame, 47900);
  EXPECT_EQ(Frame->Traces[chII].Frames, 506);
  EXPECT_FLOAT_EQ(Frame->Traces[chI].Levels[150], State.FrameRing[(47900 + 150) % RingFrames].Left);
  EXPECT_FLOAT_EQ(Frame->Traces[chII].Levels[150], State.FrameRing[(47900 + 150) % RingFrames].Right);
}

TEST_F(XYFigure, EachChannelKeepsItsScaleMeanAndPositionAndAnOffChannelStaysAtZero) {
  State[chI].VoltShift = 1;     // half as wide
  State[chII].DcLevel = 40;     // the zero row moves 40 units up the signal
  State[chI].XStart = 11;       // ten columns right
  State[chII].VertOffset = 280; // twenty rows up
  State[chI].SampleStep = 4;
  Compute(0);
  const TTracePoint first = Frame->Figure.Points[0];
  EXPECT_EQ(first, (TTracePoint{XYCentreColumn + 10 + 50, XYCentreRow - 20 - 40}));
  EXPECT_EQ(Frame->Figure.Points[5].X, XYCentreColumn + 10 + (State.FrameRing[20].Left >> 1))
      << "a sample step of channel I between points";
  EXPECT_EQ(Frame->Traces[chI].Frames, (506 - 1) * 4 + 1);

  Compute(0, {false, true});
  for (int i = 0; i < Frame->Figure.Count; ++i)
    ASSERT_EQ(Frame->Figure.Points[i].X, XYCentreColumn + 10) << "channel I off: no deflection across";
  Compute(0, {true, false});
  for (int i = 0; i < Frame->Figure.Count; ++i)
    ASSERT_EQ(Frame->Figure.Points[i].Y, XYCentreRow - 20) << "channel II off: no deflection up or down";
}

TEST_F(XYFigure, PlanningPacesTheFigureByChannelI) {
  State.LastIndex = RingLastIndex;
  State.LastBlockFrames = 1000;
  State.FilledFrames = RingFrames;
  State[chII].PendingFrames = 600;
  std::array<TTraceControls, 2> controls{};
  PlanFrame(State, controls, {.XY = true}, *Frame);
  EXPECT_FALSE(Frame->Present) << "channel II alone is not enough";
  State[chI].PendingFrames = 600;
  controls[chII].Enabled = false;
  PlanFrame(State, controls, {.XY = true}, *Frame);
  ASSERT_TRUE(Frame->Present);
  EXPECT_TRUE(Frame->XY);
  EXPECT_EQ(Frame->Draw, (std::array<bool, 2>{true, false}));
  EXPECT_EQ(Frame->Figure.Count, 506);
  EXPECT_DOUBLE_EQ(Frame->Scales[chII].MsPerPoint, 1000.0 / State.SampleRate) << "channel I's time";
}

} // namespace
