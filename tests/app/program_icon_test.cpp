#include "pictures/graticule.h"
#include "pictures/program_icon.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

int CountPixels(const QImage &image, QColor colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += image.pixelColor(x, y) == colour;
  return count;
}

} // namespace

// At every installed size: transparent outside the rounded bezel, so the desktop's background
// shows in the corners; an opaque bezel; the screen in the graticule's colours; and both traces
// plainly visible, not clipped away or painted over by the grid.
TEST(ProgramIcon, ShowsABezelledScreenWithBothTracesAtEachSize) {
  for (int size : {48, 128, 256}) {
    SCOPED_TRACE(size);
    const QImage icon = DrawProgramIcon(size);
    ASSERT_EQ(icon.size(), QSize(size, size));
    ASSERT_TRUE(icon.hasAlphaChannel());
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(size - 1, size - 1)), 0);
    EXPECT_EQ(icon.pixelColor(size / 2, size * 7 / 100), IconBezel);
    const int area = size * size;
    EXPECT_GT(CountPixels(icon, GraticuleBackground), area / 8);
    EXPECT_GT(CountPixels(icon, GraticuleLine), 0);
    EXPECT_GT(CountPixels(icon, IconTraceI), area / 200);
    EXPECT_GT(CountPixels(icon, IconTraceII), area / 400);
  }
}
