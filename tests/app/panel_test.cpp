#include "app/about_box.h"
#include "app/scope_state.h"
#include "app/vexilo_frm.h"
#include "device/library_cache.h"
#include "display/direct_draw_surface.h"
#include "display/dx_draw.h"
#include "display/dx_timer.h"
#include "framework/application.h"
#include "framework/track_bar.h"
#include "panel_fixture.h"
#include "platform/audio/virtual_capture.h"
#include "platform/audio/wave_format_record.h"
#include "sound/capture_stream.h"
#include "support/capture_wait.h"
#include "widgets/animated_image.h"
#include "widgets/power_switch.h"

#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

TEST_F(PanelTest, TheWindowIsBuiltFromItsDescription) {
  TVexiloFrm &form = Show();
  EXPECT_EQ(form.windowTitle(), "Scope");
  EXPECT_EQ(form.size(), QSize(693, 585));
  EXPECT_EQ(form.Tag(), 0);
  EXPECT_EQ(form.DXDraw1->parentWidget(), form.findChild<QFrame *>("Panel1"));
  EXPECT_EQ(form.DXDraw1->geometry(), QRect(6, 6, 504, 504));
  EXPECT_EQ(form.DXDraw1->Surface()->Width(), 504);
  EXPECT_EQ(form.Pover->geometry(), QRect(16, 530, 50, 53));
  EXPECT_EQ(form.Channel[chII].VoltBt->geometry(), QRect(11, 142, 52, 45));
  EXPECT_EQ(form.Channel[chII].VoltBt->parentWidget(), form.Channel[chII].CntrlPnl);
  EXPECT_EQ(form.DXTimer1->Interval(), 0);
  EXPECT_EQ(form.DXTimer1->MaxLag(), 100);
  EXPECT_FALSE(form.DXTimer1->ActiveOnly());
  // The grid shows before anything has been captured, and a tick with nothing ready keeps it.
  EXPECT_EQ(Pixel(0, 0), GridBackground);
  EXPECT_EQ(Pixel(100, 100), 0x808080u);
  form.DXTimerTimer(nullptr, 1);
  EXPECT_EQ(Pixel(0, 0), GridBackground);
  EXPECT_TRUE(Messages.empty());
}

TEST_F(PanelTest, FirstActivationCapturesWithTheFastest16BitStereoFormat) {
  TVexiloFrm &form = Show(); // every one of the 56 candidate formats is accepted
  form.FormActivate(nullptr);
  TSoundCaptureStream *stream = form.CaptureStream();
  ASSERT_NE(stream, nullptr);
  ASSERT_EQ(stream->SupportedFormats().Count(), 56);
  const auto &format = stream->SupportedFormats().Items(stream->FormatIndex());
  EXPECT_EQ(format.SamplesPerSec, 96000);
  EXPECT_EQ(format.BitsPerSample, 16);
  EXPECT_EQ(format.Channels, 2);
  EXPECT_TRUE(stream->IsCapturing());
  EXPECT_EQ(stream->BufferMilliseconds(), 300);
  EXPECT_EQ(form.CngFrTbar->Tag(), 7);
  EXPECT_EQ(form.CngFrTbar->Max(), 7);
  EXPECT_EQ(form.CngFrTbar->Position(), 7);
  EXPECT_EQ(form.CngFrTbar->Hint(), "96000Hz 16bit Stereo");
  EXPECT_EQ(form.ScopeState().SampleRate, 96000);
  EXPECT_EQ(form.ScopeState().LastIndex, RingLastIndex);
  EXPECT_EQ(form.Tag(), 1);
  // A second activation changes nothing: no second stream, no second device.
  form.FormActivate(nullptr);
  EXPECT_EQ(form.CaptureStream(), stream);
  EXPECT_EQ(Device.BufferCount(), 1);
}

TEST_F(PanelTest, CapturedBlocksFlowIntoTheRing) {
  Device.SetSine(0, 1000, 0.5);
  TVexiloFrm &form = Show();
  form.FormActivate(nullptr);
  EXPECT_TRUE(ServeUntil([&] { return form.ScopeState().LastBlockFrames > 0; }, 10000, [&] { Device.Advance(10); }));
  const TScopeState &state = form.ScopeState();
  EXPECT_GT(state[chI].PendingFrames, 0);
  EXPECT_EQ(state[chI].PendingFrames, state[chII].PendingFrames);
  int16_t peak = 0;
  for (int i = 0; i < state.WriteIndex; ++i)
    peak = std::max<int16_t>(peak, state.FrameRing[i].Left);
  EXPECT_NEAR(peak, 16384, 200);
}

