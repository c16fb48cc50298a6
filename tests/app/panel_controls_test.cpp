#include "app/channel_knobs.h"
#include "display/dx_timer.h"
#include "framework/edit.h"
#include "framework/track_bar.h"
#include "framework/up_down.h"
#include "panel_fixture.h"
#include "widgets/animated_image.h"
#include "widgets/speed_button.h"
#include "widgets/timer.h"

#include <QFrame>
#include <algorithm>

namespace {

// The controls of the channel panels, reached with the mouse and keys through the real window.
class PanelControlsTest : public PanelTest {
protected:
  // For frames the test lays out itself: the frame timer would measure levels and take traces
  // whenever events are served.
  TVexiloFrm &ShowActiveDrawnByHand() {
    TVexiloFrm &form = ShowActive();
    form.DXTimer1->SetEnabled(false);
    return form;
  }

  // Every frame holds the one sample per channel that `at` gives for its ring index.
  template <class F> void FillRingWith(F &&at, int pending) {
    FillRing(0, 0, pending);
    TScopeState &state = Form->ScopeState();
    for (int k = 0; k < RingFrames; ++k)
      state.FrameRing[k] = at(k);
  }

  // The columns of channel I's trace (aqua) at `row`, as runs of neighbouring columns.
  int AquaRunsAt(int row) {
    int runs = 0;
    bool inside = false;
    for (int x = 0; x < 504; ++x) {
      const bool aqua = Pixel(x, row) == Aqua;
      runs += aqua && !inside;
      inside = aqua;
    }
    return runs;
  }

  bool AnyAquaAt(int row) { return AquaRunsAt(row) > 0; }

  // A coarse copy of the back surface, to see whether a picture changed.
  std::vector<uint32_t> Picture() {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 504; y += 3)
      for (int x = 0; x < 504; x += 3)
        pixels.push_back(Pixel(x, y));
    return pixels;
  }
};

} // namespace

TEST_F(PanelControlsTest, VoltsKnobsScaleTheTraceAndShowTheirVoltsPerDivision) {
  TVexiloFrm &form = ShowActiveDrawnByHand();
  EXPECT_EQ(form.Tag(), 1);
  EXPECT_EQ(form.Channel[chI].VDVl->text(), "0.100000000000023") << "shown from the first activation";
  EXPECT_EQ(form.Channel[chII].VDVl->text(), "0.100000000000023");

  FillRing(128, 0, 2000);
  form.DXTimerTimer(nullptr, 1);
  EXPECT_TRUE(AnyAquaAt(200 + 128));
  Click(form.Channel[chI].VoltBt, Qt::RightButton); // twice the volts per division: half the height
  EXPECT_EQ(form.Channel[chI].VDVl->text(), "0.200000000000045");
  FillRing(128, 0, 2000);
  form.DXTimerTimer(nullptr, 1);
  EXPECT_TRUE(AnyAquaAt(200 + 64));
  EXPECT_FALSE(AnyAquaAt(200 + 128));
  Click(form.Channel[chI].VoltBt); // and back
  Click(form.Channel[chI].VoltBt); // at the limit the text is still written
  EXPECT_EQ(form.ScopeState()[chI].VoltShift, 0);
  EXPECT_EQ(form.Channel[chI].VDVl->text(), "0.100000000000023");
  EXPECT_EQ(form.Channel[chI].VoltBt->InactiveGlyph(), 1) << "released over the knob: the hover look";
}

