#include "rtl/exception.h"
#include "widget_host.h"
#include "widgets/power_switch.h"
#include "widgets/switch_pictures.h"

#include <QTest>
#include <gtest/gtest.h>
#include <string>

namespace {

const QColor Lamp[2] = {QColor(128, 0, 0), QColor(0, 255, 0)};

class SwitchTest : public testing::Test {
protected:
  TWidgetHost Host;
  TRxSwitch *Switch = new TRxSwitch(Host.Window());
  std::string Log;

  SwitchTest() {
    Switch->move(10, 10);
    Switch->show();
    Switch->OnOn = [this](QObject *) { Log += "on "; };
    Switch->OnOff = [this](QObject *) { Log += "off "; };
    Switch->OnMouseDown = [this](QObject *, TMouseButton, TShiftState, int, int) { Log += "down "; };
  }
  QImage Shown() { return Host.Grab(Switch); }
};

TEST_F(SwitchTest, BuiltinPicturesShowTheirStateAndTakeTheSwitchColourAsBackground) {
  EXPECT_EQ(BuiltinPicture("SWITCH_OFF").size(), QSize(32, 48));
  EXPECT_EQ(BuiltinPicture("SWITCH_ON").size(), QSize(32, 48));
  EXPECT_THROW(BuiltinPicture("SWITCH"), Exception);
  EXPECT_NE(BuiltinPicture("SWITCH_OFF"), BuiltinPicture("SWITCH_ON"));

  for (bool on : {false, true}) {
    Switch->SetStateOn(on);
    const QImage shown = Shown();
    EXPECT_TRUE(AnyPixel(shown, shown.rect(), Lamp[on]));
    EXPECT_FALSE(AnyPixel(shown, shown.rect(), Lamp[!on]));
    EXPECT_FALSE(AnyPixel(shown, shown.rect(), QColor(128, 128, 0))); // the pictures' ground
    EXPECT_EQ(QColor(shown.pixel(0, 59)), TWidgetHost::Background);
  }
}

TEST_F(SwitchTest, LeftPressTogglesOnThePressEvenWhenReleasedOutside) {
  Switch->SetStateOn(true);
  Log.clear();
  QTest::mousePress(Switch, Qt::LeftButton, {}, QPoint(25, 30));
  EXPECT_FALSE(Switch->StateOn());
  EXPECT_EQ(Log, "off down ");
  QTest::mouseMove(Switch, QPoint(200, 150));
  QTest::mouseRelease(Switch, Qt::LeftButton, {}, QPoint(200, 150));
  EXPECT_EQ(Log, "off down ");
  EXPECT_TRUE(Switch->hasFocus());
}

TEST_F(SwitchTest, RightPressDoesNotToggle) {
  QTest::mouseClick(Switch, Qt::RightButton, {}, QPoint(25, 30));
  EXPECT_FALSE(Switch->StateOn());
  EXPECT_EQ(Log, "down ");
}

TEST_F(SwitchTest, SettingTheSameStateFiresNothing) {
  Switch->SetStateOn(false);
  EXPECT_EQ(Log, "");
  Switch->SetStateOn(true);
  Switch->SetStateOn(true);
  EXPECT_EQ(Log, "on ");
}

TEST_F(SwitchTest, ToggleKeyFlipsAndConsumesTheKeyUnlessItIsZero) {
  std::string typed;
  Switch->OnKeyPress = [&](QObject *, char &key) { typed += key; };
  Switch->setFocus();
  QTest::keyClick(Switch, Qt::Key_Space);
  EXPECT_TRUE(Switch->StateOn());
  EXPECT_EQ(typed, "");

  Switch->SetToggleKey(0);
  QTest::keyClick(Switch, Qt::Key_Space);
  EXPECT_TRUE(Switch->StateOn());
  EXPECT_EQ(typed, " ");

  Switch->SetToggleKey(scCtrl | 'T');
  QTest::keyClick(Switch, Qt::Key_T);
  EXPECT_TRUE(Switch->StateOn());
  QTest::keyClick(Switch, Qt::Key_T, Qt::ControlModifier);
  EXPECT_FALSE(Switch->StateOn());
  EXPECT_EQ(Log, "on off ");
}

TEST_F(SwitchTest, DisabledSwitchShowsTheDisabledPictureOfItsState) {
  Switch->SetStateOn(true);
  const QImage enabled = Shown();
  Switch->setEnabled(false);
  const QImage disabled = Shown();
  EXPECT_NE(enabled, disabled);
  EXPECT_FALSE(AnyPixel(disabled, disabled.rect(), Lamp[1]));
  EXPECT_TRUE(AnyPixel(disabled, disabled.rect(), QColor(128, 128, 128)));
  EXPECT_EQ(QColor(disabled.pixel(0, 59)), TWidgetHost::Background);
  QTest::mouseClick(Switch, Qt::LeftButton, {}, QPoint(25, 30));
  EXPECT_TRUE(Switch->StateOn());
}

TEST_F(SwitchTest, OwnPictureIsMarkedAndANullOneRestoresTheBuiltin) {
  QImage own(32, 48, QImage::Format_RGB32);
  own.fill(QColor(0, 0, 255));
  own.setPixel(0, 47, qRgb(255, 255, 0));
  Switch->SetGlyphOff(own);
  EXPECT_EQ(Switch->CustomGlyphs(), TRxSwitch::cgOff);
  QImage shown = Shown();
  EXPECT_EQ(QColor(shown.pixel(25, 30)), QColor(0, 0, 255));
  EXPECT_EQ(QColor(shown.pixel(9, 53)), TWidgetHost::Background); // its lower-left pixel
  Switch->SetGlyphOff(QImage());
  EXPECT_EQ(Switch->CustomGlyphs(), 0);
  EXPECT_EQ(Switch->GlyphOff(), BuiltinPicture("SWITCH_OFF"));
}

TEST_F(SwitchTest, TextPositionPlacesPictureAndCaption) {
  QImage own(20, 20, QImage::Format_RGB32);
  own.fill(QColor(0, 0, 255));
  own.setPixel(0, 19, qRgb(255, 255, 0));
  Switch->SetGlyphOff(own);
  Switch->SetCaption("W");
  Switch->resize(60, 60);
  const QColor blue(0, 0, 255);
  const struct {
    TRxSwitch::TTextPos Position;
    QPoint At;
    QRect CaptionArea;
  } cases[] = {{TRxSwitch::tpNone, {20, 20}, {}},
               {TRxSwitch::tpLeft, {40, 20}, {0, 0, 40, 60}},
               {TRxSwitch::tpRight, {0, 20}, {20, 0, 40, 60}},
               {TRxSwitch::tpAbove, {20, 40}, {0, 0, 60, 40}},
               {TRxSwitch::tpBelow, {20, 0}, {0, 20, 60, 40}}};
  for (const auto &c : cases) {
    Switch->SetTextPosition(c.Position);
    const QImage shown = Shown();
    EXPECT_EQ(QColor(shown.pixel(c.At + QPoint(1, 0))), blue) << c.Position;
    EXPECT_EQ(QColor(shown.pixel(c.At + QPoint(19, 18))), blue) << c.Position;
    const QRect text = c.CaptionArea.isNull() ? shown.rect() : c.CaptionArea;
    EXPECT_EQ(AnyPixel(shown, text, QColor(0, 0, 0)), !c.CaptionArea.isNull()) << c.Position;
  }
}

TEST_F(SwitchTest, AcceleratorFocusesWithoutToggling) {
  auto *other = new TRxSwitch(Host.Window());
  other->move(100, 10);
  other->show();
  other->setFocus();
  Switch->SetCaption("&Power");
  QTest::keyClick(Host.Window(), Qt::Key_P, Qt::AltModifier);
  EXPECT_TRUE(Switch->hasFocus());
  EXPECT_FALSE(Switch->StateOn());
  EXPECT_EQ(Log, "");
}

} // namespace
