#include "display/dx_draw_driver.h"

#include "display/direct_draw.h"
#include "display/direct_draw_clipper.h"
#include "display/direct_draw_errors.h"
#include "display/direct_draw_palette.h"
#include "display/direct_draw_surface.h"
#include "display/dx_draw.h"
#include "display/screen_image.h"
#include "rtl/scope_exit.h"

#include <algorithm>
#include <memory>

TDXDrawDriver::TDXDrawDriver(TCustomDXDraw *dxdraw) : FDXDraw(dxdraw) {
  const TDXDrawOptions options = dxdraw->FOptions;
  const bool fullScreenHardware =
      (options & DXOption(doFullScreen)) && (options & DXOption(doHardware)) && !(options & DXOption(doSystemMemory));
  // Only a full-screen hardware device may run on another driver than the primary display.
  dxdraw->FDDraw = std::make_unique<TDirectDraw>(fullScreenHardware ? dxdraw->FDriverGUID : nullptr);
}

TDXDrawDriver::~TDXDrawDriver() {
  Finalize();
  FDXDraw->FDDraw.reset();
}

void TDXDrawDriver::Finalize() {
  FDXDraw->FClipper.reset();
  FDXDraw->FPalette.reset();
  FDXDraw->FSurface.reset();
  FDXDraw->FPrimary.reset();
}

bool TDXDrawDriver::SetSize(int, int) { return false; }

bool TDXDrawDriver::Restore() {
  TDirectDrawSurface *primary = FDXDraw->Primary(), *surface = FDXDraw->Surface();
  if (!primary->Restore() || !surface->Restore())
    return false;
  primary->Fill(0);
  surface->Fill(0);
  return true;
}

void TDXDrawDriver::MakePalette(uint32_t caps) {
  FDXDraw->FPalette = std::make_unique<TDirectDrawPalette>(FDXDraw->DDraw());
  FDXDraw->FPalette->CreatePalette(caps, FDXDraw->PaletteEntries(FDXDraw->ColorTable).data());
}

void TDXDrawDriverBlt::Initialize() {
  TDirectDraw *ddraw = FDXDraw->DDraw();
  FDXDraw->FPrimary = std::make_unique<TDirectDrawSurface>(ddraw);
  TDDSurfaceDesc desc;
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps = DDSCAPS_PRIMARYSURFACE;
  if (!FDXDraw->FPrimary->CreateSurface(desc))
    throw EDXDrawError(SCannotMade, "Primary Surface");
  FDXDraw->FSurface = std::make_unique<TDirectDrawSurface>(ddraw);
  FDXDraw->FClipper = std::make_unique<TDirectDrawClipper>(ddraw);
  FDXDraw->FClipper->SetHandle(FDXDraw->FScreenImage);
  FDXDraw->FPrimary->SetClipper(FDXDraw->Clipper());
  MakePalette(FDXDraw->Now(doAllowPalette256) ? DDPCAPS_8BIT | DDPCAPS_INITIALIZE | DDPCAPS_ALLOW256
                                              : DDPCAPS_8BIT | DDPCAPS_INITIALIZE);
  FDXDraw->FPrimary->SetPalette(FDXDraw->Palette());
  InitializeSurface();
}

void TDXDrawDriverBlt::InitializeSurface() {
  TDirectDrawSurface *surface = FDXDraw->Surface();
  surface->SetIDDSurface(nullptr);
  FDXDraw->FNowOptions &= ~DXOption(doSystemMemory);
  TDDSurfaceDesc desc;
  desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  desc.dwWidth = std::max(FDXDraw->SurfaceWidth(), 1);
  desc.dwHeight = std::max(FDXDraw->SurfaceHeight(), 1);
  desc.ddsCaps = DDSCAPS_OFFSCREENPLAIN;
  if (FDXDraw->FOptions & DXOption(doSystemMemory))
    desc.ddsCaps |= DDSCAPS_SYSTEMMEMORY;
  if (FDXDraw->Now(do3D))
    desc.ddsCaps |= DDSCAPS_3DDEVICE;
  if (!surface->CreateSurface(desc)) {
    desc.ddsCaps |= DDSCAPS_SYSTEMMEMORY;
    if (!surface->CreateSurface(desc))
      throw EDXDrawError(SCannotMade, "Surface");
  }
  if (!(surface->SurfaceDesc().ddsCaps & DDSCAPS_VIDEOMEMORY))
    FDXDraw->FNowOptions |= DXOption(doSystemMemory);
  surface->SetPalette(FDXDraw->Palette());
  surface->Fill(0);
  if (FDXDraw->Now(do3D))
    FDXDraw->Initialize3D();
}

