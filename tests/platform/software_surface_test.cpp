#include "platform/draw/packed_pixel.h"
#include "platform/draw/software_clipper.h"
#include "platform/draw/software_device.h"
#include "platform/draw/software_surface.h"

#include <QImage>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

std::shared_ptr<TSoftwareSurface> Filled(int width, int height, uint32_t color) {
  auto surface = std::make_shared<TSoftwareSurface>(width, height, 32, DDSCAPS_OFFSCREENPLAIN);
  TDDBltFx fx;
  fx.dwFillColor = color;
  EXPECT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), S_OK);
  return surface;
}

uint32_t PixelAt(TSoftwareSurface &surface, int x, int y) {
  TDDSurfaceDesc desc;
  EXPECT_EQ(surface.Lock(nullptr, desc, DDLOCK_WAIT | DDLOCK_READONLY), S_OK);
  const uint32_t value =
      reinterpret_cast<const uint32_t *>(static_cast<uint8_t *>(desc.lpSurface) + y * desc.lPitch)[x];
  surface.Unlock(desc.lpSurface);
  return value;
}

// A surface of `bitCount` bits whose pixel (x, y) is filled with Numbered(x, y).
uint32_t Numbered(int x, int y) { return 0x00C7D6BA + 0x10 * x + 0x100 * y; }

std::shared_ptr<TSoftwareSurface> NumberedSurface(int width, int height, int bitCount) {
  auto surface = std::make_shared<TSoftwareSurface>(width, height, bitCount, DDSCAPS_OFFSCREENPLAIN);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const TRect cell{x, y, x + 1, y + 1};
      TDDBltFx fill;
      fill.dwFillColor = Numbered(x, y);
      EXPECT_EQ(surface->Blt(&cell, nullptr, nullptr, DDBLT_COLORFILL, &fill), S_OK);
    }
  return surface;
}

uint32_t PackedAt(TSoftwareSurface &surface, int x, int y) {
  TDDSurfaceDesc desc;
  EXPECT_EQ(surface.Lock(nullptr, desc, DDLOCK_WAIT), S_OK);
  const uint8_t *row = static_cast<uint8_t *>(desc.lpSurface) + y * desc.lPitch;
  const uint32_t value = ReadPackedPixel(row, x, static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount));
  surface.Unlock(desc.lpSurface);
  return value;
}

// Whole-row copies, the per-pixel paths (key, mirror, stretch) and fills must agree on what a
// value is at every depth, and a row copy must land at the right byte for pixels of 1 to 4 bytes.
TEST(SoftwareSurfaceTest, EveryDepthCopiesRowsAndPixelsAlike) {
  for (int bitCount : {8, 16, 24, 32}) {
    SCOPED_TRACE(bitCount);
    const uint32_t mask = bitCount == 32 ? ~0u : (1u << bitCount) - 1;
    auto source = NumberedSurface(5, 3, bitCount);
    auto dest = std::make_shared<TSoftwareSurface>(7, 4, bitCount, DDSCAPS_OFFSCREENPLAIN);
    EXPECT_EQ(PackedAt(*source, 4, 2), Numbered(4, 2) & mask);

    const TRect inner{1, 1, 4, 3};
    EXPECT_EQ(dest->BltFast(2, 1, source.get(), &inner, DDBLTFAST_WAIT), S_OK);
    EXPECT_EQ(PackedAt(*dest, 2, 1), Numbered(1, 1) & mask);
    EXPECT_EQ(PackedAt(*dest, 4, 2), Numbered(3, 2) & mask);
    EXPECT_EQ(PackedAt(*dest, 1, 1), 0u);
    EXPECT_EQ(PackedAt(*dest, 5, 1), 0u);

    TDDColorKey key{Numbered(2, 0) & mask, Numbered(2, 0) & mask};
    source->SetColorKey(DDCKEY_SRCBLT, &key);
    const TRect top{0, 0, 5, 1};
    EXPECT_EQ(dest->BltFast(0, 3, source.get(), &top, DDBLTFAST_SRCCOLORKEY), S_OK);
    EXPECT_EQ(PackedAt(*dest, 1, 3), Numbered(1, 0) & mask);
    EXPECT_EQ(PackedAt(*dest, 2, 3), 0u) << "the keyed pixel is left out";

    TDDBltFx mirror;
    mirror.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT | DDBLTFX_MIRRORUPDOWN;
    const TRect mirrored{0, 0, 5, 3};
    EXPECT_EQ(dest->Blt(&mirrored, source.get(), &mirrored, DDBLT_DDFX, &mirror), S_OK);
    EXPECT_EQ(PackedAt(*dest, 0, 0), Numbered(4, 2) & mask);
    EXPECT_EQ(PackedAt(*dest, 4, 1), Numbered(0, 1) & mask);

    const TRect wide{0, 0, 7, 4};
    EXPECT_EQ(dest->Blt(&wide, source.get(), &mirrored, DDBLT_WAIT, nullptr), S_OK);
    EXPECT_EQ(PackedAt(*dest, 6, 3), Numbered(4, 2) & mask);
    EXPECT_EQ(PackedAt(*dest, 3, 1), Numbered(2, 0) & mask);
  }
}

