#pragma once

#include "framework/color.h"
#include "platform/draw/draw_types.h"
#include "rtl/exception.h"

class TDirectDrawSurface;

// Raised by a canvas asked to draw without a device context.
class EInvalidOperation : public Exception {
public:
  using Exception::Exception;
};

enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

enum TPenStyle { psSolid, psClear };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenMode Mode = pmCopy;
  TPenStyle Style = psSolid;
};

// Draws on a surface through its device context. The context is taken from the surface at the
// first drawing call and held until Release; the surface cannot be blitted meanwhile.
class TDirectDrawSurfaceCanvas {
public:
  explicit TDirectDrawSurfaceCanvas(TDirectDrawSurface *surface) : FSurface(surface) {}
  ~TDirectDrawSurfaceCanvas();
  TDirectDrawSurfaceCanvas(const TDirectDrawSurfaceCanvas &) = delete;
  TDirectDrawSurfaceCanvas &operator=(const TDirectDrawSurfaceCanvas &) = delete;

  TPen Pen;

  HDC DC() const { return FDC; }
  // The device context, obtained now if need be; EInvalidOperation "Canvas does not allow
  // drawing" when the surface gives none.
  HDC Handle() { return FDC ? FDC : Acquire(); }
  void Release();

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  int PenX() const { return FPenX; }
  int PenY() const { return FPenY; }
  void StretchDIB(const TRect &dest, const TRect &source, const TDIBSource &dib);

private:
  HDC Acquire();
  // The context with the canvas's pen and position set on it.
  HDC Prepared();

  TDirectDrawSurface *FSurface;
  HDC FDC = nullptr;
  // The pen colour's last conversion, which is too slow to repeat for every line.
  TColor FConvertedColor = clBlack;
  TColorRef FPenRGB = 0;
  int FPenX = 0;
  int FPenY = 0;
};