void TDXDrawDriverBlt::Flip() {
  TCustomDXDraw &control = *FDXDraw;
  TDirectDrawSurface *surface = control.Surface();
  const QPoint origin = control.mapToGlobal(QPoint(0, 0));
  const int sw = surface->Width(), sh = surface->Height();
  TRect dest;
  if (control.Now(doStretch)) {
    dest = Bounds(origin.x(), origin.y(), control.width(), control.height());
  } else {
    int x = origin.x(), y = origin.y();
    if (control.Now(doCenter)) {
      x += (control.width() - sw) / 2;
      y += (control.height() - sh) / 2;
    }
    dest = Bounds(x, y, sw, sh);
  }
  if (control.Now(doWaitVBlank))
    control.DDraw()->SetDXResult(control.DDraw()->IDraw4()->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr));
  control.FPrimary->Blt(dest, {0, 0, sw, sh}, surface, TDDBltFx(), DDBLT_WAIT);
}

bool TDXDrawDriverBlt::SetSize(int width, int height) {
  TCustomDXDraw &control = *FDXDraw;
  control.FSurfaceWidth = std::max(width, 1);
  control.FSurfaceHeight = std::max(height, 1);
  ++control.FRestoreNotifyOff;
  TScopeExit restoreNotify([&] { --control.FRestoreNotifyOff; });
  control.NotifyEventList(nkFinalizeSurface);
  if (control.FCalledDoInitializeSurface) {
    control.FCalledDoInitializeSurface = false;
    control.DoFinalizeSurface();
  }
  InitializeSurface();
  control.NotifyEventList(nkInitializeSurface);
  control.FCalledDoInitializeSurface = true;
  control.DoInitializeSurface();
  return true;
}

void TDXDrawDriverFlip::Initialize() {
  TCustomDXDraw &control = *FDXDraw;
  TDirectDraw *ddraw = control.DDraw();
  control.FPrimary = std::make_unique<TDirectDrawSurface>(ddraw);
  TDDSurfaceDesc desc;
  desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  desc.dwBackBufferCount = 1;
  desc.ddsCaps = DDSCAPS_COMPLEX | DDSCAPS_FLIP | DDSCAPS_PRIMARYSURFACE;
  if (control.Now(do3D))
    desc.ddsCaps |= DDSCAPS_3DDEVICE;
  if (!control.FPrimary->CreateSurface(desc))
    throw EDXDrawError(SCannotMade, "Primary Surface");
  control.FSurface = std::make_unique<TDirectDrawSurface>(ddraw);
  std::shared_ptr<IDirectDrawSurface> backBuffer;
  control.FPrimary->SetDXResult(control.FPrimary->IDDSurface()->GetAttachedSurface(DDSCAPS_BACKBUFFER, backBuffer));
  control.FSurface->SetIDDSurface(backBuffer);
  if (control.FSurface->SurfaceDesc().ddsCaps & DDSCAPS_SYSTEMMEMORY)
    control.FNowOptions |= DXOption(doSystemMemory);
  else
    control.FNowOptions &= ~DXOption(doSystemMemory);
  control.FClipper = std::make_unique<TDirectDrawClipper>(ddraw);
  MakePalette((control.FOptions & DXOption(doAllowPalette256)) ? DDPCAPS_8BIT | DDPCAPS_ALLOW256 : DDPCAPS_8BIT);
  control.FPrimary->SetPalette(control.Palette());
  control.FSurface->SetPalette(control.Palette());
  if (control.Now(do3D))
    control.Initialize3D();
}

void TDXDrawDriverFlip::Flip() {
  QWidget *form = FDXDraw->Form();
  if (form && form->isActiveWindow())
    FDXDraw->FPrimary->SetDXResult(FDXDraw->FPrimary->IDDSurface()->Flip(nullptr, DDFLIP_WAIT));
  else
    FDXDraw->FPrimary->SetDXResult(0);
}