TEST(SoftwareSurfaceTest, FastBlitRefusesToClipOnceAClipperIsAttached) {
  auto dest = Filled(8, 8, 0), source = Filled(4, 4, 0x112233);
  const TRect all{0, 0, 4, 4};
  EXPECT_EQ(dest->BltFast(2, 2, source.get(), &all, DDBLTFAST_WAIT), S_OK);
  EXPECT_EQ(PixelAt(*dest, 2, 2), 0x112233u);
  EXPECT_EQ(dest->BltFast(6, 6, source.get(), &all, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
  dest->SetClipper(std::make_shared<TSoftwareClipper>());
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), &all, DDBLTFAST_WAIT), DDERR_BLTFASTCANTCLIP);
  // With a clipper the ordinary blit cuts to the surface.
  const TRect overhanging{6, 6, 10, 10};
  EXPECT_EQ(dest->Blt(&overhanging, source.get(), &all, DDBLT_WAIT, nullptr), S_OK);
  EXPECT_EQ(PixelAt(*dest, 7, 7), 0x112233u);
}

TEST(SoftwareSurfaceTest, SourceColourKeyOnlyWhenAsked) {
  auto dest = Filled(2, 1, 0xABCDEF), source = Filled(2, 1, 0x000001);
  TDDColorKey key{0x000001, 0x000001};
  source->SetColorKey(DDCKEY_SRCBLT, &key);
  const TRect all{0, 0, 2, 1};
  EXPECT_EQ(dest->BltFast(0, 0, source.get(), &all, DDBLTFAST_SRCCOLORKEY), S_OK);
  EXPECT_EQ(PixelAt(*dest, 0, 0), 0xABCDEFu);
  EXPECT_EQ(dest->Blt(&all, source.get(), &all, DDBLT_WAIT, nullptr), S_OK);
  EXPECT_EQ(PixelAt(*dest, 0, 0), 0x000001u);
}

TEST(SoftwareSurfaceTest, MirrorEffectsReverseWithinTheSourceRectangle) {
  auto source = std::make_shared<TSoftwareSurface>(4, 1, 32, 0);
  for (int x = 0; x < 4; ++x) {
    const TRect cell{x, 0, x + 1, 1};
    TDDBltFx fill;
    fill.dwFillColor = 10 + x;
    source->Blt(&cell, nullptr, nullptr, DDBLT_COLORFILL, &fill);
  }
  auto dest = Filled(3, 1, 0);
  TDDBltFx fx;
  fx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
  const TRect from{1, 0, 4, 1}, to{0, 0, 3, 1};
  EXPECT_EQ(dest->Blt(&to, source.get(), &from, DDBLT_DDFX, &fx), S_OK);
  EXPECT_EQ(PixelAt(*dest, 0, 0), 13u);
  EXPECT_EQ(PixelAt(*dest, 2, 0), 11u);
}

