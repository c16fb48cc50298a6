#pragma once

#include "platform/draw/draw_types.h"

#include <cstdint>

// A device context over 32-bit pixel memory (0x00RRGGBB, rows top-down): a pen with colour,
// width and raster operation, the current position, lines by the usual rule (the end point is
// not drawn), and stretched DIB copies; all clipped to the memory's bounds. Above the platform
// it is only an HDC, drawn on through the calls of gdi_functions.h.
class TDeviceContext {
public:
  TDeviceContext(uint32_t *pixels, int pitchBytes, int width, int height);

  // The same surface's pixels, moved; nothing drawn on them yet.
  void SetPixels(uint32_t *pixels) {
    FPixels = pixels;
    FDrawn = {};
  }
  // The rows drawn on since SetPixels.
  TRowSpan Drawn() const { return FDrawn; }

  void SetPen(TColorRef color, int width) {
    FPenWidth = width < 1 ? 1 : width;
    if (ToPixel(color) != FPenColor) {
      FPenColor = ToPixel(color);
      PrepareRop();
    }
  }
  void SetRop2(int rop) {
    rop = (rop >= R2_BLACK && rop <= R2_WHITE) ? rop : R2_COPYPEN;
    if (rop != FRop2) {
      FRop2 = rop;
      PrepareRop();
    }
  }
  int Rop2() const { return FRop2; }

  void MoveTo(int x, int y) {
    FX = x;
    FY = y;
  }
  int PenX() const { return FX; }
  int PenY() const { return FY; }
  void LineTo(int x, int y);

  // Copies `source` (top-left origin) into `dest`, scaling by nearest pixel; a negative destination
  // width or height mirrors.
  void StretchDIB(const TRect &dest, const TRect &source, const TDIBSource &dib);

  static uint32_t ToPixel(TColorRef color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
  }

private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }
  void Drawn(int top, int bottom) { FDrawn = FDrawn.Union({std::max(top, 0), std::min(bottom, FHeight)}); }
  void Plot(int x, int y) {
    if (Inside(x, y)) {
      uint32_t &p = Row(y)[x];
      p = Apply(p);
    }
  }
  uint32_t *Row(int y) { return reinterpret_cast<uint32_t *>(reinterpret_cast<uint8_t *>(FPixels) + y * FPitch); }
  // With the pen fixed, each bit of the result is 0, 1, the destination bit or its inverse:
  // (dest & FAnd) ^ FXor, worked out once per pen and operation rather than per pixel.
  void PrepareRop();
  uint32_t Apply(uint32_t dest) const { return (dest & FAnd) ^ FXor; }
  // One-pixel lines: with both ends inside, or with either end anywhere.
  void InsideLine(int x0, int y0, int x1, int y1);
  void ClippedLine(int x0, int y0, int x1, int y1);
  void WideLine(int x0, int y0, int x1, int y1);

  uint32_t *FPixels;
  int FPitch;
  int FWidth;
  int FHeight;
  uint32_t FPenColor = 0;
  int FPenWidth = 1;
  int FRop2 = R2_COPYPEN;
  uint32_t FAnd = 0;
  uint32_t FXor = 0;
  int FX = 0;
  int FY = 0;
  TRowSpan FDrawn;
};
