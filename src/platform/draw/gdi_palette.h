#pragma once

#include "platform/draw/draw_types.h"

#include <vector>

// A logical palette of the drawing interface: a list of colours behind a handle.
struct TGdiPalette {
  std::vector<TPaletteEntry> Entries;
};

using HPALETTE = TGdiPalette *;

// Null when count is outside 1..256.
HPALETTE GdiCreatePalette(const TPaletteEntry *entries, int count);
// The number of entries copied.
int GdiGetPaletteEntries(HPALETTE palette, int start, int count, TPaletteEntry *entries);
void GdiDeletePalette(HPALETTE palette);
