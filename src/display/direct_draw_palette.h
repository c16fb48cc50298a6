#pragma once

#include "device/device_base.h"
#include "platform/draw/draw_interfaces.h"

#include <memory>

class TDirectDraw;

// A device palette of 256 entries (red, green, blue, flags).
class TDirectDrawPalette : public TDirectX {
public:
  explicit TDirectDrawPalette(TDirectDraw *ddraw);
  TDirectDrawPalette(const TDirectDrawPalette &) = delete;
  TDirectDrawPalette &operator=(const TDirectDrawPalette &) = delete;

  bool CreatePalette(uint32_t caps, const TPaletteEntry *entries);
  bool SetEntries(int start, int count, const TPaletteEntry *entries);

  TDirectDraw *DDraw() const { return FDDraw; }
  // None while no palette has been made; IDDPalette raises then.
  const std::shared_ptr<IDirectDrawPalette> &Interface() const { return FIDDPalette; }
  const std::shared_ptr<IDirectDrawPalette> &IDDPalette() const;

private:
  TDirectDraw *FDDraw;
  std::shared_ptr<IDirectDrawPalette> FIDDPalette;
};
