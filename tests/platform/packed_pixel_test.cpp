#include "platform/draw/packed_pixel.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct TLayout {
  int BitCount;
  int X;
  uint32_t Value;
  std::vector<uint8_t> Row; // what the row holds afterwards, from a row of 0x5A bytes
};

// Each depth's byte layout, at a pixel that is not the first, so that neighbours must survive.
TEST(PackedPixelTest, EveryDepthHasOneLayoutAndLeavesTheNeighboursAlone) {
  const TLayout layouts[] = {
      {1, 9, 1, {0x5A, 0x5A | 0x40, 0x5A, 0x5A}},
      {1, 11, 0, {0x5A, 0x5A & ~0x10, 0x5A, 0x5A}},
      {4, 2, 0xC, {0x5A, 0xCA, 0x5A, 0x5A}},
      {4, 3, 0x3, {0x5A, 0x53, 0x5A, 0x5A}},
      {8, 2, 0xE7, {0x5A, 0x5A, 0xE7, 0x5A}},
      {16, 1, 0xF81F, {0x5A, 0x5A, 0x1F, 0xF8, 0x5A, 0x5A}},
      // A picture keeps blue, green, red; the value is a colour with red in its low byte.
      {24, 1, 0x00C7D6BA, {0x5A, 0x5A, 0x5A, 0xC7, 0xD6, 0xBA, 0x5A, 0x5A, 0x5A}},
      {32, 1, 0x80C7D6BA, {0x5A, 0x5A, 0x5A, 0x5A, 0xBA, 0xD6, 0xC7, 0x80, 0x5A, 0x5A, 0x5A, 0x5A}},
  };
  for (const TLayout &layout : layouts) {
    std::vector<uint8_t> row(layout.Row.size(), 0x5A);
    WritePackedPixel(row.data(), layout.X, layout.BitCount, layout.Value);
    EXPECT_EQ(row, layout.Row) << layout.BitCount << " bits";
    EXPECT_EQ(ReadPackedPixel(row.data(), layout.X, layout.BitCount), layout.Value) << layout.BitCount << " bits";
  }
}

TEST(PackedPixelTest, OtherDepthsReadZeroAndWriteNothing) {
  std::vector<uint8_t> row(8, 0x5A);
  WritePackedPixel(row.data(), 1, 12, 0xFFF);
  EXPECT_EQ(row, std::vector<uint8_t>(8, 0x5A));
  EXPECT_EQ(ReadPackedPixel(row.data(), 1, 12), 0u);
}

} // namespace
