#include "notice_window.h"

#include "platform/mixer/mixer_functions.h"
#include "support/capture_wait.h"
#include "support/tone_player.h"

#include <QProcess>
#include <algorithm>
#include <gtest/gtest.h>
#include <regex>

namespace {

std::string Pactl(const QStringList &arguments) {
  QProcess pactl;
  pactl.start("pactl", arguments);
  pactl.waitForFinished(10000);
  return pactl.readAllStandardOutput().toStdString();
}

// The first channel's volume of the default source, in the server's units.
long ServerVolume() {
  const std::string text = Pactl({"get-source-volume", "@DEFAULT_SOURCE@"});
  std::smatch match;
  return std::regex_search(text, match, std::regex(R"(:\s*(\d+)\s*/)")) ? std::stol(match[1]) : -1;
}

// The mixer on the private sound server, whose default source is the null sink's monitor: no
// ports, so one line input named after the source.
class PulseMixerTest : public testing::Test {
protected:
  void SetUp() override {
    if (!TestRuntime())
      GTEST_SKIP() << "needs the test sound server (tools/with-test-services)";
  }
  // Later test programs capture from the same source and expect its level untouched. Once, at
  // the end: a change between tests would reach the next one as a notice.
  static void TearDownTestSuite() {
    if (TestRuntime())
      Pactl({"set-source-volume", "@DEFAULT_SOURCE@", "65536"});
  }

  struct TFound {
    uint32_t Line = 0;
    std::string ShortName;
    std::string Name;
    uint32_t Volume = 0;
    uint32_t Switch = 0;
  };

  // The scope's start-up queries: the recording destination, its line input and its controls.
  static MMRESULT FindLineInput(TFound &found) {
    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
    if (const MMRESULT result = mixerGetLineInfoA(0, &line, MIXER_GETLINEINFOF_COMPONENTTYPE))
      return result;
    if (line.cConnections != 1)
      return MMSYSERR_ERROR;
    line.dwSource = 0;
    if (const MMRESULT result = mixerGetLineInfoA(0, &line, MIXER_GETLINEINFOF_SOURCE))
      return result;
    if (line.dwComponentType != MIXERLINE_COMPONENTTYPE_SRC_LINE)
      return MMSYSERR_ERROR;
    found.Line = line.dwLineID;
    found.ShortName = line.szShortName;
    found.Name = line.szName;
    MIXERCONTROLA control{};
    MIXERLINECONTROLSA query{sizeof query, line.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, 1, sizeof control, &control};
    if (const MMRESULT result = mixerGetLineControlsA(0, &query, MIXER_GETLINECONTROLSF_ONEBYTYPE))
      return result;
    found.Volume = control.dwControlID;
    query.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
    if (const MMRESULT result = mixerGetLineControlsA(0, &query, MIXER_GETLINECONTROLSF_ONEBYTYPE))
      return result;
    found.Switch = control.dwControlID;
    return MMSYSERR_NOERROR;
  }

  static MMRESULT Get(HMIXEROBJ mixer, uint32_t control, uint32_t &value) {
    MIXERCONTROLDETAILS_UNSIGNED detail{};
    MIXERCONTROLDETAILS details = SingleValue(control, detail);
    const MMRESULT result = mixerGetControlDetailsA(mixer, &details, MIXER_OBJECTF_HMIXER);
    value = detail.dwValue;
    return result;
  }
  static MMRESULT Set(HMIXEROBJ mixer, uint32_t control, uint32_t value) {
    MIXERCONTROLDETAILS_UNSIGNED detail{value};
    MIXERCONTROLDETAILS details = SingleValue(control, detail);
    return mixerSetControlDetails(mixer, &details, MIXER_OBJECTF_HMIXER);
  }
};

} // namespace

TEST_F(PulseMixerTest, TheDefaultSourceIsOneLineInputThatRecords) {
  TFound input;
  ASSERT_EQ(FindLineInput(input), MMSYSERR_NOERROR);
  const std::string description = Pactl({"list", "sources"});
  EXPECT_NE(description.find("Description: " + input.Name), std::string::npos) << input.Name;
  EXPECT_EQ(input.ShortName, input.Name.substr(0, MIXER_SHORT_NAME_CHARS - 1));
  EXPECT_NE(input.Volume, input.Switch);
  EXPECT_NE(input.Volume, input.Line);
  uint32_t selected = 0;
  ASSERT_EQ(Get(0, input.Switch, selected), MMSYSERR_NOERROR);
  EXPECT_EQ(selected, 1u);
  ASSERT_EQ(Set(0, input.Switch, 0), MMSYSERR_NOERROR); // the only input keeps recording
  ASSERT_EQ(Get(0, input.Switch, selected), MMSYSERR_NOERROR);
  EXPECT_EQ(selected, 1u);
}

