#include "display/dib.h"
#include "display/palette_manager.h"
#include "platform/draw/gdi_functions.h"

#include <gtest/gtest.h>

namespace {

std::vector<TPaletteEntry> EntriesOf(HPALETTE palette) {
  std::vector<TPaletteEntry> entries(256);
  entries.resize(GdiGetPaletteEntries(palette, 0, 256, entries.data()));
  return entries;
}

TEST(PaletteManagerTest, EqualTablesShareOnePaletteUntilTheLastLetsGo) {
  TPaletteManager manager;
  TRGBQuads table{};
  table[1] = {10, 20, 30, 0};
  HPALETTE a = manager.CreatePalette(table.data(), 16);
  HPALETTE b = manager.CreatePalette(table.data(), 16);
  EXPECT_EQ(a, b);
  HPALETTE shorter = manager.CreatePalette(table.data(), 15);
  EXPECT_NE(shorter, a);
  // Same key (the sum of the bytes) but other colours: another palette.
  TRGBQuads swapped = table;
  swapped[1] = {30, 20, 10, 0};
  HPALETTE c = manager.CreatePalette(swapped.data(), 16);
  EXPECT_NE(c, a);
  TPaletteEntry entry;
  ASSERT_EQ(GdiGetPaletteEntries(a, 1, 1, &entry), 1);
  EXPECT_EQ(entry.peRed, 30);
  EXPECT_EQ(entry.peBlue, 10);
  EXPECT_EQ(manager.Count(), 3);
  manager.DeletePalette(a);
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(manager.Count(), 3);
  manager.DeletePalette(b);
  EXPECT_EQ(manager.Count(), 2);
  manager.DeletePalette(shorter);
  manager.DeletePalette(c);
  EXPECT_EQ(manager.Count(), 0);
}

TEST(PaletteManagerTest, ADIBsPaletteFollowsItsColourTable) {
  TDIB rgb;
  rgb.SetSize(2, 2, 24);
  EXPECT_EQ(rgb.Palette(), nullptr);

  TDIB indexed;
  indexed.ColorTable[0] = {1, 2, 3, 0};
  indexed.SetSize(2, 2, 4);
  HPALETTE first = indexed.Palette();
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(EntriesOf(first).size(), 16u);
  EXPECT_EQ(EntriesOf(first)[0].peRed, 3);
  EXPECT_EQ(indexed.Palette(), first) << "asked again without a change";

  std::vector<TPaletteEntry> entries(16);
  entries[0] = {9, 8, 7, 0};
  indexed.SetPalette(GdiCreatePalette(entries.data(), 16));
  EXPECT_EQ(indexed.Image()->ColorTable[0], (TRGBQuad{7, 8, 9, 0}));
  EXPECT_EQ(EntriesOf(indexed.Palette()).at(0).peRed, 9);
}

} // namespace
