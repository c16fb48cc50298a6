#pragma once

#include "platform/draw/draw_interfaces.h"

#include <array>

// 256 palette entries. Surfaces here are true-colour, so a palette only keeps its entries for
// whoever reads them back.
class TSoftwarePalette : public IDirectDrawPalette {
public:
  TSoftwarePalette(uint32_t caps, const TPaletteEntry *entries) : FCaps(caps) {
    if (entries)
      std::copy(entries, entries + FEntries.size(), FEntries.begin());
  }
  HRESULT GetCaps(uint32_t &caps) override {
    caps = FCaps;
    return S_OK;
  }
  HRESULT SetEntries(uint32_t, uint32_t start, uint32_t count, const TPaletteEntry *entries) override {
    if (entries == nullptr || start > FEntries.size() || count > FEntries.size() - start)
      return DDERR_INVALIDPARAMS;
    std::copy(entries, entries + count, FEntries.begin() + start);
    return S_OK;
  }
  HRESULT GetEntries(uint32_t, uint32_t start, uint32_t count, TPaletteEntry *entries) override {
    if (entries == nullptr || start > FEntries.size() || count > FEntries.size() - start)
      return DDERR_INVALIDPARAMS;
    std::copy(FEntries.begin() + start, FEntries.begin() + start + count, entries);
    return S_OK;
  }

private:
  uint32_t FCaps;
  std::array<TPaletteEntry, 256> FEntries{};
};
