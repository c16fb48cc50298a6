#include "notice_window.h"

#include "platform/mixer/mixer_functions.h"
#include "platform/mixer/virtual_mixer.h"

#include <gtest/gtest.h>

namespace {

// The recording layout the scope is written against: a line input and a microphone on the
// recording destination, each with a VOLUME control and a record-select switch.
class VirtualMixerTest : public testing::Test {
protected:
  void SetUp() override {
    Recording = Mixer.AddDestination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, "Recording");
    Line = Mixer.AddSource(Recording, MIXERLINE_COMPONENTTYPE_SRC_LINE, "Line In");
    LineVolume = Mixer.AddControl(Line, MIXERCONTROL_CONTROLTYPE_VOLUME);
    LineSwitch = Mixer.AddRecordSwitch(Line);
    Mic = Mixer.AddSource(Recording, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, "Microphone");
    MicVolume = Mixer.AddControl(Mic, MIXERCONTROL_CONTROLTYPE_VOLUME);
    MicSwitch = Mixer.AddRecordSwitch(Mic);
    Mixer.SetValue(LineSwitch, 1);
  }

  MMRESULT QueryControl(uint32_t line, uint32_t type, MIXERCONTROLA &control, HMIXEROBJ object = 0) {
    MIXERLINECONTROLSA query{sizeof query, line, type, 1, sizeof control, &control};
    return mixerGetLineControlsA(object, &query, MIXER_GETLINECONTROLSF_ONEBYTYPE);
  }
  MMRESULT Get(uint32_t control, uint32_t &value, HMIXEROBJ object = 0) {
    MIXERCONTROLDETAILS_UNSIGNED detail{};
    MIXERCONTROLDETAILS details = SingleValue(control, detail);
    const MMRESULT result = mixerGetControlDetailsA(object, &details, MIXER_OBJECTF_HMIXER);
    value = detail.dwValue;
    return result;
  }
  MMRESULT Set(uint32_t control, uint32_t value, HMIXEROBJ object = 0) {
    MIXERCONTROLDETAILS_UNSIGNED detail{value};
    MIXERCONTROLDETAILS details = SingleValue(control, detail);
    return mixerSetControlDetails(object, &details, MIXER_OBJECTF_HMIXER);
  }

  TVirtualMixer Mixer;
  uint32_t Recording, Line, LineVolume, LineSwitch, Mic, MicVolume, MicSwitch;
};

} // namespace