TEST_F(PulseMixerTest, VolumesReachTheServerAndItsChangesComeBackAsNotices) {
  TFound input;
  ASSERT_EQ(FindLineInput(input), MMSYSERR_NOERROR);
  TNoticeWindow window;
  HMIXER mixer = 0;
  ASSERT_EQ(mixerOpen(&mixer, 0, window.Callback(), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
  // News of earlier changes may still be on its way from the server: let it pass first.
  ServeUntil([] { return false; }, 300);
  window.Controls.clear();

  ASSERT_EQ(Set(mixer, input.Volume, 0x8000), MMSYSERR_NOERROR);
  EXPECT_EQ(ServerVolume(), 32769); // 0x8000 of 0xFFFF on the server's scale of 0x10000
  uint32_t value = 0;
  ASSERT_EQ(Get(mixer, input.Volume, value), MMSYSERR_NOERROR);
  EXPECT_EQ(value, 0x8000u);
  // Our own write is noticed; the server's own news of it may come as a second notice.
  const auto onlyTheVolume = [&] {
    return std::all_of(window.Controls.begin(), window.Controls.end(), [&](uint32_t c) { return c == input.Volume; });
  };
  ASSERT_TRUE(window.WaitForNotices(1));
  ServeUntil([] { return false; }, 300);
  EXPECT_TRUE(onlyTheVolume());

  window.Controls.clear();
  Pactl({"set-source-volume", "@DEFAULT_SOURCE@", "16384"});
  ASSERT_TRUE(window.WaitForNotices(1));
  EXPECT_TRUE(onlyTheVolume());
  EXPECT_EQ(window.OffGuiThread, 0);
  ASSERT_EQ(Get(mixer, input.Volume, value), MMSYSERR_NOERROR);
  EXPECT_EQ(value, 0x4000u);
  EXPECT_EQ(mixerClose(mixer), MMSYSERR_NOERROR);
}

TEST_F(PulseMixerTest, AServerThatGoesAwayFailsTheCallsUntilItIsBack) {
  TFound input;
  ASSERT_EQ(FindLineInput(input), MMSYSERR_NOERROR);
  TNoticeWindow window;
  HMIXER mixer = 0;
  ASSERT_EQ(mixerOpen(&mixer, 0, window.Callback(), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);

  ASSERT_TRUE(PulseServer("stop"));
  uint32_t value = 0;
  // The loss reaches the mixer's connection a moment after the server ends.
  EXPECT_TRUE(ServeUntil([&] { return Get(mixer, input.Volume, value) != MMSYSERR_NOERROR; }));
  EXPECT_NE(Set(mixer, input.Volume, 0x1000), MMSYSERR_NOERROR);
  TFound none;
  EXPECT_NE(FindLineInput(none), MMSYSERR_NOERROR);
  HMIXER second = 0;
  EXPECT_NE(mixerOpen(&second, 0, window.Callback(), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
  window.Controls.clear();
  EXPECT_FALSE(window.WaitForNotices(1, 500)) << "no notices from a server that is gone";
  window.Mixers.clear();

  ASSERT_TRUE(PulseServer("start"));
  ASSERT_EQ(mixerOpen(&second, 0, window.Callback(), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
  TFound again;
  ASSERT_EQ(FindLineInput(again), MMSYSERR_NOERROR);
  EXPECT_EQ(again.Volume, input.Volume);
  ASSERT_EQ(Set(second, again.Volume, 0x2000), MMSYSERR_NOERROR);
  EXPECT_EQ(ServerVolume(), 8192); // 0x2000 of 0xFFFF, rounded
  Pactl({"set-source-volume", "@DEFAULT_SOURCE@", "20000"});
  // Both handles hear our write and the outside change: the old one hears the new server too.
  ASSERT_TRUE(window.WaitForNotices(4));
  EXPECT_GE(std::count(window.Mixers.begin(), window.Mixers.end(), mixer), 2);
  EXPECT_EQ(mixerClose(second), MMSYSERR_NOERROR);
  EXPECT_EQ(mixerClose(mixer), MMSYSERR_NOERROR);
}
