#include "app/readout_font.h"

#include <algorithm>
#include <iterator>

namespace {

struct TGlyphEntry {
  std::string_view Utf8;
  TReadoutGlyph Glyph;
};

// A glyph from its rows as drawn, '#' lit. Made at compile time, so a row of the wrong width
// stops the build.
constexpr TReadoutGlyph Glyph(std::array<std::string_view, ReadoutGlyphHeight> rows) {
  TReadoutGlyph glyph{};
  for (int row = 0; row < ReadoutGlyphHeight; ++row) {
    if (rows[row].size() != ReadoutGlyphWidth)
      throw "a glyph row is not ReadoutGlyphWidth wide";
    for (int column = 0; column < ReadoutGlyphWidth; ++column)
      if (rows[row][column] == '#')
        glyph[row] |= static_cast<uint8_t>(1u << column);
  }
  return glyph;
}

// clang-format off
constexpr TGlyphEntry Glyphs[] = {
  {" ", Glyph({"......", "......", "......", "......", "......", "......", "......", "......", "......"})},
  {"0", Glyph({".###..", "#...#.", "#..##.", "#.#.#.", "##..#.", "#...#.", ".###..", "......", "......"})},
  {"1", Glyph({"..#...", ".##...", "..#...", "..#...", "..#...", "..#...", ".###..", "......", "......"})},
  {"2", Glyph({".###..", "#...#.", "....#.", "...#..", "..#...", ".#....", "#####.", "......", "......"})},
  {"3", Glyph({"#####.", "...#..", "..#...", "...#..", "....#.", "#...#.", ".###..", "......", "......"})},
  {"4", Glyph({"...#..", "..##..", ".#.#..", "#..#..", "#####.", "...#..", "...#..", "......", "......"})},
  {"5", Glyph({"#####.", "#.....", "####..", "....#.", "....#.", "#...#.", ".###..", "......", "......"})},
  {"6", Glyph({"..##..", ".#....", "#.....", "####..", "#...#.", "#...#.", ".###..", "......", "......"})},
  {"7", Glyph({"#####.", "....#.", "...#..", "..#...", ".#....", ".#....", ".#....", "......", "......"})},
  {"8", Glyph({".###..", "#...#.", "#...#.", ".###..", "#...#.", "#...#.", ".###..", "......", "......"})},
  {"9", Glyph({".###..", "#...#.", "#...#.", ".####.", "....#.", "...#..", ".##...", "......", "......"})},
  {".", Glyph({"......", "......", "......", "......", "......", ".##...", ".##...", "......", "......"})},
  {"-", Glyph({"......", "......", "......", ".###..", "......", "......", "......", "......", "......"})},
  // The em dash spans the whole glyph, so it never looks like a minus.
  {"\u2014", Glyph({"......", "......", "......", "######", "......", "......", "......", "......", "......"})},
  {"H", Glyph({"#...#.", "#...#.", "#...#.", "#####.", "#...#.", "#...#.", "#...#.", "......", "......"})},
  {"I", Glyph({".###..", "..#...", "..#...", "..#...", "..#...", "..#...", ".###..", "......", "......"})},
  {"V", Glyph({"#...#.", "#...#.", "#...#.", "#...#.", "#...#.", ".#.#..", "..#...", "......", "......"})},
  {"k", Glyph({"#.....", "#.....", "#..#..", "#.#...", "##....", "#.#...", "#..#..", "......", "......"})},
  {"m", Glyph({"......", "......", "##.#..", "#.#.#.", "#.#.#.", "#...#.", "#...#.", "......", "......"})},
  {"p", Glyph({"......", "......", "####..", "#...#.", "#...#.", "####..", "#.....", "#.....", "#....."})},
  {"r", Glyph({"......", "......", "#.##..", "##..#.", "#.....", "#.....", "#.....", "......", "......"})},
  {"s", Glyph({"......", "......", ".####.", "#.....", ".###..", "....#.", "####..", "......", "......"})},
  {"z", Glyph({"......", "......", "#####.", "...#..", "..#...", ".#....", "#####.", "......", "......"})},
};
constexpr TReadoutGlyph Box =
  Glyph({"######", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "######"});
// clang-format on

struct TCharacterList {
  std::array<char, 4 * std::size(Glyphs)> Chars{};
  size_t Length = 0;
};
constexpr TCharacterList Characters = [] {
  TCharacterList list;
  for (const TGlyphEntry &entry : Glyphs)
    for (char c : entry.Utf8)
      list.Chars[list.Length++] = c;
  return list;
}();

} // namespace

std::string_view ReadoutFontCharacters() { return {Characters.Chars.data(), Characters.Length}; }

char32_t NextReadoutCharacter(std::string_view text, size_t &at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  const int following = lead < 0x80             ? 0
                        : (lead & 0xE0) == 0xC0 ? 1
                        : (lead & 0xF0) == 0xE0 ? 2
                        : (lead & 0xF8) == 0xF0 ? 3
                                                : -1;
  if (following == 0)
    return lead;
  if (following < 0 || text.size() - at < static_cast<size_t>(following))
    return U'\uFFFD';
  char32_t character = lead & (0x3F >> following);
  for (int i = 0; i < following; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80)
      return U'\uFFFD';
    character = character << 6 | (next & 0x3F);
  }
  at += following;
  return character;
}

const TReadoutGlyph &ReadoutGlyph(char32_t character) {
  for (const TGlyphEntry &entry : Glyphs) {
    size_t at = 0;
    if (NextReadoutCharacter(entry.Utf8, at) == character)
      return entry.Glyph;
  }
  return Box;
}

std::string ReadReadoutText(const std::function<bool(int, int)> &lit, int x, int y, int maxChars) {
  std::string text;
  size_t kept = 0; // the text up to its last non-blank cell
  for (int cell = 0; cell < maxChars; ++cell) {
    const int cellX = x + cell * ReadoutCellWidth;
    TReadoutGlyph seen{};
    bool marginLit = false;
    for (int row = 0; row < ReadoutCellHeight; ++row)
      for (int column = 0; column < ReadoutCellWidth; ++column) {
        if (!lit(cellX + column, y + row))
          continue;
        if (row < ReadoutGlyphHeight && column < ReadoutGlyphWidth)
          seen[row] |= static_cast<uint8_t>(1u << column);
        else
          marginLit = true;
      }
    const auto match = std::find_if(std::begin(Glyphs), std::end(Glyphs),
                                    [&](const TGlyphEntry &entry) { return entry.Glyph == seen; });
    text += marginLit || match == std::end(Glyphs) ? std::string_view("?") : match->Utf8;
    if (marginLit || match != std::begin(Glyphs))
      kept = text.size();
  }
  text.resize(kept);
  return text;
}
