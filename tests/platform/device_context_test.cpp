#include "platform/draw/device_context.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

constexpr TColorRef Red = 0x0000FF, Yellow = 0x00FFFF;

// 32-bit pixel memory with a device context over it.
struct TPixels {
  int Width, Height;
  std::vector<uint32_t> Memory;
  TDeviceContext DC;

  TPixels(int width, int height, uint32_t fill = 0)
      : Width(width), Height(height), Memory(static_cast<size_t>(width) * height, fill),
        DC(Memory.data(), width * 4, width, height) {}

  uint32_t At(int x, int y) const { return Memory[y * Width + x]; }
  int CountNot(uint32_t background) const {
    int n = 0;
    for (uint32_t p : Memory)
      n += p != background;
    return n;
  }
};

TEST(DeviceContextTest, LinesLeaveOutTheirEndPoint) {
  TPixels p(20, 20);
  p.DC.SetPen(0xFFFFFF, 1);
  p.DC.MoveTo(2, 3);
  p.DC.LineTo(8, 3);
  for (int x = 2; x < 8; ++x)
    EXPECT_EQ(p.At(x, 3), 0xFFFFFFu) << x;
  EXPECT_EQ(p.At(8, 3), 0u);
  EXPECT_EQ(p.At(1, 3), 0u);

  p.DC.MoveTo(5, 10);
  p.DC.LineTo(5, 6); // upwards
  for (int y = 7; y <= 10; ++y)
    EXPECT_EQ(p.At(5, y), 0xFFFFFFu) << y;
  EXPECT_EQ(p.At(5, 6), 0u);

  p.DC.MoveTo(10, 10);
  p.DC.LineTo(15, 15);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(p.At(10 + i, 10 + i), 0xFFFFFFu) << i;
  EXPECT_EQ(p.At(15, 15), 0u);
  EXPECT_EQ(p.CountNot(0), 6 + 4 + 5);
  EXPECT_EQ(p.DC.PenX(), 15);
  EXPECT_EQ(p.DC.PenY(), 15);
}

TEST(DeviceContextTest, PolylineJoinsWithoutGapsOrDoublePlots) {
  // Xor shows a pixel drawn twice as a hole.
  TPixels p(30, 30);
  p.DC.SetPen(0xFFFFFF, 1);
  p.DC.SetRop2(R2_XORPEN);
  p.DC.MoveTo(1, 1);
  p.DC.LineTo(20, 7);
  p.DC.LineTo(3, 25);
  p.DC.LineTo(4, 26); // the last joint is drawn once
  EXPECT_EQ(p.At(20, 7), 0xFFFFFFu);
  EXPECT_EQ(p.At(3, 25), 0xFFFFFFu);
  EXPECT_EQ(p.CountNot(0), 19 + 18 + 1);
}

TEST(DeviceContextTest, NotCopyPaintsTheInverseOfThePenWhateverIsBelow) {
  for (uint32_t background : {0x000000u, 0xFFFFFFu, 0xC7D6BAu, 0x123456u}) {
    TPixels p(10, 4, background);
    p.DC.SetRop2(R2_NOTCOPYPEN);
    p.DC.SetPen(Red, 1);
    p.DC.MoveTo(0, 1);
    p.DC.LineTo(10, 1);
    p.DC.SetPen(Yellow, 1);
    p.DC.MoveTo(0, 2);
    p.DC.LineTo(10, 2);
    for (int x = 0; x < 10; ++x) {
      EXPECT_EQ(p.At(x, 1), 0x00FFFFu) << "aqua over " << std::hex << background;
      EXPECT_EQ(p.At(x, 2), 0x0000FFu) << "blue over " << std::hex << background;
      EXPECT_EQ(p.At(x, 0), background);
    }
  }
}

