#include "display/palette_manager.h"

#include "platform/draw/gdi_functions.h"

#include <algorithm>

TPaletteManager &PaletteManager() {
  static TPaletteManager manager;
  return manager;
}

HPALETTE TPaletteManager::CreatePalette(const TRGBQuad *colors, int count) {
  count = std::clamp(count, 0, 256);
  int key = count;
  for (int i = 0; i < count; ++i)
    key += colors[i].rgbBlue + colors[i].rgbGreen + colors[i].rgbRed;
  for (const auto &item : FItems)
    if (item->Key == key && item->Count == count && std::equal(colors, colors + count, item->Colors.begin())) {
      ++item->RefCount;
      return item->Palette;
    }
  std::vector<TPaletteEntry> entries(count);
  for (int i = 0; i < count; ++i)
    entries[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
  auto item = std::make_unique<TPaletteItem>();
  item->Key = key;
  item->Count = count;
  std::copy(colors, colors + count, item->Colors.begin());
  item->Palette = GdiCreatePalette(entries.data(), count);
  item->RefCount = 1;
  FItems.push_back(std::move(item));
  return FItems.back()->Palette;
}

void TPaletteManager::DeletePalette(HPALETTE &palette) {
  const auto it =
      std::find_if(FItems.begin(), FItems.end(), [&](const auto &item) { return item->Palette == palette; });
  palette = nullptr;
  if (it == FItems.end())
    return;
  if (--(*it)->RefCount == 0) {
    GdiDeletePalette((*it)->Palette);
    FItems.erase(it);
  }
}

HPALETTE TPaletteRef::Get(const TRGBQuad *colors, int count) {
  if (FStale || FHandle == nullptr) {
    Release();
    FHandle = PaletteManager().CreatePalette(colors, count);
    FStale = false;
  }
  return FHandle;
}
