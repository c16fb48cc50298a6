#include "app/channel_knobs.h"
#include "framework/edit.h"
#include "panel_fixture.h"
#include "platform/mixer/mixer_records.h"
#include "sound/capture_stream.h"
#include "widgets/speed_button.h"

#include <QFrame>
#include <QRadioButton>

namespace {

// The recording input through the mixer, on virtual mixers of every layout the panel may meet.
class PanelMixerTest : public PanelTest {
protected:
  TVexiloFrm &Activate() {
    TVexiloFrm &form = ShowActive();
    Settle();
    return form;
  }

  // Serves the change notices that are on their way.
  void Settle() { QTest::qWait(20); }
};

} // namespace

TEST_F(PanelMixerTest, TheInputsNameTheButtonsAndTheLineInputRecordsAtHalfVolume) {
  AddLineAndMicrophone();
  Mixer->SetValue(Mic.Volume, 1234);
  TVexiloFrm &form = Activate();
  const TScopeState &state = form.ScopeState();
  EXPECT_EQ(form.LinMuteBt->text(), "Line In");
  EXPECT_EQ(form.MicMuteBt->text(), "Mic");
  EXPECT_TRUE(form.LinMuteBt->isChecked());
  EXPECT_EQ(Mixer->Value(Line.Switch), 1u);
  EXPECT_EQ(Mixer->Value(Mic.Switch), 0u);
  EXPECT_EQ(Mixer->Value(Line.Volume), 0x8000u);
  EXPECT_EQ(Mixer->Value(Mic.Volume), 0x8000u);
  EXPECT_EQ(state.CurrentControl, Line.Volume) << "the last radio handler leaves the line's volume control";
  EXPECT_TRUE(state.HasMute);
  EXPECT_TRUE(state.MicVolumeAtStartRead);
  EXPECT_EQ(state.MicVolumeAtStart, 1234);
  EXPECT_NE(state.MixerHandle, 0u);
  EXPECT_TRUE(form.Channel[chII].SpBtnCntr->isEnabled());
  EXPECT_TRUE(Messages.empty());
}

TEST_F(PanelMixerTest, TheFirstLineSourceAndTheLastMicrophoneAreTaken) {
  AddInput(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, "Front mic");
  AddInput(MIXERLINE_COMPONENTTYPE_SRC_ANALOG, "Aux");
  AddInput(MIXERLINE_COMPONENTTYPE_SRC_LINE, "Line");
  AddInput(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, "Rear mic");
  TVexiloFrm &form = Activate();
  EXPECT_EQ(form.LinMuteBt->text(), "Aux");
  EXPECT_EQ(form.MicMuteBt->text(), "Rear mic");
  EXPECT_EQ(form.ScopeState().LineItem, 1);
  EXPECT_EQ(form.ScopeState().MicItem, 3);
}

TEST_F(PanelMixerTest, OutsideVolumeChangesArePutBackExceptDuringTheTest) {
  AddLineAndMicrophone();
  TVexiloFrm &form = Activate();
  Mixer->SetValue(Line.Volume, 100);
  Settle();
  EXPECT_EQ(Mixer->Value(Line.Volume), 0x8000u);
  Mixer->SetValue(Mic.Volume, 200);
  Settle();
  EXPECT_EQ(Mixer->Value(Mic.Volume), 0x8000u);

  // A notice that follows one of the scope's own writes is passed over once, whatever it names.
  form.ScopeState().IgnoreMixerNotify = true;
  Mixer->SetValue(Line.Volume, 300);
  Settle();
  EXPECT_EQ(Mixer->Value(Line.Volume), 300u);
  Mixer->SetValue(Line.Volume, 400);
  Settle();
  EXPECT_EQ(Mixer->Value(Line.Volume), 0x8000u);

  form.BtTest->SetDown(true); // the calibration test: the person sets the volumes
  Mixer->SetValue(Line.Volume, 500);
  Settle();
  EXPECT_EQ(Mixer->Value(Line.Volume), 500u);
}

