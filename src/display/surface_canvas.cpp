#include "display/surface_canvas.h"

#include "display/direct_draw_surface.h"
#include "platform/draw/gdi_functions.h"

namespace {

int Rop2Of(TPenMode mode) {
  static constexpr int rops[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                 R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                 R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                 R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
  return rops[mode];
}

} // namespace

TDirectDrawSurfaceCanvas::~TDirectDrawSurfaceCanvas() { Release(); }

HDC TDirectDrawSurfaceCanvas::Acquire() {
  if (FSurface->Interface()) {
    HDC dc = nullptr;
    FSurface->SetDXResult(FSurface->Interface()->GetDC(dc));
    if (FSurface->DXResult() == 0)
      FDC = dc;
  }
  if (FDC == nullptr)
    throw EInvalidOperation("Canvas does not allow drawing");
  return FDC;
}

void TDirectDrawSurfaceCanvas::Release() {
  if (FDC != nullptr && FSurface->Interface())
    FSurface->Interface()->ReleaseDC(FDC);
  FDC = nullptr;
}

HDC TDirectDrawSurfaceCanvas::Prepared() {
  HDC dc = Handle();
  if (Pen.Color != FConvertedColor) {
    FPenRGB = ColorToRGB(Pen.Color);
    FConvertedColor = Pen.Color;
  }
  GdiSetPen(dc, FPenRGB, Pen.Width);
  GdiSetRop2(dc, Pen.Style == psClear ? static_cast<int>(R2_NOP) : Rop2Of(Pen.Mode));
  GdiMoveTo(dc, FPenX, FPenY);
  return dc;
}

void TDirectDrawSurfaceCanvas::MoveTo(int x, int y) {
  Handle();
  FPenX = x;
  FPenY = y;
}

void TDirectDrawSurfaceCanvas::LineTo(int x, int y) {
  GdiLineTo(Prepared(), x, y);
  FPenX = x;
  FPenY = y;
}

void TDirectDrawSurfaceCanvas::StretchDIB(const TRect &dest, const TRect &source, const TDIBSource &dib) {
  GdiStretchDIB(Handle(), dest, source, dib);
}
