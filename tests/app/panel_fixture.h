#pragma once

#include "app/scope_state.h"
#include "app/vexilo_frm.h"
#include "device/library_cache.h"
#include "display/direct_draw_surface.h"
#include "display/dx_draw.h"
#include "framework/application.h"
#include "platform/audio/virtual_capture.h"
#include "platform/audio/virtual_playback.h"
#include "platform/mixer/mixer_records.h"
#include "platform/mixer/virtual_mixer.h"
#include "support/capture_wait.h"
#include "widgets/manual_clock.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

constexpr uint32_t Aqua = 0x00FFFF;
constexpr uint32_t Blue = 0x0000FF;
constexpr uint32_t GridBackground = 0xC7D6BA;

// The real panel in a real window, capturing from the virtual device.
class PanelTest : public testing::Test {
protected:
  void SetUp() override {
    // Each test starts without settings and keeps what it saves to itself.
    setenv("XDG_CONFIG_HOME", SettingsFolder.path().toLocal8Bit().constData(), 1);
    ReleaseLibraries(); // the next lookup finds the virtual devices
    Application->SetMessagePresenter([this](const std::string &text, const std::string &, int) {
      Messages.push_back(text);
      return static_cast<int>(IDOK);
    });
  }
  void TearDown() override {
    Form.reset();
    ReleaseLibraries();
    Application->SetMessagePresenter(nullptr);
  }

  TVexiloFrm &Show() {
    Form = std::make_unique<TVexiloFrm>();
    Form->show();
    EXPECT_TRUE(ServeUntil([this] { return Form->DXDraw1->Initialized(); }));
    return *Form;
  }

  // The window shown and active, as a person finds it: the first activation has run.
  TVexiloFrm &ShowActive() {
    TVexiloFrm &form = Show();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(form.Tag(), 1);
    return form;
  }

  // An input on the virtual mixer's recording destination: a source with a volume and, when
  // asked, a record switch.
  struct TInput {
    uint32_t Line = 0, Volume = 0, Switch = 0;
  };
  TInput AddInput(uint32_t type, const char *name, bool recordSwitch = true) {
    if (Recording == 0)
      Recording = Mixer->AddDestination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, "Recording");
    TInput input;
    input.Line = Mixer->AddSource(Recording, type, name);
    input.Volume = Mixer->AddControl(input.Line, MIXERCONTROL_CONTROLTYPE_VOLUME);
    if (recordSwitch)
      input.Switch = Mixer->AddRecordSwitch(input.Line);
    return input;
  }
  // The usual card: a line input that records and a microphone, each with its switch.
  void AddLineAndMicrophone() {
    Line = AddInput(MIXERLINE_COMPONENTTYPE_SRC_LINE, "Line In");
    Mic = AddInput(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, "Mic");
    Mixer->SetValue(Line.Switch, 1);
  }

  // A still ring: every frame holds these samples, and enough of them wait for both channels.
  void FillRing(int16_t left, int16_t right, int pending) {
    TScopeState &state = Form->ScopeState();
    for (auto &frame : state.FrameRing)
      frame = {left, right};
    state.LastIndex = RingLastIndex;
    state.LastBlockFrames = pending;
    for (auto &channel : state.Channels) {
      channel.PendingFrames = pending;
      channel.ReadIndex = 0;
    }
  }

  uint32_t Pixel(int x, int y) { return Form->DXDraw1->Surface()->Pixels(x, y) & 0xFFFFFF; }

  // A person's mouse: pressed and released at the control's centre through the window, so each
  // press goes to whatever lies on top there.
  QPoint CentreOf(const QWidget *control) { return control->mapTo(Form.get(), control->rect().center()); }
  void Press(const QWidget *control, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(Form->windowHandle(), button, {}, CentreOf(control));
  }
  void Release(const QWidget *control, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(Form->windowHandle(), button, {}, CentreOf(control));
  }
  void Click(const QWidget *control, Qt::MouseButton button = Qt::LeftButton) {
    Press(control, button);
    Release(control, button);
  }
  void ClickAt(const QWidget *control, QPoint local) {
    QTest::mouseClick(Form->windowHandle(), Qt::LeftButton, {}, control->mapTo(Form.get(), local));
  }
  // A radio button takes a click on its mark or its caption, not on the space beyond them.
  void ClickMark(const QWidget *button) { ClickAt(button, QPoint(7, button->height() / 2)); }
  void MoveTo(const QWidget *control) { QTest::mouseMove(Form->windowHandle(), CentreOf(control)); }
  void Type(char key) { QTest::keyClick(Form->windowHandle(), key); }

  QTemporaryDir SettingsFolder;
  TVirtualCapture Device;
  TVirtualPlayback Playback;
  // The panel's mixer, empty unless a test lays out inputs: the panel never reaches the test
  // sound server's mixer, whose source later tests capture from.
  std::unique_ptr<TVirtualMixer> Mixer = std::make_unique<TVirtualMixer>();
  TManualClock Clock; // the repeat timers of the panel tick on it
  std::unique_ptr<TVexiloFrm> Form;
  uint32_t Recording = 0;
  TInput Line, Mic;
  std::vector<std::string> Messages;
};
