#include "app/channel_knobs.h"
#include "framework/edit.h"
#include "framework/track_bar.h"
#include "panel_fixture.h"
#include "platform/audio/virtual_playback_buffer.h"
#include "platform/mixer/mixer_records.h"
#include "sound/capture_stream.h"
#include "widgets/animated_image.h"
#include "widgets/speed_button.h"

#include <QDir>
#include <QFile>

namespace {

// The calibration test on the virtual playback device, in a folder of its own that holds the
// program's "Test.wav" (or not).
class PanelCalibrationTest : public PanelTest {
protected:
  void SetUp() override {
    PanelTest::SetUp();
    Before = QDir::currentPath();
    QDir::setCurrent(Folder.path());
    ASSERT_TRUE(QFile::copy(VEXILO_TEST_WAV, "Test.wav"));
    AddLineAndMicrophone();
  }
  void TearDown() override {
    PanelTest::TearDown();
    QDir::setCurrent(Before);
  }

  // Types into a volts/div box as a person does: the box's text selected and replaced.
  void TypeInto(TEdit *box, const char *text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
  }

  QTemporaryDir Folder;
  QString Before;
};

} // namespace

TEST_F(PanelCalibrationTest, TheTestPlaysTestWavInALoopAndTurnsTypedValuesIntoFactors) {
  TVexiloFrm &form = ShowActive();
  TScopeState &state = form.ScopeState();
  state[chI].VoltShift = 3;
  Click(form.BtTest);
  ASSERT_TRUE(form.BtTest->Down());
  EXPECT_TRUE(Messages.empty()) << (Messages.empty() ? "" : Messages[0]);
  EXPECT_TRUE(form.Channel[chI].VDVl->isEnabled());
  EXPECT_TRUE(form.Channel[chII].VDVl->isEnabled());
  ASSERT_EQ(Playback.BufferCount(), 1);
  EXPECT_EQ(Playback.PrimaryFormat.nSamplesPerSec, 44100u);
  EXPECT_EQ(Playback.PrimaryFormat.wBitsPerSample, 16);
  Playback.Advance(176400 * 3); // three seconds of a one-second file
  const std::vector<uint8_t> &played = Playback.Buffer(0).PlayedBytes();
  ASSERT_GE(played.size(), 176400u * 2);
  EXPECT_TRUE(std::equal(played.begin(), played.begin() + 176400, played.begin() + 176400)) << "it loops";

  // The person sets the volumes for the test; the scope leaves them alone meanwhile.
  Mixer->SetValue(Line.Volume, 40000);
  Mixer->SetValue(Mic.Volume, 1000);
  QTest::qWait(20);
  TypeInto(form.Channel[chI].VDVl, "0.8");
  TypeInto(form.Channel[chII].VDVl, "2");
  Click(form.BtTest);
  EXPECT_TRUE(Messages.empty()) << (Messages.empty() ? "" : Messages[0]);
  EXPECT_FALSE(form.BtTest->Down());
  EXPECT_EQ(form.TestStream(), nullptr);
  EXPECT_DOUBLE_EQ(state[chI].VoltFactor.Value(), 0.10000000000002274);
  EXPECT_DOUBLE_EQ(state[chII].VoltFactor.Value(), 2.0);
  EXPECT_FALSE(form.Channel[chI].VDVl->isEnabled());
  EXPECT_EQ(state.LineVolume, 40000) << "both inputs' volumes, whichever is selected";
  EXPECT_EQ(state.MicVolume, 1000);

  Click(form.Channel[chI].VoltBt, Qt::RightButton);
  Click(form.Channel[chI].VoltBt);
  EXPECT_EQ(form.Channel[chI].VDVl->text(), "0.800000000000182") << "the knob shows the calibration";
  Mixer->SetValue(Line.Volume, 5);
  QTest::qWait(20);
  EXPECT_EQ(Mixer->Value(Line.Volume), 40000u) << "the calibrated volume is held from now on";
}

TEST_F(PanelCalibrationTest, ABoxThatHoldsNoFactorIsRefusedAsTextThatIsNoNumber) {
  TVexiloFrm &form = ShowActive();
  TScopeState &state = form.ScopeState();
  Click(form.BtTest);
  TypeInto(form.Channel[chI].VDVl, "0.4");
  TypeInto(form.Channel[chII].VDVl, "0");
  Click(form.BtTest);
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0], "'0' is not a valid floating point value.");
  EXPECT_DOUBLE_EQ(state[chI].VoltFactor.Value(), TReal48(0.4).Value()) << "channel I was taken before";
  EXPECT_DOUBLE_EQ(state[chII].VoltFactor.Value(), TReal48(0.1).Value());
  EXPECT_TRUE(form.Channel[chII].VDVl->isEnabled());

  Messages.clear();
  Click(form.BtTest);
  TypeInto(form.Channel[chI].VDVl, "abc");
  Click(form.BtTest);
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0], "'abc' is not a valid floating point value.");
  EXPECT_DOUBLE_EQ(state[chI].VoltFactor.Value(), TReal48(0.4).Value()) << "both factors keep their values";
}

TEST_F(PanelCalibrationTest, WithoutTestWavOneMessageNamesTheFileAndCaptureGoesOn) {
  QFile::remove("Test.wav");
  TVexiloFrm &form = ShowActive();
  Click(form.BtTest);
  ASSERT_EQ(Messages.size(), 1u);
  const std::string path = QDir::current().absoluteFilePath("Test.wav").toStdString();
  EXPECT_EQ(Messages[0], "The calibration test cannot play " + path + ": Cannot open file Test.wav.");
  EXPECT_TRUE(form.CaptureStream()->IsCapturing());
  EXPECT_TRUE(form.BtTest->Down());
  EXPECT_TRUE(form.Channel[chI].VDVl->isEnabled());
  Click(form.BtTest); // releasing still ends the test cleanly
  EXPECT_EQ(Messages.size(), 1u);
  EXPECT_FALSE(form.Channel[chI].VDVl->isEnabled());
}

TEST_F(PanelCalibrationTest, AFormatChangeEndsTheTestWithoutTakingItsValues) {
  TVexiloFrm &form = ShowActive();
  Click(form.BtTest);
  TypeInto(form.Channel[chI].VDVl, "7");
  form.CngFrTbar->SetPosition(2);
  form.CngFrTbarChange(form.CngFrTbar);
  EXPECT_FALSE(form.BtTest->Down());
  EXPECT_EQ(form.TestStream(), nullptr);
  EXPECT_DOUBLE_EQ(form.ScopeState()[chI].VoltFactor.Value(), TReal48(0.1).Value());
  EXPECT_TRUE(form.Channel[chI].VDVl->isEnabled()) << "the boxes stay open, as they were";
  EXPECT_TRUE(Messages.empty());
}