TEST_F(PanelControlsTest, TimeKnobChangesThePeriodOfTheTrace) {
  TVexiloFrm &form = ShowActiveDrawnByHand();
  const auto square = [](int k) { return TSampleFrame{static_cast<int16_t>(k % 40 < 20 ? 64 : -64), 0}; };
  FillRingWith(square, 4000);
  form.DXTimerTimer(nullptr, 1);
  const int before = AquaRunsAt(200 + 64);        // a period of 40 pixels: about 13 high runs
  Click(form.Channel[chI].Time, Qt::RightButton); // two frames a point: 20 pixels a period
  EXPECT_EQ(form.ScopeState()[chI].SampleStep, 2);
  EXPECT_EQ(form.ScopeState().WriteIndex, 0) << "the ring starts over";
  EXPECT_EQ(form.Channel[chI].TimeVl->text(), "1.050") << "504 points two frames apart at 96 kHz";
  FillRingWith(square, 4000);
  form.DXTimerTimer(nullptr, 1);
  EXPECT_NEAR(AquaRunsAt(200 + 64), 2 * before, 1);
  EXPECT_GE(before, 12);
}

TEST_F(PanelControlsTest, ASwitchedOffChannelIsAbsentAndItsSyncReleased) {
  TVexiloFrm &form = ShowActiveDrawnByHand();
  TChannelControls &one = form.Channel[chI];
  TChannelControls &two = form.Channel[chII];
  Click(one.SinxroBt);
  EXPECT_TRUE(one.SinxroBt->Down());
  Click(two.SinxroBt);
  EXPECT_TRUE(two.SinxroBt->Down());
  EXPECT_FALSE(one.SinxroBt->Down()) << "sync is on for one channel at a time";
  Click(one.SinxroBt);

  Click(one.SpBtnCntr);
  EXPECT_TRUE(one.SpBtnCntr->Down());
  EXPECT_FALSE(one.CntrlPnl->isEnabled());
  EXPECT_FALSE(one.SinxroBt->Down());
  FillRing(0, 0, 2000);
  form.DXTimerTimer(nullptr, 1);
  EXPECT_FALSE(AnyAquaAt(200));
  EXPECT_EQ(Pixel(120, 300), Blue) << "channel II still shows";

  Click(one.SpBtnCntr);
  EXPECT_TRUE(one.CntrlPnl->isEnabled());
  EXPECT_FALSE(one.SinxroBt->Down()) << "switching on does not bring the sync back";
  FillRing(0, 0, 2000);
  form.DXTimerTimer(nullptr, 1);
  EXPECT_TRUE(AnyAquaAt(200));
}

TEST_F(PanelControlsTest, APositionKnobHeldStillMovesFasterAndFasterUntilTheMouseMoves) {
  TVexiloFrm &form = ShowActive();
  TAnimatedImage *knob = form.Channel[chI].VerticAnim;
  Press(knob);
  EXPECT_EQ(knob->InactiveGlyph(), 2);
  EXPECT_EQ(form.ScopeState()[chI].VertOffset, 201);
  EXPECT_TRUE(form.TimerBt->Enabled());
  Clock.Advance(1000); // five ticks
  EXPECT_EQ(form.ScopeState()[chI].VertOffset, 216);
  Release(knob);
  EXPECT_FALSE(form.TimerBt->Enabled());
  Clock.Advance(1000);
  EXPECT_EQ(form.ScopeState()[chI].VertOffset, 216);

  TAnimatedImage *horizontal = form.Channel[chII].HorizontAnm;
  Press(horizontal, Qt::RightButton);
  EXPECT_EQ(horizontal->InactiveGlyph(), 3);
  Clock.Advance(400);
  EXPECT_EQ(form.ScopeState()[chII].XStart, 1 - 1 - 1 - 2);
  MoveTo(form.Channel[chII].VoltBt); // moving the mouse, even with the button held, stops the repeat
  EXPECT_FALSE(form.TimerBt->Enabled());
  EXPECT_EQ(horizontal->InactiveGlyph(), 1) << "the held knob still hears the mouse";
  Clock.Advance(400);
  EXPECT_EQ(form.ScopeState()[chII].XStart, -3);
  Release(form.Channel[chII].VoltBt, Qt::RightButton);
}