TEST_F(PanelTest, MovingTheTrackbarRestartsCaptureWithItsFormat) {
  TVexiloFrm &form = Show();
  form.FormActivate(nullptr);
  form.ScopeState()[chI].PendingFrames = 1234;
  form.CngFrTbar->SetPosition(5); // the fifth 16-bit stereo format: 44100 Hz
  form.CngFrTbarChange(form.CngFrTbar);
  TSoundCaptureStream *stream = form.CaptureStream();
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->SupportedFormats().Items(stream->FormatIndex()).SamplesPerSec, 44100);
  EXPECT_EQ(form.CngFrTbar->Hint(), "44100Hz 16bit Stereo");
  EXPECT_EQ(form.ScopeState().SampleRate, 44100);
  EXPECT_EQ(form.ScopeState()[chI].PendingFrames, 0);
  EXPECT_TRUE(stream->IsCapturing());
}

TEST_F(PanelTest, WithoutA16BitStereoFormatTheScopeSaysSoAndRunsOn) {
  Device.Accepts = [](const TWaveFormatEx &f) { return f.wBitsPerSample == 8; };
  TVexiloFrm &form = Show();
  form.FormActivate(nullptr);
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].find("16-bit stereo"), std::string::npos);
  EXPECT_EQ(form.CaptureStream(), nullptr);
  EXPECT_FALSE(form.CngFrTbar->isEnabled());
  EXPECT_EQ(form.Tag(), 1);
}

TEST_F(PanelTest, ATraceIsDrawnInvertedAcrossItsSpan) {
  TVexiloFrm &form = Show();
  FillRing(0, 0, 600);
  form.ScopeState()[chII].PendingFrames = 0; // channel II not ready
  form.DXTimerTimer(nullptr, 1);
  // 506 points at columns 1 .. 506 (the line's end point is not drawn); the surface ends at 503.
  const int row = form.ScopeState()[chI].VertOffset;
  for (int x = 1; x <= 503; ++x)
    ASSERT_EQ(Pixel(x, row), Aqua) << "column " << x;
  EXPECT_EQ(Pixel(0, row), GridBackground);
  EXPECT_EQ(Pixel(1, row - 1), GridBackground);
  EXPECT_EQ(Pixel(1, row + 1), GridBackground);
  EXPECT_EQ(form.ScopeState()[chI].PendingFrames, 600 - 505);
  EXPECT_EQ(form.ScopeState()[chI].ReadIndex, 505);
}

TEST_F(PanelTest, EachFrameStartsFromTheBareGridAndOffChannelsAreLeftOut) {
  TVexiloFrm &form = Show();
  FillRing(0, 0, 2000);
  form.DXTimerTimer(nullptr, 1);
  const int rowI = form.ScopeState()[chI].VertOffset;
  const int rowII = form.ScopeState()[chII].VertOffset;
  EXPECT_EQ(Pixel(100, rowI), Aqua);
  EXPECT_EQ(Pixel(120, rowII), Blue);
  // Both channels off: the frame is still drawn and shows the grid alone.
  form.Channel[chI].CntrlPnl->setEnabled(false);
  form.Channel[chII].CntrlPnl->setEnabled(false);
  form.DXTimerTimer(nullptr, 1);
  EXPECT_EQ(Pixel(120, rowI), GridBackground);
  EXPECT_EQ(Pixel(120, rowII), GridBackground);
  EXPECT_EQ(Pixel(100, 100), 0x808080u); // a grid line
}

TEST_F(PanelTest, TheLabelOpensTheAboutBoxModally) {
  TVexiloFrm &form = Show();
  TAboutBox about;
  form.SetAboutBox(&about);
  QString caption;
  QTimer::singleShot(50, [&] {
    if (auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
      caption = box->windowTitle();
      box->findChild<QPushButton *>("OKButton")->click();
    }
  });
  form.RxLabel1Click(nullptr);
  EXPECT_EQ(caption, "About");
  EXPECT_EQ(about.result(), 1);
  EXPECT_EQ(about.size(), QSize(298, 213));
}
