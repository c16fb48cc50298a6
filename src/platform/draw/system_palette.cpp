#include "platform/draw/gdi_functions.h"

const std::array<TPaletteEntry, 256> &SystemPaletteEntries() {
  static const std::array<TPaletteEntry, 256> entries = [] {
    std::array<TPaletteEntry, 256> table{};
    const TPaletteEntry low[10] = {{0, 0, 0, 0},       {128, 0, 0, 0},    {0, 128, 0, 0},   {128, 128, 0, 0},
                                   {0, 0, 128, 0},     {128, 0, 128, 0},  {0, 128, 128, 0}, {192, 192, 192, 0},
                                   {192, 220, 192, 0}, {166, 202, 240, 0}};
    const TPaletteEntry high[10] = {{255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},
                                    {0, 255, 0, 0},     {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},
                                    {0, 255, 255, 0},   {255, 255, 255, 0}};
    for (int i = 0; i < 10; ++i) {
      table[i] = low[i];
      table[246 + i] = high[i];
    }
    return table;
  }();
  return entries;
}
