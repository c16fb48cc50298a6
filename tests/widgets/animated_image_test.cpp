#include "manual_clock.h"
#include "widget_host.h"
#include "widgets/animated_image.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QColor FrameColors[4] = {QColor(200, 0, 0), QColor(0, 0, 200), QColor(200, 200, 0), QColor(0, 200, 200)};
const QColor Unused(250, 0, 250);

// A strip of four frames of `frameWidth`, each one plain colour, with `extra` columns of an
// unused colour at the right end.
QImage Strip(int frameWidth, int height, int extra = 0) {
  QImage strip(4 * frameWidth + extra, height, QImage::Format_RGB32);
  strip.fill(Unused);
  QPainter painter(&strip);
  for (int i = 0; i < 4; ++i)
    painter.fillRect(i * frameWidth, 0, frameWidth, height, FrameColors[i]);
  return strip;
}

class AnimatedImageTest : public testing::Test {
protected:
  TWidgetHost Host;
  TAnimatedImage *Knob = new TAnimatedImage(Host.Window());

  void SetStrip(const QImage &strip, int numGlyphs) {
    Knob->SetGlyph(strip);
    Knob->SetNumGlyphs(numGlyphs);
    Knob->SetTransparentColor(clNone);
    Knob->show();
  }
  QImage Shown() { return Host.Grab(Knob); }
  bool Shows(QColor color) { return AllPixels(Shown(), QRect(QPoint(0, 0), Knob->size()), color); }
};

TEST_F(AnimatedImageTest, ShowsTheInactiveFrameWhateverGlyphNumHolds) {
  SetStrip(Strip(25, 45), 4);
  for (int frame = 0; frame < 4; ++frame) {
    Knob->SetInactiveGlyph(frame);
    Knob->SetGlyphNum((frame + 1) % 4);
    EXPECT_EQ(Knob->ShownFrame(), frame);
    EXPECT_TRUE(Shows(FrameColors[frame])) << "frame " << frame;
  }
}

TEST_F(AnimatedImageTest, WideStripHasFramesOfWholePixelsAndNeverShowsItsRemainder) {
  SetStrip(Strip(52, 45, 2), 4);
  EXPECT_EQ(Knob->FrameSize(), QSize(52, 45));
  EXPECT_EQ(Knob->size(), QSize(52, 45)); // auto size
  Knob->SetInactiveGlyph(3);
  const QImage shown = Shown();
  EXPECT_TRUE(AllPixels(shown, shown.rect(), FrameColors[3]));
  EXPECT_FALSE(AnyPixel(shown, shown.rect(), Unused));
}

TEST_F(AnimatedImageTest, SquareFramesAreCountedFromTheStripShape) {
  Knob->SetGlyph(Strip(45, 45));
  EXPECT_EQ(Knob->NumGlyphs(), 4);
  Knob->SetGlyph(Strip(52, 45, 2)); // 210 wide: not a multiple of 45
  EXPECT_EQ(Knob->NumGlyphs(), 1);
  Knob->SetOrientation(TAnimatedImage::goVertical);
  EXPECT_EQ(Knob->NumGlyphs(), 1);
  Knob->SetGlyph(Strip(45, 45).transformed(QTransform().rotate(90)));
  EXPECT_EQ(Knob->NumGlyphs(), 4);
  EXPECT_EQ(Knob->FrameSize(), QSize(45, 45));
}

TEST_F(AnimatedImageTest, OutOfRangeInactiveGlyphIsIgnoredAndNegativeMeansNone) {
  SetStrip(Strip(25, 45), 4);
  Knob->SetInactiveGlyph(2);
  Knob->SetInactiveGlyph(7);
  EXPECT_EQ(Knob->InactiveGlyph(), 2);
  Knob->SetInactiveGlyph(-5);
  EXPECT_EQ(Knob->InactiveGlyph(), -1);
  Knob->SetGlyphNum(1);
  EXPECT_EQ(Knob->ShownFrame(), 1);
  EXPECT_TRUE(Shows(FrameColors[1]));
}

