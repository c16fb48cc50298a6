#include "app/readout_font.h"

#include "app/readout_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<char32_t> FontCharacters() {
  std::vector<char32_t> characters;
  const std::string_view all = ReadoutFontCharacters();
  for (size_t at = 0; at < all.size();)
    characters.push_back(NextReadoutCharacter(all, at));
  return characters;
}

// A picture of colour numbers, as a screenshot of the display holds.
class TPicture {
public:
  void Draw(std::string_view text, int x, int y, int colour) {
    ForEachReadoutRun(text, x, y, [&](int x0, int x1, int row) {
      ASSERT_LT(x0, x1);
      for (int column = x0; column < x1; ++column)
        At(column, row) = colour;
    });
  }
  std::string Read(int x, int y, int colour, int maxChars) {
    return ReadReadoutText([&](int column, int row) { return At(column, row) == colour; }, x, y, maxChars);
  }
  int &At(int x, int y) {
    static int outside;
    outside = 0;
    return x >= 0 && x < Width && y >= 0 && y < Height ? Pixels[y * Width + x] : outside;
  }

private:
  static constexpr int Width = 504;
  static constexpr int Height = 60;
  std::vector<int> Pixels = std::vector<int>(Width * Height, 0);
};

TEST(ReadoutFont, EveryGlyphIsItsOwn) {
  const std::vector<char32_t> characters = FontCharacters();
  ASSERT_EQ(characters.size(), 23u);
  const TReadoutGlyph &box = ReadoutGlyph(U'A');
  for (size_t i = 0; i < characters.size(); ++i) {
    const TReadoutGlyph &glyph = ReadoutGlyph(characters[i]);
    EXPECT_NE(glyph, box) << "character " << i;
    EXPECT_EQ(glyph == TReadoutGlyph{}, characters[i] == U' ') << "only the space is blank";
    for (size_t j = 0; j < i; ++j)
      EXPECT_NE(glyph, ReadoutGlyph(characters[j])) << "characters " << j << " and " << i;
  }
}

TEST(ReadoutFont, EveryReadoutCharacterHasAGlyph) {
  for (double value : {0.0, 0.0123, 0.5, 1.0, 4.567, 89.01, 234.5, 6789.0, 12345.0, 678901.0, 1e9}) {
    TReadoutText line;
    FormatReadout(chII, {value, value, value}, line);
    FormatReadout(chI, {std::nullopt, value, value}, line);
    for (size_t at = 0; at < line.View().size();)
      ASSERT_NE(ReadoutGlyph(NextReadoutCharacter(line.View(), at)), ReadoutGlyph(U'A')) << line.View();
  }
}

TEST(ReadoutFont, RunsOfAGlyphAreItsRows) {
  const std::array<std::string_view, ReadoutGlyphHeight> h{"#...#.", "#...#.", "#...#.", "#####.", "#...#.",
                                                           "#...#.", "#...#.", "......", "......"};
  std::vector<std::tuple<int, int, int>> expected;
  for (int row = 0; row < ReadoutGlyphHeight; ++row)
    for (size_t column = 0; column < h[row].size(); ++column)
      if (h[row][column] == '#') {
        const size_t end = h[row].find('.', column);
        expected.emplace_back(100 + column, 100 + end, 7 + row);
        column = end;
      }
  std::vector<std::tuple<int, int, int>> runs;
  ForEachReadoutRun("H", 100, 7, [&](int x0, int x1, int y) { runs.emplace_back(x0, x1, y); });
  EXPECT_EQ(runs, expected);

  runs.clear();
  ForEachReadoutRun("-\u2014", 0, 0, [&](int x0, int x1, int y) { runs.emplace_back(x0, x1, y); });
  EXPECT_EQ(runs, (std::vector<std::tuple<int, int, int>>{{1, 4, 3}, {ReadoutCellWidth, ReadoutCellWidth + 6, 3}}));
}

TEST(ReadoutFont, TwoLinesReadBackFromTheirColours) {
  TPicture picture;
  const std::string first = "I   1.000 kHz  2.830 Vpp   1.001 Vrms";
  const std::string second = "II      \u2014 Hz   354.0 mVpp  -0.5 9876";
  picture.Draw(first, 4, 4, 1);
  picture.Draw(second, 4, 4 + ReadoutCellHeight, 2);
  EXPECT_EQ(picture.Read(4, 4, 1, 60), first) << "trailing blanks are dropped";
  EXPECT_EQ(picture.Read(4, 4 + ReadoutCellHeight, 2, 60), second);
  EXPECT_EQ(picture.Read(4, 4, 1, 5), "I   1");
  EXPECT_EQ(picture.Read(4, 4, 2, 60), "") << "the other colour is background";
  EXPECT_EQ(picture.Read(4 + 4 * ReadoutCellWidth + 1, 4, 1, 5), "?????") << "cells out of step match nothing";
}

TEST(ReadoutFont, WhatTheFontLacksDrawsAsABoxAndReadsAsUnknown) {
  TPicture picture;
  // A letter, é, a stray byte, and a cut-off sequence, which is a box for each of its bytes.
  picture.Draw("1A\xC3\xA9\xFF\xE2\x80", 0, 0, 1);
  EXPECT_EQ(picture.Read(0, 0, 1, 10), "1?????");
  EXPECT_EQ(ReadoutGlyph(U'\uFFFD'), ReadoutGlyph(U'A'));
  // A lit pixel in a cell's blank margin is no glyph either.
  picture.Draw("8", 0, 20, 1);
  picture.At(ReadoutCellWidth - 1, 20) = 1;
  EXPECT_EQ(picture.Read(0, 20, 1, 1), "?");
  picture.At(ReadoutCellWidth - 1, 20) = 0;
  picture.At(3, 20 + ReadoutCellHeight - 1) = 1;
  EXPECT_EQ(picture.Read(0, 20, 1, 1), "?");
}

} // namespace
