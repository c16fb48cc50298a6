#pragma once

#include "platform/draw/draw_types.h"

#include <vector>

class TDirectDraw;

// One display mode the device offers: its surface description.
struct TDirectDrawDisplayMode {
  TDDSurfaceDesc SurfaceDesc;
  int Width() const { return static_cast<int>(SurfaceDesc.dwWidth); }
  int Height() const { return static_cast<int>(SurfaceDesc.dwHeight); }
  int BitCount() const { return static_cast<int>(SurfaceDesc.ddpfPixelFormat.dwRGBBitCount); }
};

// The screen mode asked for in full screen, and the device's list of modes.
class TDirectDrawDisplay {
public:
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int BitCount() const { return FBitCount; }
  void SetWidth(int value) { FWidth = value < 0 ? 0 : value; }
  void SetHeight(int value) { FHeight = value < 0 ? 0 : value; }
  void SetBitCount(int value); // EDirectDrawError unless 8, 16, 24 or 32
  bool FixedBitCount = true;
  bool FixedRatio = true;
  bool FixedSize = false;

  // Copies the six settings, not the modes.
  void Assign(const TDirectDrawDisplay &source);

  // The device's modes, listed on first use.
  const std::vector<TDirectDrawDisplayMode> &Modes(TDirectDraw &ddraw);
  void ClearModes() { FModes.clear(); }

  // Switches to the asked mode or the nearest fitting one; false when none fits.
  bool SetDisplayMode(TDirectDraw &ddraw);

private:
  const TDirectDrawDisplayMode *FindMode() const;
  bool DepthFits(int depth) const;

  int FWidth = 640;
  int FHeight = 480;
  int FBitCount = 8;
  std::vector<TDirectDrawDisplayMode> FModes;
};
