#include "platform/draw/gdi_functions.h"

#include <algorithm>
#include <vector>

// A logical palette: a list of colours behind a handle.
struct TGdiPalette {
  std::vector<TPaletteEntry> Entries;
};

HPALETTE GdiCreatePalette(const TPaletteEntry *entries, int count) {
  if (entries == nullptr || count < 1 || count > 256)
    return nullptr;
  return new TGdiPalette{std::vector<TPaletteEntry>(entries, entries + count)};
}

int GdiGetPaletteEntries(HPALETTE palette, int start, int count, TPaletteEntry *entries) {
  if (palette == nullptr || entries == nullptr || start < 0 || count < 0)
    return 0;
  const int size = static_cast<int>(palette->Entries.size());
  const int copied = std::clamp(size - start, 0, count);
  std::copy_n(palette->Entries.begin() + std::min(start, size), copied, entries);
  return copied;
}

void GdiDeletePalette(HPALETTE palette) { delete palette; }