TEST(DeviceContextTest, RasterOperationsFollowTheirTruthTables) {
  const uint32_t pen = 0x00F0F0, dest = 0x0FF00F;
  auto apply = [&](int rop) {
    TPixels p(2, 1, dest);
    p.DC.SetPen(0xF0F000, 1); // red in the low byte: becomes 0x00F0F0
    p.DC.SetRop2(rop);
    p.DC.MoveTo(0, 0);
    p.DC.LineTo(1, 0);
    return p.At(0, 0);
  };
  EXPECT_EQ(apply(R2_BLACK), 0u);
  EXPECT_EQ(apply(R2_WHITE), 0xFFFFFFu);
  EXPECT_EQ(apply(R2_NOP), dest);
  EXPECT_EQ(apply(R2_NOT), ~dest & 0xFFFFFF);
  EXPECT_EQ(apply(R2_COPYPEN), pen);
  EXPECT_EQ(apply(R2_XORPEN), pen ^ dest);
  EXPECT_EQ(apply(R2_MASKPEN), pen & dest);
  EXPECT_EQ(apply(R2_MERGEPEN), pen | dest);
  EXPECT_EQ(apply(R2_MASKPENNOT), pen & ~dest & 0xFFFFFF);
  EXPECT_EQ(apply(R2_NOTMERGEPEN), ~(pen | dest) & 0xFFFFFF);
  EXPECT_EQ(apply(R2_NOTCOPYPEN), ~pen & 0xFFFFFF);
  EXPECT_EQ(apply(R2_NOTXORPEN), ~(pen ^ dest) & 0xFFFFFF);
  EXPECT_EQ(apply(R2_NOTMASKPEN), ~(pen & dest) & 0xFFFFFF);
  EXPECT_EQ(apply(R2_MASKNOTPEN), ~pen & dest);
  EXPECT_EQ(apply(R2_MERGENOTPEN), (~pen | dest) & 0xFFFFFF);
  EXPECT_EQ(apply(R2_MERGEPENNOT), (pen | ~dest) & 0xFFFFFF);
  EXPECT_EQ(apply(0), pen) << "an unknown operation copies";
}

TEST(DeviceContextTest, EveryChangeOfPenOrOperationTakesEffectAtTheNextLine) {
  TPixels p(4, 6, 0x0FF00F);
  auto line = [&](int y) {
    p.DC.MoveTo(0, y);
    p.DC.LineTo(4, y);
    return p.At(3, y);
  };
  EXPECT_EQ(line(0), 0u) << "a fresh context draws black and copies";
  p.DC.SetRop2(R2_XORPEN);
  EXPECT_EQ(line(1), 0x0FF00Fu) << "xor with black";
  p.DC.SetPen(0x0000FF, 1);
  EXPECT_EQ(line(2), 0xF0F00Fu);
  p.DC.SetRop2(R2_MERGEPEN);
  EXPECT_EQ(line(3), 0xFFF00Fu);
  p.DC.SetPen(0x0000FF, 1); // the same pen again
  p.DC.SetRop2(R2_MERGEPEN);
  EXPECT_EQ(line(4), 0xFFF00Fu);
  p.DC.SetRop2(R2_NOP);
  EXPECT_EQ(line(5), 0x0FF00Fu);
}

TEST(DeviceContextTest, LinesAreClippedAtEveryEdge) {
  TPixels p(10, 10);
  p.DC.SetPen(0xFFFFFF, 1);
  p.DC.MoveTo(-5, 4);
  p.DC.LineTo(15, 4); // through left and right
  p.DC.MoveTo(3, -100000);
  p.DC.LineTo(3, 100000); // far beyond top and bottom
  p.DC.MoveTo(-20, -20);
  p.DC.LineTo(30, 30); // diagonal through two corners
  p.DC.MoveTo(-1000, 50);
  p.DC.LineTo(1000, 60); // wholly outside
  for (int x = 0; x < 10; ++x)
    EXPECT_EQ(p.At(x, 4), 0xFFFFFFu);
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(p.At(3, y), 0xFFFFFFu);
    EXPECT_EQ(p.At(y, y), 0xFFFFFFu);
  }
  EXPECT_EQ(p.CountNot(0), 10 + 9 + 8);
}

// The rule a thin line follows, worked out pixel by pixel: along the longer axis every step from
// the start up to, not including, the end, and across it the nearest pixel, halves rounding
// away from the start.
std::vector<TPoint> RulePixels(int x0, int y0, int x1, int y1) {
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int64_t major = std::max(std::abs(dx), std::abs(dy)), minor = std::min(std::abs(dx), std::abs(dy));
  std::vector<TPoint> pixels;
  for (int64_t i = 0; i < major; ++i) {
    const int64_t across = (2 * i * minor + major) / (2 * major);
    const int64_t a = i * ((xMajor ? dx : dy) < 0 ? -1 : 1), b = across * ((xMajor ? dy : dx) < 0 ? -1 : 1);
    pixels.push_back(xMajor ? TPoint{static_cast<int>(x0 + a), static_cast<int>(y0 + b)}
                            : TPoint{static_cast<int>(x0 + b), static_cast<int>(y0 + a)});
  }
  return pixels;
}