TEST_F(AnimatedImageTest, WhileLoadingAnyInactiveGlyphIsTakenForTheCountThatFollows) {
  Knob->BeginLoading();
  Knob->SetGlyph(Strip(25, 45));
  Knob->SetNumGlyphs(1);
  Knob->SetInactiveGlyph(3);
  Knob->SetNumGlyphs(4);
  Knob->Loaded();
  EXPECT_EQ(Knob->InactiveGlyph(), 3);
  EXPECT_EQ(Knob->GlyphNum(), 3);
}

TEST_F(AnimatedImageTest, FewerGlyphsThanTheInactiveOneResetsBoth) {
  SetStrip(Strip(25, 45), 4);
  Knob->SetInactiveGlyph(3);
  int changes = 0;
  Knob->OnFrameChanged = [&](QObject *) { ++changes; };
  Knob->SetNumGlyphs(3);
  EXPECT_EQ(Knob->InactiveGlyph(), -1);
  EXPECT_EQ(Knob->GlyphNum(), 0);
  EXPECT_EQ(changes, 1);
}

TEST_F(AnimatedImageTest, AnimationSkipsTheInactiveFrameAndStopsOnIt) {
  TManualClock clock;
  TAnimatedImage knob(Host.Window());
  knob.SetGlyph(Strip(25, 45));
  knob.SetNumGlyphs(4);
  knob.SetTransparentColor(clNone);
  knob.show();
  std::vector<int> frames;
  int starts = 0, stops = 0;
  knob.OnStart = [&](QObject *) { ++starts; };
  knob.OnStop = [&](QObject *) { ++stops; };
  knob.SetActive(true);
  knob.SetInactiveGlyph(1);
  knob.OnFrameChanged = [&](QObject *) { frames.push_back(knob.GlyphNum()); };
  clock.Advance(650);
  EXPECT_EQ(frames, (std::vector<int>{2, 3, 0, 2, 3, 0}));
  EXPECT_TRUE(AllPixels(Host.Grab(&knob), knob.rect(), FrameColors[0]));
  knob.SetActive(false);
  EXPECT_EQ(knob.ShownFrame(), 1);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(stops, 1);
  frames.clear();
  clock.Advance(500);
  EXPECT_TRUE(frames.empty());
}

TEST_F(AnimatedImageTest, TransparentPixelsShowTheParent) {
  QImage strip = Strip(25, 45);
  const QColor key(1, 2, 3);
  strip.setPixel(0, 44, key.rgb()); // the lower-left pixel names the transparent colour
  strip.setPixel(75 + 10, 10, key.rgb());
  Knob->SetGlyph(strip);
  Knob->SetNumGlyphs(4);
  EXPECT_EQ(Knob->TransparentColor(), RGB(1, 2, 3));
  Knob->SetInactiveGlyph(3);
  Knob->show();
  QImage shown = Shown();
  EXPECT_EQ(QColor(shown.pixel(10, 10)), TWidgetHost::Background);
  EXPECT_EQ(QColor(shown.pixel(11, 10)), FrameColors[3]);
  Knob->SetOpaque(true);
  Knob->SetColor(clWhite);
  shown = Shown();
  EXPECT_EQ(QColor(shown.pixel(10, 10)), QColor(Qt::white));
}

TEST_F(AnimatedImageTest, StretchFitsANarrowerControlAndCenterPlacesAnUnscaledFrame) {
  SetStrip(Strip(25, 45), 4);
  Knob->SetAutoSize(false);
  Knob->setGeometry(5, 5, 24, 45);
  Knob->SetInactiveGlyph(2);
  EXPECT_TRUE(Shows(FrameColors[2]));

  Knob->setGeometry(5, 5, 35, 55);
  Knob->SetStretch(false);
  QImage shown = Shown();
  EXPECT_TRUE(AllPixels(shown, QRect(0, 0, 25, 45), FrameColors[2]));
  EXPECT_EQ(QColor(shown.pixel(30, 50)), TWidgetHost::Background);
  Knob->SetCenter(true);
  shown = Shown();
  EXPECT_TRUE(AllPixels(shown, QRect(5, 5, 25, 45), FrameColors[2]));
  EXPECT_EQ(QColor(shown.pixel(4, 4)), TWidgetHost::Background);
}

TEST_F(AnimatedImageTest, AutoSizeSnapsBackToTheFrame) {
  SetStrip(Strip(25, 45), 4);
  Knob->resize(60, 60);
  EXPECT_EQ(Knob->size(), QSize(25, 45));
}

} // namespace
