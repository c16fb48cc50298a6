#include "framework/edit.h"
#include "panel_fixture.h"
#include "platform/mixer/mixer_records.h"
#include "rtl/float_text.h"
#include "settings/default_names.h"
#include "widgets/power_switch.h"

#include <QFile>
#include <QRadioButton>

namespace {

// Power-off and the settings carried to the next start, with the settings file of this test.
class PanelSettingsTest : public PanelTest {
protected:
  void SetUp() override {
    PanelTest::SetUp();
    AddLineAndMicrophone();
    Mixer->SetValue(Line.Volume, 50000);
    Mixer->SetValue(Mic.Volume, 20000);
  }

  TVexiloFrm &Start() { return ShowActive(); }

  void PowerOff() {
    Form->PoverOff(Form->Pover);
    Form.reset();
  }

  std::string SettingsText() {
    QFile file(QString::fromStdString(SettingsFilePath()));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
  }
};

} // namespace

TEST_F(PanelSettingsTest, AFirstRunStartsInTheInitialStateAndPowerOffWritesItsValues) {
  TVexiloFrm &form = Start();
  const TScopeState &state = form.ScopeState();
  EXPECT_EQ(state[chI].XStart, 1);
  EXPECT_EQ(state[chII].VoltFactor.Value(), TReal48(0.1).Value());
  EXPECT_EQ(state.MicFactor.Value(), TReal48(0.005).Value());
  EXPECT_EQ(state.MicVolume, 0x8000);
  EXPECT_EQ(form.Pover->Tag(), 1);
  PowerOff();
  const std::string text = SettingsText();
  for (const char *line :
       {"VDVlI_Tag=0", "VDVlI_Text=0.00500000000000256", "VDVlII_Text=0.100000000000023", "VDVlII_Tag=0",
        "ImageArrI_Tag=505", "ImageArrII_Tag=505", "HorizontAnmI_Tag=1", "HorizontAnmII_Tag=1", "VoltBtI_Tag=0",
        "TimeVlI_Text=0.100000000000023", "CntVolI_Tag=32768", "CntVolII_Tag=32768"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  EXPECT_LT(text.find("VDVlI_Tag"), text.find("CntVolII_Tag")) << "in the stored list's order";
  EXPECT_EQ(Mixer->Value(Line.Volume), 50000u) << "the volumes found at the start are given back";
  EXPECT_EQ(Mixer->Value(Mic.Volume), 20000u);
}

TEST_F(PanelSettingsTest, TheNextStartFindsTheCalibrationAndPositionsWhereTheyWere) {
  {
    TVexiloFrm &form = Start();
    TScopeState &state = form.ScopeState();
    state[chI].VoltFactor = TReal48(0.25); // the line input's calibration
    state[chI].VoltShift = 2;
    state[chII].VoltFactor = TReal48(0.037);
    state[chII].VoltShift = 5;
    state[chI].XStart = -40;
    state[chI].XEnd = 464;
    state.LineVolume = 40000;
    PowerOff();
  }
  TVexiloFrm &form = Start();
  const TScopeState &state = form.ScopeState();
  EXPECT_EQ(state[chI].VoltFactor.Value(), TReal48(0.25).Value()) << "loaded for the selected line input";
  EXPECT_EQ(state[chI].VoltShift, 2);
  EXPECT_EQ(state[chII].VoltFactor.Value(), TReal48(0.037).Value());
  EXPECT_EQ(state[chII].VoltShift, 5);
  EXPECT_EQ(state[chI].XStart, -40);
  EXPECT_EQ(state[chI].XEnd, 464);
  EXPECT_EQ(state.LineVolume, 40000);
  EXPECT_EQ(Mixer->Value(Line.Volume), 40000u) << "the calibrated volume is held again";
  EXPECT_EQ(form.Channel[chI].VDVl->text(), "1");
  EXPECT_EQ(form.Channel[chII].VDVl->text().toStdString(), FloatToStr(TReal48(0.037).Value() * 32));
}

TEST_F(PanelSettingsTest, TheMicrophonesCalibrationIsKeptInItsOwnSlot) {
  {
    TVexiloFrm &form = Start();
    ClickMark(form.MicMuteBt);
    form.ScopeState()[chI].VoltFactor = TReal48(0.002);
    PowerOff();
  }
  const std::string text = SettingsText();
  EXPECT_NE(text.find("VDVlI_Text=" + FloatToStr(TReal48(0.002).Value()) + "\n"), std::string::npos) << text;
  EXPECT_NE(text.find("TimeVlI_Text=0.100000000000023"), std::string::npos) << "the line input's slot unchanged";
}

TEST_F(PanelSettingsTest, AnUnwritableSettingsFolderIsReportedOnceAndThePowerSwitchStillEnds) {
  TVexiloFrm &form = Start();
  // A file stands where the settings folder would be made: no one can write there, root included.
  QFile blocker(SettingsFolder.path() + "/vexilo");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  form.PoverOff(form.Pover);
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0], "Unable to write to " + SettingsFilePath() + ".");
}