TEST_F(PanelMixerTest, AVolumeChangedWhileTheScopeStartsIsPutBackToo) {
  AddLineAndMicrophone();
  // Changed elsewhere just after the scope set it, while the capture is being set up and before
  // the scope listens for notices: this change's notice reaches no one.
  bool changed = false;
  Device.Accepts = [&](const TWaveFormatEx &) {
    if (!changed)
      Mixer->SetValue(Line.Volume, 100);
    changed = true;
    return true;
  };
  Activate();
  ASSERT_TRUE(changed);
  EXPECT_EQ(Mixer->Value(Line.Volume), 0x8000u);
}

TEST_F(PanelMixerTest, AVolumeThatCannotBeReadIsNeitherPutBackNorGivenBack) {
  AddLineAndMicrophone();
  Mixer->FailingControls = {Line.Volume};
  TVexiloFrm &form = Activate();
  EXPECT_FALSE(form.ScopeState().LineVolumeAtStartRead);
  Mixer->FailingControls.clear();
  Mixer->SetValue(Line.Volume, 700);
  Mixer->FailingControls = {Line.Volume};
  const int writes = Mixer->WriteCount();
  Settle();
  EXPECT_EQ(Mixer->WriteCount(), writes) << "no volume written on a made-up reading";
  form.RestoreStartVolumes();
  Mixer->FailingControls.clear();
  EXPECT_EQ(Mixer->Value(Line.Volume), 700u) << "nor given back at the end";
  EXPECT_EQ(Mixer->Value(Mic.Volume), 0u) << "the microphone's reading worked: its start volume is back";
}

TEST_F(PanelMixerTest, TheMicrophoneTakesItsCalibrationAndSwitchesChannelTwoOff) {
  AddLineAndMicrophone();
  TVexiloFrm &form = Activate();
  TScopeState &state = form.ScopeState();
  state[chI].VoltShift = 3; // the line input's scale, kept when the input changes
  ClickMark(form.MicMuteBt);
  Settle();
  EXPECT_TRUE(form.MicMuteBt->isChecked());
  EXPECT_EQ(Mixer->Value(Mic.Switch), 1u);
  EXPECT_EQ(Mixer->Value(Line.Switch), 0u);
  EXPECT_EQ(form.Channel[chI].VDVl->text(), "0.00500000000000256");
  EXPECT_EQ(state.LineShift, 3);
  EXPECT_TRUE(form.Channel[chII].SpBtnCntr->Down());
  EXPECT_FALSE(form.Channel[chII].SpBtnCntr->isEnabled());
  EXPECT_FALSE(form.Channel[chII].CntrlPnl->isEnabled());
  EXPECT_EQ(state.CurrentControl, Mic.Volume);

  // A volume notice reads the selection from a volume control: that read fails, and the
  // buttons stay as they are.
  Mixer->SetValue(Mic.Volume, 10);
  Settle();
  EXPECT_TRUE(form.MicMuteBt->isChecked());

  ClickMark(form.LinMuteBt);
  Settle();
  EXPECT_EQ(Mixer->Value(Line.Switch), 1u);
  EXPECT_EQ(state[chI].VoltShift, 3);
  EXPECT_EQ(form.Channel[chI].VDVl->text(), "0.800000000000182");
  EXPECT_FALSE(form.Channel[chII].SpBtnCntr->Down());
  EXPECT_TRUE(form.Channel[chII].SpBtnCntr->isEnabled());
  EXPECT_TRUE(form.Channel[chII].CntrlPnl->isEnabled());
}

TEST_F(PanelMixerTest, ASingleSelectSelectorChoosesByPositionAndNeverTouchesAVolume) {
  Mic = AddInput(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, "Mic", false);
  Line = AddInput(MIXERLINE_COMPONENTTYPE_SRC_LINE, "Line", false);
  const uint32_t mux = Mixer->AddControl(Line.Line, MIXERCONTROL_CONTROLTYPE_MUX, 2);
  Mixer->SetValues(mux, {1, 0}); // the microphone (position 0) records
  TVexiloFrm &form = Activate();
  EXPECT_TRUE(form.ScopeState().SelectIsMux);
  EXPECT_FALSE(form.ScopeState().HasMute);
  EXPECT_TRUE(form.MicMuteBt->isChecked()) << "the selector's state is shown";
  EXPECT_TRUE(form.Channel[chII].SpBtnCntr->Down());
  EXPECT_EQ(Mixer->Values(mux), (std::vector<uint32_t>{1, 0}));
  ClickMark(form.LinMuteBt);
  Settle();
  EXPECT_EQ(Mixer->Values(mux), (std::vector<uint32_t>{0, 1}));
  EXPECT_EQ(Mixer->Value(Line.Volume), 0x8000u) << "a selection is never written into a volume";
  EXPECT_EQ(Mixer->Value(Mic.Volume), 0x8000u);
}