// The scope's start-up, step by step, on this layout: the sources are found by type, their
// VOLUME and MUTE-type controls by type, no selector exists on the line input's line, and the
// selection read with the line's identifier and no items fails, so the scope writes the
// switches from its radio buttons; afterwards the switch of the chosen input reads 1.
TEST_F(VirtualMixerTest, CarriesTheScopeStartUpSteps) {
  MIXERLINEA line{};
  line.cbStruct = sizeof line;
  line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
  ASSERT_EQ(mixerGetLineInfoA(0, &line, MIXER_GETLINEINFOF_COMPONENTTYPE), MMSYSERR_NOERROR);
  EXPECT_EQ(line.dwLineID, Recording);
  const uint32_t sources = line.cConnections;
  ASSERT_EQ(sources, 2u);

  std::vector<uint32_t> types, ids;
  std::vector<std::string> names;
  for (uint32_t i = 0; i < sources; ++i) {
    line.dwSource = i;
    ASSERT_EQ(mixerGetLineInfoA(0, &line, MIXER_GETLINEINFOF_SOURCE), MMSYSERR_NOERROR);
    types.push_back(line.dwComponentType);
    ids.push_back(line.dwLineID);
    names.push_back(line.szShortName);
  }
  EXPECT_EQ(types, (std::vector<uint32_t>{MIXERLINE_COMPONENTTYPE_SRC_LINE, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE}));
  EXPECT_EQ(ids, (std::vector<uint32_t>{Line, Mic}));
  EXPECT_EQ(names, (std::vector<std::string>{"Line In", "Microphone"}));
  line.dwSource = 2;
  EXPECT_NE(mixerGetLineInfoA(0, &line, MIXER_GETLINEINFOF_SOURCE), MMSYSERR_NOERROR);

  MIXERCONTROLA control{};
  ASSERT_EQ(QueryControl(Line, MIXERCONTROL_CONTROLTYPE_VOLUME, control), MMSYSERR_NOERROR);
  EXPECT_EQ(control.dwControlID, LineVolume);
  EXPECT_EQ(control.Bounds.dwMaximum, 0xFFFFu);
  EXPECT_EQ(QueryControl(Line, MIXERCONTROL_CONTROLTYPE_MUX, control), MIXERR_INVALCONTROL);
  EXPECT_EQ(QueryControl(Line, MIXERCONTROL_CONTROLTYPE_MIXER, control), MIXERR_INVALCONTROL);
  ASSERT_EQ(QueryControl(Mic, MIXERCONTROL_CONTROLTYPE_MUTE, control), MMSYSERR_NOERROR);
  EXPECT_EQ(control.dwControlID, MicSwitch);
  EXPECT_EQ(control.cMultipleItems, 0u); // the item count the scope then uses

  uint32_t buffer[31] = {};
  MIXERCONTROLDETAILS selection{sizeof selection, Line, 1, 0, 0, buffer};
  EXPECT_EQ(mixerGetControlDetailsA(0, &selection, MIXER_GETCONTROLDETAILSF_VALUE), MIXERR_INVALCONTROL);

  // The scope then writes each switch from its radio button (line selected), one value each.
  EXPECT_EQ(Set(MicSwitch, 1), MMSYSERR_NOERROR);
  EXPECT_EQ(Set(LineSwitch, 1), MMSYSERR_NOERROR);
  EXPECT_EQ(Set(MicSwitch, 0), MMSYSERR_NOERROR); // changes nothing: one input always records
  uint32_t value = 9;
  EXPECT_EQ(Get(LineSwitch, value), MMSYSERR_NOERROR);
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(Get(MicSwitch, value), MMSYSERR_NOERROR);
  EXPECT_EQ(value, 0u);

  EXPECT_EQ(Set(LineVolume, 0x8000), MMSYSERR_NOERROR);
  EXPECT_EQ(Get(LineVolume, value), MMSYSERR_NOERROR);
  EXPECT_EQ(value, 0x8000u);
  EXPECT_EQ(Mixer.Value(LineVolume), 0x8000u);
}