TEST(SoftwareSurfaceTest, LostSurfacesRefuseWorkUntilRestored) {
  auto dest = Filled(4, 4, 0), source = Filled(4, 4, 7);
  source->Lose();
  EXPECT_EQ(source->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(dest->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);
  HDC dc = nullptr;
  EXPECT_EQ(source->GetDC(dc), DDERR_SURFACELOST);
  EXPECT_EQ(dc, nullptr);
  EXPECT_EQ(source->Restore(), S_OK);
  EXPECT_EQ(dest->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), S_OK);
}

TEST(SoftwareSurfaceTest, AHeldDeviceContextKeepsBlitsOff) {
  auto dest = Filled(4, 4, 0), source = Filled(4, 4, 7);
  HDC dc = nullptr;
  ASSERT_EQ(dest->GetDC(dc), S_OK);
  HDC second = nullptr;
  EXPECT_NE(dest->GetDC(second), S_OK);
  EXPECT_EQ(dest->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(dest->ReleaseDC(dc), S_OK);
  EXPECT_EQ(dest->ReleaseDC(dc), DDERR_NODC);
  EXPECT_EQ(dest->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), S_OK);
}

// A 4 x 4 window that shows what the primary surface lends it, and notes the rows in which the
// pixels lent may differ from those it showed.
class TLendingWindow : public TWindowHandle {
public:
  QScreen *Screen() const override { return nullptr; }
  TPoint ClientOrigin() const override { return {}; }
  QImage &Image() override { return FImage; }
  void Show(std::shared_ptr<const TPixelBuffer> pixels, int pitch) override {
    Differing = FShown ? Difference(*FShown, *pixels, 4) : TRowSpan{0, 4};
    FImage = QImage(pixels->Bytes.data(), 4, 4, pitch, QImage::Format_RGB32);
    FShown = std::move(pixels);
    ++Shown;
  }
  void Changed(const TRect &) override {}

  // A primary surface whose blits land here.
  std::shared_ptr<TSoftwareSurface> Primary() {
    auto clipper = std::make_shared<TSoftwareClipper>();
    clipper->SetHWnd(0, this);
    auto primary = TSoftwareSurface::Primary(4, 4);
    primary->SetClipper(clipper);
    return primary;
  }
  uint32_t At(int x, int y) const { return FImage.pixel(x, y) & 0xFFFFFF; }
  int Shown = 0;
  TRowSpan Differing;

private:
  QImage FImage{4, 4, QImage::Format_RGB32};
  std::shared_ptr<const TPixelBuffer> FShown;
};