TEST(DeviceContextTest, ThinLinesFollowTheRuleInsideAndAcrossTheEdges) {
  // Rows longer than the picture: nothing may land in the gap at their ends.
  constexpr int Width = 37, Height = 23, Pitch = Width + 3, Gap = 0x5A5A5A;
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> inside(0, Width - 1), across(-30, Width + 30);
  for (int n = 0; n < 3000; ++n) {
    const bool clipped = n % 2 == 1;
    const int x0 = clipped ? across(random) : inside(random), x1 = clipped ? across(random) : inside(random);
    const int y0 = (clipped ? across(random) : inside(random)) % Height;
    const int y1 = (clipped ? across(random) : inside(random)) % Height - (n % 4 == 3 ? 25 : 0);
    std::vector<uint32_t> memory(static_cast<size_t>(Pitch) * Height, 0);
    for (int y = 0; y < Height; ++y)
      std::fill(memory.begin() + y * Pitch + Width, memory.begin() + (y + 1) * Pitch, Gap);
    TDeviceContext dc(memory.data(), Pitch * 4, Width, Height);
    dc.SetPen(0xFFFFFF, 1);
    dc.SetRop2(R2_XORPEN); // a pixel drawn twice shows as a hole
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
    std::vector<uint32_t> expected(memory.size(), 0);
    for (int y = 0; y < Height; ++y)
      std::fill(expected.begin() + y * Pitch + Width, expected.begin() + (y + 1) * Pitch, Gap);
    for (const TPoint &pixel : RulePixels(x0, y0, x1, y1))
      if (pixel.X >= 0 && pixel.Y >= 0 && pixel.X < Width && pixel.Y < Height)
        expected[pixel.Y * Pitch + pixel.X] = 0xFFFFFF;
    ASSERT_EQ(memory, expected) << "from " << x0 << "," << y0 << " to " << x1 << "," << y1;
  }
}

TEST(DeviceContextTest, WidePenDrawsRoundEndedLines) {
  TPixels p(30, 30);
  p.DC.SetPen(0xFFFFFF, 5);
  p.DC.MoveTo(10, 15);
  p.DC.LineTo(20, 15);
  for (int x = 10; x <= 20; ++x)
    for (int y = 13; y <= 17; ++y)
      EXPECT_EQ(p.At(x, y), 0xFFFFFFu) << x << "," << y;
  EXPECT_EQ(p.At(15, 18), 0u);
  EXPECT_EQ(p.At(8, 15), 0xFFFFFFu); // the round cap reaches past the end
  EXPECT_EQ(p.At(8, 13), 0u);        // but not into its corners
  EXPECT_EQ(p.At(7, 15), 0u);
}

TEST(DeviceContextTest, StretchedDIBCopiesScalesAndMirrors) {
  // A 2 x 2, 24-bit bottom-up DIB: top row red, blue; bottom row green, white.
  const uint8_t bits[16] = {0, 255, 0,   255, 255, 255, 0, 0, // bottom row, padded
                            0, 0,   255, 255, 0,   0,   0, 0};
  TDIBSource dib;
  dib.Width = 2;
  dib.Height = 2;
  dib.BitCount = 24;
  dib.WidthBytes = 8;
  dib.Bits = bits;
  TPixels p(4, 4);
  p.DC.StretchDIB({0, 0, 4, 4}, {0, 0, 2, 2}, dib);
  EXPECT_EQ(p.At(0, 0), 0xFF0000u);
  EXPECT_EQ(p.At(1, 1), 0xFF0000u);
  EXPECT_EQ(p.At(3, 0), 0x0000FFu);
  EXPECT_EQ(p.At(0, 3), 0x00FF00u);
  EXPECT_EQ(p.At(3, 3), 0xFFFFFFu);
  TPixels m(2, 2);
  m.DC.StretchDIB({2, 0, 0, 2}, {0, 0, 2, 2}, dib);
  EXPECT_EQ(m.At(0, 0), 0x0000FFu);
  EXPECT_EQ(m.At(1, 0), 0xFF0000u);
}

} // namespace