TEST_F(PanelControlsTest, TrimsShiftsAndDoubledResolution) {
  TVexiloFrm &form = ShowActiveDrawnByHand();
  TChannelControls &one = form.Channel[chI];
  Click(one.Btx2);
  EXPECT_TRUE(one.Btx2->Down());
  EXPECT_EQ(form.ScopeState()[chI].ZoomFactor, 2);
  EXPECT_EQ(one.TimeVl->text(), "0.262") << "half of 0.525";
  Click(one.Btx2);
  EXPECT_EQ(one.TimeVl->text(), "0.525");

  // The width follows the trim one click behind.
  const QPoint upperArrow(one.UpDownFaze->width() / 2, one.UpDownFaze->height() / 4);
  for (int expected : {504, 505, 506}) {
    ClickAt(one.UpDownFaze, upperArrow);
    EXPECT_EQ(form.ScopeState()[chI].SpanWidth, expected);
  }
  EXPECT_EQ(one.UpDownFaze->Position(), 3);

  FillRing(0, 0, 2000); // the ring's read positions at 0
  Click(one.BtMnusFzCn);
  EXPECT_EQ(form.ScopeState()[chI].ReadIndex, RingLastIndex);
  Click(one.BtPlusFzCn);
  Click(one.BtPlusFzCn);
  EXPECT_EQ(form.ScopeState()[chI].ReadIndex, 1);
  EXPECT_EQ(form.ScopeState()[chII].ReadIndex, 0);

  Click(form.Channel[chII].TimeVl); // taking the focus slows channel II by ten frames a point
  EXPECT_EQ(form.ScopeState()[chII].SampleStep, 11);
  EXPECT_EQ(form.Channel[chII].TimeVl->text(), "5.775");
}

TEST_F(PanelControlsTest, SpaceHoldsThePictureWhileCaptureGoesOnAndOtherKeysOnlyFlipTheButton) {
  Device.SetSine(0, 1000, 0.002); // a trace about 65 rows high
  TVexiloFrm &form = ShowActive();
  const TScopeState &state = form.ScopeState();
  const int row = state[chI].VertOffset;
  ASSERT_TRUE(
      ServeUntil([&] { return AnyAquaAt(row) && state.WriteIndex > 20000; }, 20000, [&] { Device.Advance(10); }));

  Type('a');
  EXPECT_TRUE(form.CpFrameBt->Down()) << "the button looks pressed";
  EXPECT_TRUE(form.DXTimer1->Enabled()) << "but the picture runs on";
  Type(' ');
  EXPECT_FALSE(form.CpFrameBt->Down());
  EXPECT_TRUE(form.DXTimer1->Enabled());
  EXPECT_LT(state.WriteIndex, 20000) << "the release restarted the ring";

  ASSERT_TRUE(ServeUntil([&] { return AnyAquaAt(row); }, 20000, [&] { Device.Advance(10); }));
  Type(' ');
  EXPECT_TRUE(form.CpFrameBt->Down());
  EXPECT_FALSE(form.DXTimer1->Enabled());
  const std::vector<uint32_t> held = Picture();
  const int32_t pending = state[chI].PendingFrames;
  ASSERT_TRUE(
      ServeUntil([&] { return state[chI].PendingFrames > pending + 20000; }, 20000, [&] { Device.Advance(10); }));
  EXPECT_EQ(Picture(), held) << "capture goes on, the picture stays";

  Type(' ');
  EXPECT_FALSE(form.CpFrameBt->Down());
  EXPECT_TRUE(form.DXTimer1->Enabled());
  EXPECT_LT(state[chI].PendingFrames, 20000);
  ASSERT_TRUE(ServeUntil([&] { return Picture() != held; }, 20000, [&] { Device.Advance(10); }));
}

TEST_F(PanelControlsTest, AFormatChangeStartsTheAdaptationAfresh) {
  TVexiloFrm &form = ShowActive();
  for (auto &channel : form.ScopeState().Channels)
    channel.SkipFactor = 4;
  form.CngFrTbar->SetPosition(1);
  form.CngFrTbarChange(form.CngFrTbar);
  for (const auto &channel : form.ScopeState().Channels)
    EXPECT_EQ(channel.SkipFactor, 1);
}
