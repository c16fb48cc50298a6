#include "display/direct_draw_palette.h"

#include "display/direct_draw.h"
#include "display/direct_draw_errors.h"

TDirectDrawPalette::TDirectDrawPalette(TDirectDraw *ddraw) : FDDraw(ddraw) {}

const std::shared_ptr<IDirectDrawPalette> &TDirectDrawPalette::IDDPalette() const {
  if (!FIDDPalette)
    throw EDirectDrawPaletteError(SNotMade, "IDirectDrawPalette");
  return FIDDPalette;
}

bool TDirectDrawPalette::CreatePalette(uint32_t caps, const TPaletteEntry *entries) {
  FIDDPalette.reset();
  std::shared_ptr<IDirectDrawPalette> made;
  const HRESULT result = FDDraw->IDraw4()->CreatePalette(caps, entries, made);
  SetDXResult(result);
  if (result == 0)
    FIDDPalette = std::move(made);
  return result == 0;
}

bool TDirectDrawPalette::SetEntries(int start, int count, const TPaletteEntry *entries) {
  if (!FIDDPalette)
    return false;
  SetDXResult(FIDDPalette->SetEntries(0, start, count, entries));
  return DXResult() == 0;
}
