#include "platform/draw/software_device.h"

#include "platform/draw/software_clipper.h"
#include "platform/draw/software_palette.h"
#include "platform/draw/software_surface.h"
#include "platform/module_loader.h"

#include <QGuiApplication>
#include <QScreen>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MakeDDError(0x17C);
constexpr int MaxSurfaceSide = 16384;

QScreen *ScreenOf(const TWindowHandle *window) {
  if (window && window->Screen())
    return window->Screen();
  return QGuiApplication::primaryScreen();
}

HRESULT DirectDrawCreate(const TGUID *, std::shared_ptr<IDirectDraw> *device) {
  if (device == nullptr)
    return DDERR_INVALIDPARAMS;
  if (QGuiApplication::primaryScreen() == nullptr)
    return E_FAIL;
  *device = std::make_shared<TSoftwareDirectDraw>();
  return S_OK;
}

} // namespace

HRESULT TSoftwareDirectDraw::QueryDirectDraw4(std::shared_ptr<IDirectDraw4> &device) {
  device = shared_from_this();
  return S_OK;
}

HRESULT TSoftwareDirectDraw::GetCaps(TDDCaps *driverCaps, TDDCaps *helCaps) {
  for (TDDCaps *caps : {driverCaps, helCaps})
    if (caps) {
      const uint32_t size = caps->dwSize;
      *caps = TDDCaps();
      caps->dwSize = size;
      caps->dwCKeyCaps = DDCKEY_SRCBLT;
      caps->dwFXCaps = DDBLTFX_MIRRORLEFTRIGHT | DDBLTFX_MIRRORUPDOWN;
      // Palettes never reach the screen here, so changing one needs no wait for the blank.
      caps->dwPalCaps = DDPCAPS_8BIT | DDPCAPS_VSYNC;
    }
  return S_OK;
}

HRESULT TSoftwareDirectDraw::SetCooperativeLevel(HWND window, uint32_t flags) {
  if ((flags & DDSCL_FULLSCREEN) && !(flags & DDSCL_EXCLUSIVE))
    return DDERR_INVALIDPARAMS;
  FWindow = window;
  FLevel = flags;
  return S_OK;
}

TDDSurfaceDesc TSoftwareDirectDraw::CurrentMode() const {
  const QScreen *screen = ScreenOf(FWindow.data());
  TDDSurfaceDesc mode;
  mode.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  const QSize size = screen->geometry().size() * screen->devicePixelRatio();
  mode.dwWidth = size.width();
  mode.dwHeight = size.height();
  mode.dwRefreshRate = static_cast<uint32_t>(std::lround(screen->refreshRate()));
  mode.ddpfPixelFormat.dwFlags = DDPF_RGB;
  mode.ddpfPixelFormat.dwRGBBitCount = screen->depth();
  return mode;
}

HRESULT TSoftwareDirectDraw::CreateSurface(const TDDSurfaceDesc &desc, std::shared_ptr<IDirectDrawSurface> &surface) {
  surface.reset();
  const uint32_t caps = (desc.dwFlags & DDSD_CAPS) ? desc.ddsCaps : 0;
  std::shared_ptr<TSoftwareSurface> made;
  if (caps & DDSCAPS_PRIMARYSURFACE) {
    if ((caps & (DDSCAPS_FLIP | DDSCAPS_COMPLEX)) || (desc.dwFlags & DDSD_BACKBUFFERCOUNT))
      return DDERR_NOFLIPHW;
    const TDDSurfaceDesc mode = CurrentMode();
    made = TSoftwareSurface::Primary(mode.dwWidth, mode.dwHeight);
  } else {
    if ((caps & DDSCAPS_VIDEOMEMORY) && !(caps & DDSCAPS_SYSTEMMEMORY))
      return DDERR_OUTOFVIDEOMEMORY;
    if (!(desc.dwFlags & DDSD_WIDTH) || !(desc.dwFlags & DDSD_HEIGHT) || desc.dwWidth == 0 || desc.dwHeight == 0 ||
        desc.dwWidth > MaxSurfaceSide || desc.dwHeight > MaxSurfaceSide)
      return DDERR_INVALIDPARAMS;
    int bitCount = 32;
    if (desc.dwFlags & DDSD_PIXELFORMAT) {
      bitCount = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount);
      if (bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return DDERR_INVALIDPARAMS;
    }
    const uint32_t where = (caps & ~DDSCAPS_VIDEOMEMORY) | DDSCAPS_SYSTEMMEMORY;
    try {
      made = std::make_shared<TSoftwareSurface>(desc.dwWidth, desc.dwHeight, bitCount, where);
    } catch (const std::bad_alloc &) {
      return E_OUTOFMEMORY;
    }
  }
  std::erase_if(FSurfaces, [](const std::weak_ptr<TSoftwareSurface> &s) { return s.expired(); });
  FSurfaces.push_back(made);
  surface = std::move(made);
  return S_OK;
}