TEST_F(VirtualMixerTest, ReachesDeviceZeroWithoutAHandleAndChecksHandles) {
  uint32_t value;
  MIXERCONTROLDETAILS_UNSIGNED detail{};
  MIXERCONTROLDETAILS details = SingleValue(LineVolume, detail);
  EXPECT_EQ(mixerGetControlDetailsA(0, &details, MIXER_OBJECTF_MIXER), MMSYSERR_NOERROR);
  EXPECT_EQ(mixerGetControlDetailsA(0, &details, MIXER_OBJECTF_HMIXER), MMSYSERR_NOERROR);
  EXPECT_EQ(mixerGetControlDetailsA(1, &details, MIXER_OBJECTF_MIXER), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(mixerGetControlDetailsA(0x4242, &details, MIXER_OBJECTF_HMIXER), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(mixerGetControlDetailsA(0, &details, 0x10000000), MMSYSERR_INVALFLAG);

  HMIXER mixer = 0;
  EXPECT_EQ(mixerOpen(&mixer, 1, 0, 0, 0), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(mixerOpen(&mixer, 0, 0, 0, CALLBACK_WINDOW), MMSYSERR_INVALPARAM);
  ASSERT_EQ(mixerOpen(&mixer, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  EXPECT_NE(mixer, 0u);
  EXPECT_EQ(Get(LineVolume, value, mixer), MMSYSERR_NOERROR);
  EXPECT_EQ(mixerClose(mixer), MMSYSERR_NOERROR);
  EXPECT_EQ(mixerClose(mixer), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(Get(LineVolume, value, mixer), MMSYSERR_INVALHANDLE);
}

TEST_F(VirtualMixerTest, DetailsThatDoNotFitTheControlFail) {
  uint32_t buffer[31] = {};
  const auto get = [&](uint32_t control, uint32_t channels, uint32_t items, uint32_t bytes) {
    MIXERCONTROLDETAILS details{sizeof details, control, channels, items, bytes, buffer};
    return mixerGetControlDetailsA(0, &details, MIXER_GETCONTROLDETAILSF_VALUE);
  };
  EXPECT_EQ(get(LineVolume, 1, 0, 4), MMSYSERR_NOERROR);
  EXPECT_EQ(get(LineVolume, 1, 0, 0), MMSYSERR_INVALPARAM); // no room for the value
  EXPECT_EQ(get(LineVolume, 1, 3, 12), MMSYSERR_INVALPARAM);
  EXPECT_EQ(get(LineVolume, 2, 0, 4), MMSYSERR_INVALPARAM);
  EXPECT_EQ(get(Line, 1, 0, 4), MIXERR_INVALCONTROL); // a line identifier names no control
  MIXERCONTROLDETAILS shortRecord{sizeof(MIXERCONTROLDETAILS) - 4, LineVolume, 1, 0, 4, buffer};
  EXPECT_EQ(mixerGetControlDetailsA(0, &shortRecord, 0), MMSYSERR_INVALPARAM);
  MIXERCONTROLDETAILS noBuffer{sizeof noBuffer, LineVolume, 1, 0, 4, nullptr};
  EXPECT_EQ(mixerSetControlDetails(0, &noBuffer, 0), MMSYSERR_INVALPARAM);

  MIXERCONTROLA control{};
  MIXERLINECONTROLSA twoControls{sizeof twoControls, Line,    MIXERCONTROL_CONTROLTYPE_VOLUME, 2,
                                 sizeof control,     &control};
  EXPECT_EQ(mixerGetLineControlsA(0, &twoControls, MIXER_GETLINECONTROLSF_ONEBYTYPE), MMSYSERR_INVALPARAM);
  EXPECT_EQ(QueryControl(LineVolume, MIXERCONTROL_CONTROLTYPE_VOLUME, control), MIXERR_INVALLINE);
}

TEST_F(VirtualMixerTest, SelectorsHoldOneEntryPerItem) {
  const uint32_t mux = Mixer.AddControl(Recording, MIXERCONTROL_CONTROLTYPE_MUX, 3);
  MIXERCONTROLA control{};
  ASSERT_EQ(QueryControl(Recording, MIXERCONTROL_CONTROLTYPE_MUX, control), MMSYSERR_NOERROR);
  EXPECT_EQ(control.cMultipleItems, 3u);
  EXPECT_EQ(control.fdwControl, MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE);
  Mixer.SetValues(mux, {0, 0, 1});

  uint32_t buffer[31];
  const auto get = [&](uint32_t items, uint32_t bytes) {
    std::fill(std::begin(buffer), std::end(buffer), 7u);
    MIXERCONTROLDETAILS details{sizeof details, mux, 1, items, bytes, buffer};
    return mixerGetControlDetailsA(0, &details, 0);
  };
  // One entry's size or the whole buffer's size; item k is entry k.
  ASSERT_EQ(get(3, 4), MMSYSERR_NOERROR);
  EXPECT_EQ(std::vector<uint32_t>(buffer, buffer + 4), (std::vector<uint32_t>{0, 0, 1, 7}));
  EXPECT_EQ(get(3, 12), MMSYSERR_NOERROR);
  EXPECT_EQ(get(3, 16), MMSYSERR_NOERROR);
  EXPECT_EQ(get(3, 8), MMSYSERR_INVALPARAM);
  EXPECT_EQ(get(2, 12), MMSYSERR_INVALPARAM);
  EXPECT_EQ(get(0, 4), MMSYSERR_INVALPARAM);

  buffer[0] = 5;
  buffer[1] = 0;
  buffer[2] = 0;
  MIXERCONTROLDETAILS details{sizeof details, mux, 1, 3, 16, buffer};
  ASSERT_EQ(mixerSetControlDetails(0, &details, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(Mixer.Values(mux), (std::vector<uint32_t>{1, 0, 0}));
}

TEST_F(VirtualMixerTest, PostsNoticesToTheWindowOnTheGuiThread) {
  TNoticeWindow window;
  HMIXER mixer = 0;
  ASSERT_EQ(mixerOpen(&mixer, 0, window.Callback(), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);

  Mixer.SetValue(MicVolume, 0x1234); // changed elsewhere
  ASSERT_TRUE(window.WaitForNotices(1));
  EXPECT_EQ(window.Controls, std::vector<uint32_t>{MicVolume});
  EXPECT_EQ(window.Mixers, std::vector<HMIXER>{mixer});

  // Our own set is noticed too, the written control first, then what it changed besides.
  window.Controls.clear();
  ASSERT_EQ(Set(MicSwitch, 1, mixer), MMSYSERR_NOERROR);
  ASSERT_TRUE(window.WaitForNotices(2));
  EXPECT_EQ(window.Controls, (std::vector<uint32_t>{MicSwitch, LineSwitch}));
  EXPECT_EQ(Mixer.Value(LineSwitch), 0u);
  window.Controls.clear();
  ASSERT_EQ(Set(LineVolume, 0x4000, mixer), MMSYSERR_NOERROR);
  ASSERT_EQ(Set(LineVolume, 0x4000, mixer), MMSYSERR_NOERROR); // unchanged, still a notice
  ASSERT_TRUE(window.WaitForNotices(2));
  EXPECT_EQ(window.Controls, (std::vector<uint32_t>{LineVolume, LineVolume}));
  EXPECT_EQ(window.OffGuiThread, 0);

  ASSERT_EQ(mixerClose(mixer), MMSYSERR_NOERROR);
  window.Controls.clear();
  Mixer.SetValue(MicVolume, 1);
  EXPECT_FALSE(window.WaitForNotices(1, 500)); // a closed mixer tells nobody
}

TEST_F(VirtualMixerTest, NoticesFromAnotherThreadArriveOnTheGuiThread) {
  TNoticeWindow window;
  HMIXER mixer = 0;
  ASSERT_EQ(mixerOpen(&mixer, 0, window.Callback(), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
  std::thread([&] { Mixer.SetValue(LineVolume, 7); }).join();
  ASSERT_TRUE(window.WaitForNotices(1));
  EXPECT_EQ(window.Controls, std::vector<uint32_t>{LineVolume});
  EXPECT_EQ(window.OffGuiThread, 0);
  mixerClose(mixer);
}

TEST_F(VirtualMixerTest, AWindowGoneBeforeTheNoticeIsNotReached) {
  auto window = std::make_unique<TNoticeWindow>();
  HMIXER mixer = 0;
  ASSERT_EQ(mixerOpen(&mixer, 0, window->Callback(), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
  Mixer.SetValue(LineVolume, 7);
  window.reset();
  TNoticeWindow other;
  EXPECT_FALSE(other.WaitForNotices(1, 500)); // serves the queued notice; nothing crashes
  mixerClose(mixer);
}

TEST_F(VirtualMixerTest, FailsAsToldTo) {
  uint32_t value;
  Mixer.FailingControls = {MicVolume};
  EXPECT_NE(Get(MicVolume, value), MMSYSERR_NOERROR);
  EXPECT_NE(Set(MicVolume, 1), MMSYSERR_NOERROR);
  EXPECT_EQ(Get(LineVolume, value), MMSYSERR_NOERROR);

  HMIXER mixer = 0;
  Mixer.FailOpen = true;
  EXPECT_NE(mixerOpen(&mixer, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  EXPECT_EQ(mixer, 0u);

  Mixer.FailOpen = false;
  ASSERT_EQ(mixerOpen(&mixer, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  Mixer.NoDevice = true;
  MIXERLINEA line{};
  line.cbStruct = sizeof line;
  line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
  EXPECT_NE(mixerGetLineInfoA(0, &line, MIXER_GETLINEINFOF_COMPONENTTYPE), MMSYSERR_NOERROR);
  MIXERCONTROLA control{};
  EXPECT_NE(QueryControl(Line, MIXERCONTROL_CONTROLTYPE_VOLUME, control), MMSYSERR_NOERROR);
  EXPECT_NE(Get(LineVolume, value, mixer), MMSYSERR_NOERROR);
  EXPECT_NE(Set(LineVolume, 1, mixer), MMSYSERR_NOERROR);
  HMIXER second = 0;
  EXPECT_NE(mixerOpen(&second, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  mixerClose(mixer);
}

TEST(VirtualMixerLifetime, HandlesEndWithTheMixer) {
  HMIXER mixer = 0;
  {
    TVirtualMixer virtualMixer;
    ASSERT_EQ(mixerOpen(&mixer, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  }
  EXPECT_EQ(mixerClose(mixer), MMSYSERR_INVALHANDLE);
}
