#include "platform/draw/gdi_functions.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(GdiFunctionsTest, APaletteHandsBackTheEntriesItHasAndNoMore) {
  std::vector<TPaletteEntry> colors(16);
  for (int i = 0; i < 16; ++i)
    colors[i] = {static_cast<uint8_t>(i), 0, 0, 0};
  EXPECT_EQ(GdiCreatePalette(colors.data(), 0), nullptr);
  EXPECT_EQ(GdiCreatePalette(nullptr, 16), nullptr);
  std::vector<TPaletteEntry> many(257);
  EXPECT_EQ(GdiCreatePalette(many.data(), 257), nullptr);

  HPALETTE palette = GdiCreatePalette(colors.data(), 16);
  ASSERT_NE(palette, nullptr);
  TPaletteEntry out[8] = {};
  EXPECT_EQ(GdiGetPaletteEntries(palette, 12, 8, out), 4) << "only what is left after start";
  EXPECT_EQ(out[0].peRed, 12);
  EXPECT_EQ(out[3].peRed, 15);
  EXPECT_EQ(out[4].peRed, 0) << "untouched";
  EXPECT_EQ(GdiGetPaletteEntries(palette, 16, 8, out), 0);
  EXPECT_EQ(GdiGetPaletteEntries(palette, 300, 8, out), 0);
  EXPECT_EQ(GdiGetPaletteEntries(palette, -1, 8, out), 0);
  EXPECT_EQ(GdiGetPaletteEntries(palette, 0, 8, nullptr), 0);
  EXPECT_EQ(GdiGetPaletteEntries(nullptr, 0, 8, out), 0);
  GdiDeletePalette(palette);
  GdiDeletePalette(nullptr);
}

TEST(GdiFunctionsTest, CallsOnANullDeviceContextDoNothing) {
  GdiSetPen(nullptr, 0xFFFFFF, 3);
  GdiSetRop2(nullptr, R2_XORPEN);
  GdiMoveTo(nullptr, 1, 2);
  GdiLineTo(nullptr, 5, 6);
  const uint8_t bits[4] = {};
  TDIBSource dib;
  dib.Width = dib.Height = 1;
  dib.BitCount = 24;
  dib.WidthBytes = 4;
  dib.Bits = bits;
  GdiStretchDIB(nullptr, {0, 0, 1, 1}, {0, 0, 1, 1}, dib);
}

TEST(GdiFunctionsTest, TheSystemPaletteHoldsTheReservedColoursAtBothEnds) {
  const auto &entries = SystemPaletteEntries();
  EXPECT_EQ(entries[0].peRed + entries[0].peGreen + entries[0].peBlue, 0);
  EXPECT_EQ(entries[7].peRed, 192);
  EXPECT_EQ(entries[9].peBlue, 240);
  for (int i = 10; i < 246; ++i)
    EXPECT_EQ(entries[i].peRed + entries[i].peGreen + entries[i].peBlue, 0) << i;
  EXPECT_EQ(entries[249].peRed, 255);
  EXPECT_EQ(entries[249].peGreen, 0);
  EXPECT_EQ(entries[255].peRed + entries[255].peGreen + entries[255].peBlue, 3 * 255);
}

} // namespace
