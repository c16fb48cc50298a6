#include "display/direct_draw_clipper.h"

#include "display/direct_draw.h"
#include "display/direct_draw_errors.h"

TDirectDrawClipper::TDirectDrawClipper(TDirectDraw *ddraw) : FDDraw(ddraw) {
  SetDXResult(ddraw->IDraw4()->CreateClipper(0, FIDDClipper));
  if (DXResult() != 0 || !FIDDClipper)
    throw EDirectDrawClipperError(SCannotMade, "Clipper");
}

const std::shared_ptr<IDirectDrawClipper> &TDirectDrawClipper::IDDClipper() const {
  if (!FIDDClipper)
    throw EDirectDrawClipperError(SNotMade, "IDirectDrawClipper");
  return FIDDClipper;
}

void TDirectDrawClipper::SetHandle(HWND window) { SetDXResult(IDDClipper()->SetHWnd(0, window)); }
