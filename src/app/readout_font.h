#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The readout's own bitmap font. The panel draws it as one-pixel horizontal lines, and a picture
// of it reads back exactly: every glyph differs from every other, and the cell around a glyph is
// always blank.
constexpr int ReadoutGlyphWidth = 6;
constexpr int ReadoutGlyphHeight = 9; // capitals and digits take the first 7 rows, descenders the last 2
constexpr int ReadoutCellWidth = 7;   // advance per character
constexpr int ReadoutCellHeight = 11; // line height, gap included

// One glyph, a row per entry, bit c lit for column c.
using TReadoutGlyph = std::array<uint8_t, ReadoutGlyphHeight>;

// The characters the font has, in UTF-8.
std::string_view ReadoutFontCharacters();

// The glyph of a character; one the font lacks gets a box, which reads as no character.
const TReadoutGlyph &ReadoutGlyph(char32_t character);

// The character starting at text[at], moving `at` past it. A malformed or cut-off sequence is one
// byte of U+FFFD, so every byte is read once and nothing past the end.
char32_t NextReadoutCharacter(std::string_view text, size_t &at);

// Calls run(x0, x1, y) for each horizontal run of lit pixels of the text drawn with its top-left
// cell corner at (x, y): pixels x0 .. x1 - 1 on row y. Characters the font lacks draw as a box.
// Allocates nothing.
template <class TRun> void ForEachReadoutRun(std::string_view utf8, int x, int y, TRun &&run) {
  size_t at = 0;
  for (int cellX = x; at < utf8.size(); cellX += ReadoutCellWidth) {
    const TReadoutGlyph &glyph = ReadoutGlyph(NextReadoutCharacter(utf8, at));
    for (int row = 0; row < ReadoutGlyphHeight; ++row) {
      const unsigned bits = glyph[row];
      for (int column = 0; column < ReadoutGlyphWidth;) {
        if ((bits >> column & 1) == 0) {
          ++column;
          continue;
        }
        const int start = column;
        while (column < ReadoutGlyphWidth && (bits >> column & 1) != 0)
          ++column;
        run(cellX + start, cellX + column, y + row);
      }
    }
  }
}

// The text a picture shows at (x, y), read cell by cell for at most maxChars cells, trailing blanks
// dropped; `lit(x, y)` tells whether a pixel belongs to the text. A cell that matches no glyph
// exactly, blank margin included, reads as '?'.
std::string ReadReadoutText(const std::function<bool(int, int)> &lit, int x, int y, int maxChars);