HRESULT TSoftwareDirectDraw::CreateClipper(uint32_t, std::shared_ptr<IDirectDrawClipper> &clipper) {
  clipper = std::make_shared<TSoftwareClipper>();
  return S_OK;
}

HRESULT TSoftwareDirectDraw::CreatePalette(uint32_t caps, const TPaletteEntry *entries,
                                           std::shared_ptr<IDirectDrawPalette> &palette) {
  if (entries == nullptr)
    return DDERR_INVALIDPARAMS;
  palette = std::make_shared<TSoftwarePalette>(caps, entries);
  return S_OK;
}

HRESULT TSoftwareDirectDraw::DuplicateSurface(IDirectDrawSurface *source,
                                              std::shared_ptr<IDirectDrawSurface> &duplicate) {
  auto *from = dynamic_cast<TSoftwareSurface *>(source);
  if (from == nullptr)
    return DDERR_INVALIDPARAMS;
  TDDSurfaceDesc desc;
  from->GetSurfaceDesc(desc);
  if (desc.ddsCaps & DDSCAPS_PRIMARYSURFACE)
    return DDERR_UNSUPPORTED;
  auto made =
      std::make_shared<TSoftwareSurface>(from->Width(), from->Height(), from->BitCount(), desc.ddsCaps, from->Memory());
  FSurfaces.push_back(made);
  duplicate = std::move(made);
  return S_OK;
}

HRESULT TSoftwareDirectDraw::WaitForVerticalBlank(uint32_t flags, void *) {
  if (flags != DDWAITVB_BLOCKBEGIN)
    return DDERR_UNSUPPORTED;
  // The next refresh boundary of the screen's clock; without a known rate, 60 Hz.
  const double rate = ScreenOf(FWindow.data())->refreshRate();
  const auto period = std::chrono::nanoseconds(static_cast<int64_t>(1e9 / (rate > 1 ? rate : 60.0)));
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  std::this_thread::sleep_until(std::chrono::steady_clock::time_point((now / period + 1) * period));
  return S_OK;
}

HRESULT TSoftwareDirectDraw::EnumDisplayModes(uint32_t, const TDDSurfaceDesc *filter,
                                              const TEnumModesCallback &callback) {
  const TDDSurfaceDesc mode = CurrentMode();
  if (filter) {
    if ((filter->dwFlags & DDSD_WIDTH) && filter->dwWidth != mode.dwWidth)
      return S_OK;
    if ((filter->dwFlags & DDSD_HEIGHT) && filter->dwHeight != mode.dwHeight)
      return S_OK;
  }
  callback(mode);
  return S_OK;
}

HRESULT TSoftwareDirectDraw::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitCount, uint32_t, uint32_t) {
  const TDDSurfaceDesc mode = CurrentMode();
  const bool current =
      width == mode.dwWidth && height == mode.dwHeight && bitCount == mode.ddpfPixelFormat.dwRGBBitCount;
  return current ? S_OK : DDERR_UNSUPPORTEDMODE;
}

void TSoftwareDirectDraw::LoseSurfaces() {
  for (const auto &weak : FSurfaces)
    if (auto surface = weak.lock())
      surface->Lose();
}

std::unique_ptr<TPlatformModule> LoadDrawModule() {
  return std::make_unique<TPlatformModule>(std::initializer_list<std::pair<const std::string, TEntryPoint>>{
      {"DirectDrawCreate", ToEntryPoint(&DirectDrawCreate)}});
}