// A whole frame is shown without a copy; whatever the surface does next (writing part of it or
// all of it, from another surface, from itself, through a device context or a lock) shows only
// at the next present, and leaves the rest of the surface as it was.
TEST(SoftwareSurfaceTest, APresentedFrameStaysShownWhileTheNextIsDrawn) {
  TLendingWindow window;
  auto primary = window.Primary();
  auto back = Filled(4, 4, 0x111111);
  TSoftwareSurface twin(4, 4, 32, DDSCAPS_OFFSCREENPLAIN, back->Memory());
  auto present = [&] { EXPECT_EQ(primary->Blt(nullptr, back.get(), nullptr, DDBLT_WAIT, nullptr), S_OK); };
  present();
  EXPECT_EQ(window.Shown, 1);
  EXPECT_EQ(window.At(3, 3), 0x111111u);

  const TRect corner{0, 0, 2, 2};
  TDDBltFx fill;
  fill.dwFillColor = 0x222222;
  ASSERT_EQ(back->Blt(&corner, nullptr, nullptr, DDBLT_COLORFILL, &fill), S_OK);
  EXPECT_EQ(PixelAt(*back, 0, 0), 0x222222u);
  EXPECT_EQ(PixelAt(*back, 3, 3), 0x111111u);
  EXPECT_EQ(window.At(0, 0), 0x111111u);
  present();
  EXPECT_EQ(window.At(0, 0), 0x222222u);
  EXPECT_EQ(window.At(3, 3), 0x111111u);

  auto other = Filled(4, 4, 0x333333);
  const TRect all{0, 0, 4, 4};
  ASSERT_EQ(back->BltFast(0, 0, other.get(), &all, DDBLTFAST_WAIT), S_OK);
  EXPECT_EQ(PixelAt(*back, 1, 1), 0x333333u);
  EXPECT_EQ(PixelAt(twin, 1, 1), 0x333333u) << "a duplicate shares the pixels";
  EXPECT_EQ(window.At(1, 1), 0x222222u);
  present();

  HDC dc = nullptr;
  ASSERT_EQ(back->GetDC(dc), S_OK);
  dc->SetPen(0x444444, 1);
  dc->MoveTo(0, 3);
  dc->LineTo(4, 3);
  back->ReleaseDC(dc);
  EXPECT_EQ(PixelAt(*back, 2, 3), 0x444444u);
  EXPECT_EQ(PixelAt(*back, 2, 2), 0x333333u);
  EXPECT_EQ(window.At(2, 3), 0x333333u);
  present();

  // Its own last row stretched over all of it: the whole surface is written from what it replaces.
  const TRect lastRow{0, 3, 4, 4};
  ASSERT_EQ(back->Blt(nullptr, back.get(), &lastRow, DDBLT_WAIT, nullptr), S_OK);
  EXPECT_EQ(PixelAt(*back, 1, 0), 0x444444u);
  EXPECT_EQ(window.At(1, 0), 0x333333u);
  present();

  TDDSurfaceDesc desc;
  ASSERT_EQ(back->Lock(nullptr, desc, DDLOCK_WAIT), S_OK);
  static_cast<uint32_t *>(desc.lpSurface)[0] = 0x555555;
  back->Unlock(desc.lpSurface);
  EXPECT_EQ(PixelAt(*back, 0, 0), 0x555555u);
  EXPECT_EQ(PixelAt(*back, 1, 0), 0x444444u);
  EXPECT_EQ(window.At(0, 0), 0x444444u);
  present();
  EXPECT_EQ(window.At(0, 0), 0x555555u);
  EXPECT_EQ(window.Shown, 6);
}

// Frames drawn as the scope draws them: the whole background copied in, a line drawn over it,
// the frame presented. Each copy must leave the back surface all background, whichever rows the
// buffer it lands in held lines in or was written through a lock, and must bring whatever
// changed in the background; a frame may differ from the last only in the rows of both lines.
TEST(SoftwareSurfaceTest, FramesOverOneBackgroundRepaintOnlyTheirChangedRows) {
  TLendingWindow window;
  auto primary = window.Primary();
  auto background = NumberedSurface(4, 4, 32);
  auto back = Filled(4, 4, 0);
  const TRect all{0, 0, 4, 4};
  std::vector<uint32_t> expected;
  auto readBackground = [&] {
    expected.clear();
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        expected.push_back(PixelAt(*background, x, y));
  };
  readBackground();
  auto expectBackground = [&](const char *when) {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        ASSERT_EQ(PixelAt(*back, x, y), expected[4 * y + x]) << when << " at " << x << ", " << y;
  };
  auto frame = [&](int lineRow) {
    ASSERT_EQ(back->BltFast(0, 0, background.get(), &all, DDBLTFAST_WAIT), S_OK);
    expectBackground("after the copy");
    HDC dc = nullptr;
    ASSERT_EQ(back->GetDC(dc), S_OK);
    dc->SetPen(0xFFFFFF, 1);
    dc->MoveTo(0, lineRow);
    dc->LineTo(4, lineRow);
    back->ReleaseDC(dc);
    ASSERT_EQ(primary->Blt(nullptr, back.get(), nullptr, DDBLT_WAIT, nullptr), S_OK);
    EXPECT_EQ(window.At(1, lineRow), 0xFFFFFFu);
  };
  auto changed = [&] { return std::pair(window.Differing.Top, window.Differing.Bottom); };
  frame(0);
  frame(1);
  frame(2);
  EXPECT_EQ(changed(), std::pair(1, 3)) << "the rows of the last line and this one";
  frame(2);
  EXPECT_EQ(changed(), std::pair(2, 3));
  EXPECT_EQ(window.At(1, 1), Numbered(1, 1));

  TDDSurfaceDesc desc;
  ASSERT_EQ(back->Lock(nullptr, desc, DDLOCK_WAIT), S_OK);
  static_cast<uint32_t *>(desc.lpSurface)[desc.lPitch / 4 * 3] = 0x777777;
  back->Unlock(desc.lpSurface);
  frame(0);
  frame(0);
  const TRect cell{2, 3, 3, 4};
  TDDBltFx fill;
  fill.dwFillColor = 0x999999;
  ASSERT_EQ(background->Blt(&cell, nullptr, nullptr, DDBLT_COLORFILL, &fill), S_OK);
  readBackground();
  frame(1);
  EXPECT_EQ(window.At(2, 3), 0x999999u);
  EXPECT_EQ(changed(), std::pair(0, 4)) << "the background changed";
  frame(1);
  EXPECT_EQ(changed(), std::pair(1, 2));
}

