#include "display/direct_draw.h"

#include "device/library_cache.h"
#include "display/direct_draw_errors.h"

namespace {
constexpr uint32_t CapsRecordSize = 380;
}

TDirectDraw::TDirectDraw(const TGUID *driverGUID) {
  auto *create = DXLoadEntryPoint<TDirectDrawCreate>("DDraw.dll", "DirectDrawCreate");
  SetDXResult(create(driverGUID, &FIDraw));
  if (DXResult() != 0 || !FIDraw)
    throw EDirectDrawError(SCannotInitialized, "DirectDraw");
  SetDXResult(FIDraw->QueryDirectDraw4(FIDraw4));
  if (DXResult() != 0 || !FIDraw4)
    throw EDirectDrawError("Necessary since DirectX 6");
  DriverCaps.dwSize = CapsRecordSize;
  HELCaps.dwSize = CapsRecordSize;
  SetDXResult(FIDraw4->GetCaps(&DriverCaps, &HELCaps));
}

IDirectDraw *TDirectDraw::IDraw() const {
  if (!FIDraw)
    throw EDirectDrawError(SNotMade, "IDirectDraw");
  return FIDraw.get();
}

IDirectDraw4 *TDirectDraw::IDraw4() const {
  if (!FIDraw4)
    throw EDirectDrawError(SNotMade, "IDirectDraw4");
  return FIDraw4.get();
}
