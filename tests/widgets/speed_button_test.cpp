#include "manual_clock.h"
#include "rtl/exception.h"
#include "widget_host.h"
#include "widgets/speed_button.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QPoint Middle(12, 15);
const QPoint Outside(60, 15);

class SpeedButtonTest : public testing::Test {
protected:
  TManualClock Clock; // before the buttons: their timers tick on it
  TWidgetHost Host;
  TRxSpeedButton *Button = MakeButton(10, 10);
  std::vector<uint32_t> Clicks;

  TRxSpeedButton *MakeButton(int x, int y) {
    auto *button = new TRxSpeedButton(Host.Window());
    button->setGeometry(x, y, 25, 30);
    button->SetCaption("+");
    button->show();
    return button;
  }
  void CountClicks(TRxSpeedButton *button) {
    button->OnClick = [this](QObject *) { Clicks.push_back(Clock.Now()); };
  }
  void Press(QPoint at = Middle) { QTest::mousePress(Button, Qt::LeftButton, {}, at); }
  void Release(QPoint at = Middle) { QTest::mouseRelease(Button, Qt::LeftButton, {}, at); }
};

TEST_F(SpeedButtonTest, ShortPressClicksOnceAtTheRelease) {
  Button->SetAllowTimer(true);
  CountClicks(Button);
  Press();
  Clock.Advance(300);
  EXPECT_TRUE(Clicks.empty());
  Release();
  EXPECT_EQ(Clicks, (std::vector<uint32_t>{300}));
  Clock.Advance(1000);
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, HeldButtonRepeatsAfterThePauseAndClicksAgainAtTheRelease) {
  Button->SetAllowTimer(true);
  CountClicks(Button);
  Press();
  Clock.Advance(950);
  Release();
  EXPECT_EQ(Clicks, (std::vector<uint32_t>{500, 600, 700, 800, 900, 950}));
  Clock.Advance(1000);
  EXPECT_EQ(Clicks.size(), 6u);
}

TEST_F(SpeedButtonTest, WithoutTimerAHeldButtonClicksOnlyAtTheRelease) {
  CountClicks(Button);
  Press();
  Clock.Advance(950);
  Release();
  EXPECT_EQ(Clicks, (std::vector<uint32_t>{950}));
}