TEST_F(PanelMixerTest, AMultipleSelectSelectorKeepsEachInputFourEntriesApart) {
  Line = AddInput(MIXERLINE_COMPONENTTYPE_SRC_LINE, "Line", false);
  Mic = AddInput(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, "Mic", false);
  const uint32_t mixer = Mixer->AddControl(Line.Line, MIXERCONTROL_CONTROLTYPE_MIXER, 8);
  Mixer->SetValues(mixer, {0, 0, 0, 0, 1, 0, 0, 0}); // entry 4: the microphone at position 1
  TVexiloFrm &form = Activate();
  EXPECT_FALSE(form.ScopeState().SelectIsMux);
  EXPECT_TRUE(form.MicMuteBt->isChecked());
  ClickMark(form.LinMuteBt);
  Settle();
  EXPECT_EQ(Mixer->Values(mixer), (std::vector<uint32_t>{1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(PanelMixerTest, PositionsBeyondTheSelectionBufferAreLeftAlone) {
  constexpr uint32_t Synthesizer = 0x1004; // neither a line input nor a microphone
  for (int i = 0; i < 8; ++i)
    AddInput(Synthesizer, "Synth", false);
  Line = AddInput(MIXERLINE_COMPONENTTYPE_SRC_LINE, "Line", false); // position 8: entry 32
  Mic = AddInput(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, "Mic", false);
  const uint32_t mixer = Mixer->AddControl(Line.Line, MIXERCONTROL_CONTROLTYPE_MIXER, 31);
  std::vector<uint32_t> values(31, 7);
  Mixer->SetValues(mixer, values);
  TVexiloFrm &form = Activate();
  EXPECT_EQ(form.Tag(), 1) << "the scope runs";
  EXPECT_TRUE(form.LinMuteBt->isChecked()) << "no state read from outside the buffer";
  ClickMark(form.MicMuteBt);
  Settle();
  values.assign(31, 0);
  EXPECT_EQ(Mixer->Values(mixer), values) << "the inputs' own entries lie beyond it: nothing is set for them";
}

TEST_F(PanelMixerTest, AnInputTheMixerLacksCannotBeChosen) {
  Line = AddInput(MIXERLINE_COMPONENTTYPE_SRC_LINE, "Line");
  Mixer->SetValue(Line.Switch, 1);
  TVexiloFrm &form = Activate();
  EXPECT_FALSE(form.MicMuteBt->isEnabled());
  EXPECT_EQ(form.MicMuteBt->text(), "Microphone") << "the designed caption stays";
  EXPECT_TRUE(form.LinMuteBt->isEnabled());
}

TEST_F(PanelMixerTest, WithoutAMixerTheScopeSaysSoAndRunsOnTheLineInput) {
  Mixer->NoDevice = true;
  TVexiloFrm &form = Activate();
  EXPECT_EQ(Messages, std::vector<std::string>{"yest"});
  EXPECT_EQ(form.Tag(), 1);
  EXPECT_EQ(form.ScopeState().MixerHandle, 0u);
  EXPECT_EQ(form.LinMuteBt->text(), "Line in");
  EXPECT_EQ(form.MicMuteBt->text(), "Microphone");
  EXPECT_TRUE(form.LinMuteBt->isChecked());
  EXPECT_EQ(form.Channel[chI].VDVl->text(), "0.100000000000023") << "the line input's calibration";
  EXPECT_TRUE(form.CaptureStream() && form.CaptureStream()->IsCapturing());
}