// The display server reads what a present lends through the buffer's file: the file must hold
// what was written, from the first byte to the last.
TEST(SoftwareSurfaceTest, ABuffersFileHoldsItsPixels) {
  TPixelBuffer pixels(4096 * 3 + 5);
  ASSERT_GE(pixels.Bytes.Fd(), 0);
  ASSERT_EQ(pixels.Bytes.size(), 4096u * 3 + 5);
  EXPECT_EQ(pixels.Bytes.data()[0], 0);
  EXPECT_EQ(pixels.Bytes.data()[pixels.Bytes.size() - 1], 0);
  for (size_t i = 0; i < pixels.Bytes.size(); ++i)
    pixels.Bytes.data()[i] = static_cast<uint8_t>(i * 7 + 1);
  std::vector<uint8_t> file(pixels.Bytes.size());
  ASSERT_EQ(pread(pixels.Bytes.Fd(), file.data(), file.size(), 0), static_cast<ssize_t>(file.size()));
  EXPECT_EQ(std::memcmp(file.data(), pixels.Bytes.data(), file.size()), 0);
}

TEST(SoftwareDeviceTest, OffersOnlyTheCurrentModeAndNoPageFlipping) {
  auto device = std::make_shared<TSoftwareDirectDraw>();
  std::vector<TDDSurfaceDesc> modes;
  device->EnumDisplayModes(0, nullptr, [&](const TDDSurfaceDesc &mode) {
    modes.push_back(mode);
    return true;
  });
  ASSERT_EQ(modes.size(), 1u);
  const TDDSurfaceDesc &mode = modes[0];
  EXPECT_EQ(device->SetDisplayMode(mode.dwWidth, mode.dwHeight, mode.ddpfPixelFormat.dwRGBBitCount, 0, 0), S_OK);
  EXPECT_EQ(device->SetDisplayMode(mode.dwWidth + 1, mode.dwHeight, mode.ddpfPixelFormat.dwRGBBitCount, 0, 0),
            DDERR_UNSUPPORTEDMODE);
  TDDSurfaceDesc flipping;
  flipping.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  flipping.dwBackBufferCount = 1;
  flipping.ddsCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  std::shared_ptr<IDirectDrawSurface> surface;
  EXPECT_EQ(device->CreateSurface(flipping, surface), DDERR_NOFLIPHW);
  TDDSurfaceDesc huge;
  huge.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  huge.dwWidth = 1u << 20;
  huge.dwHeight = 1u << 20;
  EXPECT_EQ(device->CreateSurface(huge, surface), DDERR_INVALIDPARAMS);
}

TEST(SoftwareDeviceTest, WaitsOnlyForTheStartOfTheBlank) {
  auto device = std::make_shared<TSoftwareDirectDraw>();
  EXPECT_EQ(device->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), S_OK);
  EXPECT_EQ(device->WaitForVerticalBlank(4, nullptr), DDERR_UNSUPPORTED);
  TDDCaps caps;
  caps.dwSize = 380;
  EXPECT_EQ(device->GetCaps(&caps, nullptr), S_OK);
  EXPECT_EQ(caps.dwSize, 380u);
  EXPECT_TRUE(caps.dwPalCaps & DDPCAPS_VSYNC);
}

} // namespace