TEST_F(SpeedButtonTest, SlidingOffPausesTheRepeatsAndReleasingOffGivesNoClick) {
  Button->SetAllowTimer(true);
  CountClicks(Button);
  Press();
  Clock.Advance(550);
  QTest::mouseMove(Button, Outside);
  EXPECT_EQ(Button->ButtonState(), rbsUp);
  Clock.Advance(300);
  EXPECT_EQ(Clicks, (std::vector<uint32_t>{500}));
  QTest::mouseMove(Button, Middle);
  EXPECT_EQ(Button->ButtonState(), rbsDown);
  Clock.Advance(100);
  EXPECT_EQ(Clicks, (std::vector<uint32_t>{500, 900}));
  QTest::mouseMove(Button, Outside);
  Release(Outside);
  EXPECT_EQ(Clicks.size(), 2u);

  Clicks.clear();
  Press();
  QTest::mouseMove(Button, Outside);
  Clock.Advance(800);
  Release(Outside);
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(SpeedButtonTest, TheRowJustBelowCountsAsOnTheButton) {
  CountClicks(Button);
  Press();
  Release(QPoint(12, 30));
  EXPECT_EQ(Clicks.size(), 1u);
  Press();
  Release(QPoint(25, 15));
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, RightPressNeitherClicksNorRepeats) {
  Button->SetAllowTimer(true);
  CountClicks(Button);
  int downs = 0;
  Button->OnMouseDown = [&](QObject *, TMouseButton, TShiftState, int, int) { ++downs; };
  QTest::mousePress(Button, Qt::RightButton, {}, Middle);
  Clock.Advance(1000);
  QTest::mouseRelease(Button, Qt::RightButton, {}, Middle);
  EXPECT_TRUE(Clicks.empty());
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(Button->ButtonState(), rbsUp);
}

TEST_F(SpeedButtonTest, DoubleClickGivesOneClick) {
  CountClicks(Button);
  int doubles = 0;
  Button->OnDblClick = [&](QObject *) { ++doubles; };
  // Through the window, as the window system delivers it: press, release, double click, release.
  const auto doubleClick = [&] {
    QTest::mouseDClick(Host.Window()->windowHandle(), Qt::LeftButton, {}, Button->geometry().topLeft() + Middle);
  };
  doubleClick();
  EXPECT_EQ(Clicks.size(), 1u);
  EXPECT_EQ(doubles, 0); // only a button that is down reports double clicks

  Button->SetGroupIndex(1);
  Button->SetAllowAllUp(true);
  doubleClick();
  EXPECT_EQ(Clicks.size(), 2u);
  EXPECT_TRUE(Button->Down());
  EXPECT_EQ(doubles, 1);
}

TEST_F(SpeedButtonTest, DisablingAHeldButtonStopsTheClicks) {
  Button->SetAllowTimer(true);
  CountClicks(Button);
  Press();
  Clock.Advance(600);
  Button->setEnabled(false);
  Clock.Advance(400);
  EXPECT_EQ(Clicks, (std::vector<uint32_t>{500, 600}));
  EXPECT_EQ(Button->ButtonState(), rbsDisabled);
  Button->setEnabled(true);
  Clock.Advance(400);
  EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(SpeedButtonTest, FailingRepeatedClickStopsTheTimer) {
  Button->SetAllowTimer(true);
  int clicks = 0;
  Button->OnClick = [&](QObject *) {
    ++clicks;
    throw Exception("step failed");
  };
  Press();
  EXPECT_THROW(Clock.Advance(500), Exception);
  Clock.Advance(500);
  EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, SwitchingTheTimerOffInsideAClickIsSafe) {
  Button->SetAllowTimer(true);
  Button->OnClick = [&](QObject *) { Button->SetAllowTimer(false); };
  Press();
  Clock.Advance(1000);
  EXPECT_FALSE(Button->AllowTimer());
  Release();
}

TEST_F(SpeedButtonTest, GroupButtonsExcludeEachOtherAndAllowAllUpLetsAllBeUp) {
  TRxSpeedButton *other = MakeButton(50, 10);
  Button->SetGroupIndex(5);
  other->SetGroupIndex(5);
  Button->SetAllowAllUp(true);
  EXPECT_TRUE(other->AllowAllUp()); // shared through the group

  QTest::mouseClick(Button, Qt::LeftButton, {}, Middle);
  EXPECT_TRUE(Button->Down());
  QTest::mouseClick(other, Qt::LeftButton, {}, Middle);
  EXPECT_TRUE(other->Down());
  EXPECT_FALSE(Button->Down());
  QTest::mouseClick(other, Qt::LeftButton, {}, Middle);
  EXPECT_FALSE(other->Down());
  EXPECT_FALSE(Button->Down());

  Button->SetAllowAllUp(false);
  Button->SetDown(true);
  Button->SetDown(false);
  EXPECT_TRUE(Button->Down()); // one of the group must stay down
  QTest::mouseClick(Button, Qt::LeftButton, {}, Middle);
  EXPECT_TRUE(Button->Down());
}

TEST_F(SpeedButtonTest, ButtonWithoutGroupCannotBeDown) {
  Button->SetDown(true);
  EXPECT_FALSE(Button->Down());
}

TEST_F(SpeedButtonTest, UpDownAndFlatLooksAreDistinguishable) {
  const QColor face(192, 192, 192), white(255, 255, 255), black(0, 0, 0);
  QImage up = Host.Grab(Button);
  EXPECT_EQ(QColor(up.pixel(0, 0)), white);
  EXPECT_EQ(QColor(up.pixel(24, 29)), black);

  Press();
  QImage down = Host.Grab(Button);
  EXPECT_EQ(QColor(down.pixel(0, 0)), black);
  EXPECT_EQ(QColor(down.pixel(24, 29)), white);
  Release();

  Button->SetFlat(true);
  QTest::mouseMove(Host.Window(), QPoint(200, 190));
  EXPECT_FALSE(Button->MouseInside());
  QImage flat = Host.Grab(Button);
  EXPECT_TRUE(AllPixels(flat, QRect(0, 0, 25, 2), face));
  EXPECT_TRUE(AllPixels(flat, QRect(0, 0, 2, 30), face));

  Button->SetGroupIndex(4);
  Button->SetAllowAllUp(true);
  Button->SetDown(true);
  QImage latched = Host.Grab(Button);
  EXPECT_EQ(QColor(latched.pixel(0, 0)), black); // a latched flat button keeps its frame
}

TEST_F(SpeedButtonTest, FlatButtonGlyphIsGreyUntilThePointerIsOver) {
  QImage glyph(12, 12, QImage::Format_RGB32);
  glyph.fill(QColor(255, 0, 0));
  glyph.setPixel(0, 11, qRgb(255, 0, 255));
  Button->SetCaption("");
  Button->SetGlyph(glyph);
  EXPECT_EQ(Button->NumGlyphs(), 1);
  Button->SetFlat(true);
  const int grey = (77 * 255) / 256;
  QImage shown = Host.Grab(Button);
  EXPECT_TRUE(AnyPixel(shown, shown.rect(), QColor(grey, grey, grey)));
  EXPECT_FALSE(AnyPixel(shown, shown.rect(), QColor(255, 0, 0)));
  EXPECT_FALSE(AnyPixel(shown, shown.rect(), QColor(255, 0, 255)));
  Button->SetGrayedInactive(false);
  shown = Host.Grab(Button);
  EXPECT_TRUE(AnyPixel(shown, shown.rect(), QColor(255, 0, 0)));
}

TEST_F(SpeedButtonTest, GlyphStripCountsItsImages) {
  QImage strip(64, 16, QImage::Format_RGB32);
  strip.fill(Qt::blue);
  Button->SetGlyph(strip);
  EXPECT_EQ(Button->NumGlyphs(), 4);
  Button->SetGlyph(QImage(96, 16, QImage::Format_RGB32));
  EXPECT_EQ(Button->NumGlyphs(), 1); // six images are more than a strip holds
  Button->SetNumGlyphs(9);
  EXPECT_EQ(Button->NumGlyphs(), 5);
}

TEST_F(SpeedButtonTest, DisabledCaptionIsEngraved) {
  QFont font = Button->font();
  font.setStyleStrategy(QFont::NoAntialias);
  Button->setFont(font);
  Button->setEnabled(false);
  const QImage shown = Host.Grab(Button);
  EXPECT_TRUE(AnyPixel(shown, QRect(2, 2, 21, 26), QColor(128, 128, 128)));
  EXPECT_TRUE(AnyPixel(shown, QRect(2, 2, 21, 26), QColor(255, 255, 255)));
  EXPECT_FALSE(AnyPixel(shown, QRect(2, 2, 21, 26), QColor(0, 0, 0)));
}

TEST_F(SpeedButtonTest, AcceleratorClicks) {
  CountClicks(Button);
  Button->SetCaption("&Less");
  QTest::keyClick(Host.Window(), Qt::Key_L, Qt::AltModifier);
  EXPECT_EQ(Clicks.size(), 1u);
  Button->setEnabled(false);
  QTest::keyClick(Host.Window(), Qt::Key_L, Qt::AltModifier);
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(SpeedButtonTest, PressShowingTheDropDownMenuEndsThePressWithoutAClick) {
  CountClicks(Button);
  QMenu menu;
  menu.addAction("Step");
  Button->SetDropDownMenu(&menu);
  bool shown = false;
  QObject::connect(&menu, &QMenu::aboutToShow, [&] {
    shown = true;
    QMetaObject::invokeMethod(&menu, &QMenu::close, Qt::QueuedConnection);
  });
  Press();
  EXPECT_TRUE(shown);
  EXPECT_EQ(Button->ButtonState(), rbsUp); // the release steps ran when the menu closed
  Release();
  EXPECT_TRUE(Clicks.empty());
}

} // namespace
