#pragma once

#include "display/rgb_quad.h"
#include "platform/draw/draw_types.h"

#include <memory>
#include <vector>

// The process-wide cache of palettes made from colour tables: equal tables share one palette,
// counted by reference. Main thread only.
class TPaletteManager {
public:
  // A palette of `count` colours (blue, green, red, reserved each), shared with an equal one.
  HPALETTE CreatePalette(const TRGBQuad *colors, int count);
  // Drops one reference, frees the palette with the last, and clears the caller's handle.
  void DeletePalette(HPALETTE &palette);
  int Count() const { return static_cast<int>(FItems.size()); }

private:
  struct TPaletteItem {
    int Key = 0;
    int Count = 0;
    TRGBQuads Colors{};
    HPALETTE Palette = nullptr;
    int RefCount = 0;
  };

  std::vector<std::unique_ptr<TPaletteItem>> FItems;
};

TPaletteManager &PaletteManager();

// One image's hold on a managed palette. A copy starts without one, so two images never release
// the same reference.
class TPaletteRef {
public:
  TPaletteRef() = default;
  TPaletteRef(const TPaletteRef &) {}
  TPaletteRef &operator=(const TPaletteRef &other) {
    if (this != &other)
      Release();
    return *this;
  }
  ~TPaletteRef() { Release(); }

  // The palette of these colours, made anew when the colours changed since the last call.
  HPALETTE Get(const TRGBQuad *colors, int count);
  void Changed() { FStale = true; }

private:
  void Release() {
    if (FHandle)
      PaletteManager().DeletePalette(FHandle);
  }

  HPALETTE FHandle = nullptr;
  bool FStale = true;
};
