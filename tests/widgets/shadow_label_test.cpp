#include "widget_host.h"
#include "widgets/shadow_label.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

namespace {

const QColor Red(255, 0, 0), Blue(0, 0, 255), White(255, 255, 255), Face(192, 192, 192), Grey(128, 128, 128);

class LabelTest : public testing::Test {
protected:
  TWidgetHost Host;
  TRxLabel *Label = new TRxLabel(Host.Window());

  LabelTest() {
    QFont font = Label->font();
    font.setPixelSize(16);
    font.setStyleStrategy(QFont::NoAntialias); // exact colours to look for
    Label->setFont(font);
    Label->move(20, 20);
    Label->SetFontColor(clRed);
    Label->SetShadowColor(clBlue);
    Label->SetColor(clWhite);
    Label->SetCaption("Volt/d");
    Label->show();
  }
  QImage Shown() { return Host.Grab(Label); }
  bool Has(QColor color) {
    const QImage shown = Shown();
    return AnyPixel(shown, shown.rect(), color);
  }
  // The first row from the top that holds a pixel of the font colour.
  int FirstTextRow() {
    const QImage shown = Shown();
    for (int y = 0; y < shown.height(); ++y)
      if (AnyPixel(shown, QRect(0, y, shown.width(), 1), Red))
        return y;
    return -1;
  }
};

TEST_F(LabelTest, ShadowSizeZeroShowsOnlyTheFontColour) {
  EXPECT_TRUE(Has(Red));
  EXPECT_TRUE(Has(Blue));
  Label->SetShadowSize(0);
  EXPECT_TRUE(Has(Red));
  EXPECT_FALSE(Has(Blue));
}

TEST_F(LabelTest, ShadowGoesTowardsItsPosition) {
  Label->SetShadowSize(2);
  Label->SetAutoSize(false);
  Label->resize(100, 40);
  Label->move(20, 40);
  const auto firstRow = [&](QColor color) {
    const QImage shown = Shown();
    for (int y = 0; y < shown.height(); ++y)
      if (AnyPixel(shown, QRect(0, y, shown.width(), 1), color))
        return y;
    return -1;
  };
  Label->SetShadowPos(TextFormat::spRightBottom);
  EXPECT_EQ(firstRow(Blue), firstRow(Red) + 2);
  Label->SetShadowPos(TextFormat::spRightTop);
  EXPECT_EQ(firstRow(Blue), firstRow(Red) - 2);
}

TEST_F(LabelTest, AutoSizeIncludesTheShadowOffset) {
  Label->SetShadowSize(0);
  const QSize plain = Label->size();
  const QFontMetrics metrics(Label->font());
  EXPECT_EQ(plain, QSize(metrics.horizontalAdvance("Volt/d") + 2, metrics.height()));
  Label->SetShadowPos(TextFormat::spRightBottom);
  Label->SetShadowSize(2);
  EXPECT_EQ(Label->size(), plain + QSize(2, 2));
}

TEST_F(LabelTest, RightJustifiedAutoSizeKeepsTheRightEdge) {
  Label->SetAlignment(TextFormat::taRightJustify);
  const int right = Label->geometry().right();
  Label->SetCaption("Volt/div long");
  EXPECT_EQ(Label->geometry().right(), right);
  Label->SetAlignment(TextFormat::taLeftJustify);
  const int left = Label->x();
  Label->SetCaption("V");
  EXPECT_EQ(Label->x(), left);
}

TEST_F(LabelTest, DisabledLabelIsEngravedEvenWithoutShadow) {
  Label->SetColor(clBtnFace);
  Label->SetShadowSize(0);
  Label->setEnabled(false);
  EXPECT_FALSE(Has(Red));
  EXPECT_TRUE(Has(Grey));
  EXPECT_TRUE(Has(White));
  EXPECT_EQ(Label->ShadowSize(), 0);
}

TEST_F(LabelTest, LayoutMovesTheTextDown) {
  Label->SetShadowSize(0);
  Label->SetAutoSize(false);
  Label->resize(100, 60);
  const int top = FirstTextRow();
  const int line = QFontMetrics(Label->font()).height();
  Label->SetLayout(TextFormat::tlBottom);
  EXPECT_EQ(FirstTextRow(), top + 60 - line);
  Label->SetLayout(TextFormat::tlCenter);
  EXPECT_EQ(FirstTextRow(), top + (60 - line) / 2);
}

TEST_F(LabelTest, TransparentLabelLeavesTheBackground) {
  EXPECT_TRUE(Has(White));
  Label->SetTransparent(true);
  EXPECT_FALSE(Has(White));
  EXPECT_TRUE(Has(TWidgetHost::Background));
}

TEST_F(LabelTest, AcceleratorFocusesTheFocusControl) {
  auto *edit = new QLineEdit(Host.Window());
  edit->move(20, 100);
  edit->show();
  Label->SetCaption("&Volts");
  Label->SetFocusControl(edit);
  Label->SetShowFocus(true);
  const QImage before = Shown();
  QTest::keyClick(Host.Window(), Qt::Key_V, Qt::AltModifier);
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_NE(Shown(), before); // the focus rectangle

  edit->clearFocus();
  Label->SetShowAccelChar(false);
  QTest::keyClick(Host.Window(), Qt::Key_V, Qt::AltModifier);
  EXPECT_FALSE(edit->hasFocus());
}

TEST_F(LabelTest, PointerEnterAndLeaveAreReported) {
  std::string log;
  Label->OnMouseEnter = [&](QObject *) { log += "enter "; };
  Label->OnMouseLeave = [&](QObject *) { log += "leave "; };
  QWindow *window = Host.Window()->windowHandle();
  QTest::mouseMove(window, QPoint(5, 5));
  QTest::mouseMove(window, Label->geometry().center());
  EXPECT_EQ(log, "enter ");
  QTest::mousePress(window, Qt::LeftButton, {}, Label->geometry().center());
  QTest::mouseMove(window, QPoint(5, 5));
  EXPECT_EQ(log, "enter "); // held after a press on the label
  QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(log, "enter leave ");
}

} // namespace
