#include "display/dib.h"
#include "display/direct_draw.h"
#include "display/direct_draw_errors.h"
#include "display/direct_draw_surface.h"
#include "platform/draw/software_clipper.h"
#include "platform/draw/software_device.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

namespace {

class SurfaceTest : public ::testing::Test {
protected:
  // A surface whose pixel (x, y) holds 100 + x + 10 y.
  std::unique_ptr<TDirectDrawSurface> Numbered(int width, int height) {
    auto surface = Blank(width, height, 0);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        surface->SetPixel(x, y, 100 + x + 10 * y);
    return surface;
  }
  std::unique_ptr<TDirectDrawSurface> Blank(int width, int height, uint32_t color) {
    auto surface = std::make_unique<TDirectDrawSurface>(&DDraw);
    surface->SetSize(width, height);
    surface->Fill(color);
    return surface;
  }

  TDirectDraw DDraw{nullptr};
};

TEST_F(SurfaceTest, DrawAtANegativePositionShiftsTheSource) {
  auto source = Numbered(4, 4), dest = Blank(8, 8, 0);
  dest->Draw(-1, -2, {0, 0, 4, 4}, source.get(), false);
  EXPECT_EQ(dest->Pixels(0, 0), 100u + 1 + 20);
  EXPECT_EQ(dest->Pixels(2, 1), 100u + 3 + 30);
  EXPECT_EQ(dest->Pixels(3, 0), 0u);
  EXPECT_EQ(dest->Pixels(0, 2), 0u);
}

TEST_F(SurfaceTest, DrawKeepsInsideTheSourceAndTheDestination) {
  auto source = Numbered(4, 4), dest = Blank(8, 8, 0);
  dest->Draw(2, 2, {0, 0, 10, 10}, source.get(), false); // source rectangle larger than the source
  EXPECT_EQ(dest->Pixels(2, 2), 100u);
  EXPECT_EQ(dest->Pixels(5, 5), 133u);
  EXPECT_EQ(dest->Pixels(6, 2), 0u);
  EXPECT_EQ(dest->Pixels(2, 6), 0u);
  dest->Draw(6, 6, {0, 0, 4, 4}, source.get(), false); // overhanging the destination
  EXPECT_EQ(dest->Pixels(7, 7), 111u);

  auto untouched = Blank(8, 8, 0);
  untouched->Draw(8, 0, {0, 0, 4, 4}, source.get(), false); // x equal to the width
  untouched->Draw(9, 0, {0, 0, 4, 4}, source.get(), false);
  untouched->Draw(0, 8, {0, 0, 4, 4}, source.get(), false);
  untouched->Draw(-4, 0, {0, 0, 4, 4}, source.get(), false); // ends just left of the surface
  untouched->Draw(0, 0, {0, 0, 4, 4}, nullptr, false);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(untouched->Pixels(x, y), 0u) << x << "," << y;
}

TEST_F(SurfaceTest, RightToLeftOrBottomToTopSourcesDrawMirrored) {
  auto source = Numbered(4, 4), dest = Blank(8, 8, 0);
  dest->Draw(0, 0, {4, 0, 0, 4}, source.get(), false);
  EXPECT_EQ(dest->Pixels(0, 0), 103u);
  EXPECT_EQ(dest->Pixels(3, 2), 120u);
  dest->Draw(4, 0, {0, 4, 4, 0}, source.get(), false);
  EXPECT_EQ(dest->Pixels(4, 0), 130u);
  EXPECT_EQ(dest->Pixels(7, 3), 103u);
  // Cut at the left edge: the columns that fall off are the ones drawn first.
  auto clipped = Blank(8, 8, 0);
  clipped->Draw(-1, 0, {4, 0, 0, 4}, source.get(), false);
  EXPECT_EQ(clipped->Pixels(0, 0), 102u);
  EXPECT_EQ(clipped->Pixels(2, 0), 100u);
  EXPECT_EQ(clipped->Pixels(3, 0), 0u);
}

TEST_F(SurfaceTest, OnlyTransparentDrawsHonourTheColourKey) {
  auto source = Blank(2, 2, 0x00C7D6BA), dest = Blank(2, 2, 0x00112233);
  source->SetTransparentColor(0x00C7D6BA);
  dest->Draw(0, 0, {0, 0, 2, 2}, source.get(), true);
  EXPECT_EQ(dest->Pixels(1, 1), 0x112233u);
  dest->Draw(0, 0, {0, 0, 2, 2}, source.get(), false);
  EXPECT_EQ(dest->Pixels(1, 1), 0xC7D6BAu);
}

TEST_F(SurfaceTest, DrawFallsBackToTheClippedBlitWhenTheFastOneCannotClip) {
  auto source = Numbered(4, 4), dest = Blank(8, 8, 0);
  // A clipper the wrapper has not heard of.
  dest->Interface()->SetClipper(std::make_shared<TSoftwareClipper>());
  ASSERT_FALSE(dest->HasClipper);
  dest->Draw(6, 6, {0, 0, 4, 4}, source.get(), false);
  EXPECT_TRUE(dest->HasClipper);
  EXPECT_EQ(dest->DXResult(), 0);
  EXPECT_EQ(dest->Pixels(6, 6), 100u);
  EXPECT_EQ(dest->Pixels(7, 7), 111u);
}

TEST_F(SurfaceTest, PixelsOutsideReadZeroAndWriteNothing) {
  auto surface = Blank(3, 3, 5);
  surface->SetPixel(-1, 0, 9);
  surface->SetPixel(3, 0, 9);
  surface->SetPixel(0, 3, 9);
  EXPECT_EQ(surface->Pixels(-1, 0), 0u);
  EXPECT_EQ(surface->Pixels(3, 2), 0u);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(surface->Pixels(x, y), 5u);
}

TEST_F(SurfaceTest, ANonPositiveSizeReleasesTheMemory) {
  auto surface = Blank(3, 3, 5);
  surface->SetSize(0, 7);
  EXPECT_FALSE(surface->Interface());
  EXPECT_EQ(surface->Width(), 0);
  EXPECT_FALSE(surface->Fill(0));
  EXPECT_THROW(surface->SetSize(100000, 10), EDirectDrawSurfaceError);
}

TEST_F(SurfaceTest, CanvasDrawsTracesAndRefusesALostSurface) {
  auto surface = Blank(10, 10, 0x00C7D6BA);
  TDirectDrawSurfaceCanvas &canvas = surface->Canvas();
  canvas.Release(); // never drew: nothing to do
  canvas.Pen.Color = RGB(255, 0, 0);
  canvas.Pen.Mode = pmNotCopy;
  canvas.MoveTo(0, 5);
  canvas.LineTo(10, 5);
  canvas.Pen.Color = RGB(255, 255, 0);
  canvas.MoveTo(5, 0);
  canvas.LineTo(5, 4);
  canvas.Release();
  EXPECT_EQ(surface->Pixels(9, 5), 0x00FFFFu);
  EXPECT_EQ(surface->Pixels(5, 3), 0x0000FFu);
  EXPECT_EQ(surface->Pixels(5, 4), 0xC7D6BAu);

  dynamic_cast<TSoftwareDirectDraw *>(DDraw.IDraw4())->LoseSurfaces();
  try {
    canvas.LineTo(0, 0);
    FAIL() << "drew on a lost surface";
  } catch (const EInvalidOperation &e) {
    EXPECT_EQ(e.Message(), "Canvas does not allow drawing");
  }
  EXPECT_TRUE(surface->Restore());
  canvas.LineTo(0, 0);
  canvas.Release();
}

TEST_F(SurfaceTest, ItsPictureHoldsEveryPixelAndSurvivesAPngFile) {
  auto surface = Numbered(7, 5);
  surface->SetPixel(6, 4, 0x00C7D6BA);
  const QImage picture = surface->ToImage();
  ASSERT_EQ(picture.size(), QSize(7, 5));
  QByteArray png;
  QBuffer buffer(&png);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
  const QImage read = QImage::fromData(png, "PNG");
  ASSERT_EQ(read.size(), picture.size());
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      ASSERT_EQ(picture.pixel(x, y) & 0xFFFFFFu, surface->Pixels(x, y)) << x << "," << y;
      ASSERT_EQ(read.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
    }
  EXPECT_TRUE(TDirectDrawSurface(&DDraw).ToImage().isNull()) << "a surface without memory has no picture";
}

TEST_F(SurfaceTest, ColourMatchAnswersTheDeviceValueAndLeavesThePixel) {
  auto surface = Blank(2, 2, 0);
  surface->SetPixel(0, 0, 0x123456);
  EXPECT_EQ(surface->ColorMatch(RGB(199, 214, 186)), 0xC7D6BAu);
  EXPECT_EQ(surface->Pixels(0, 0), 0x123456u);
}

TEST_F(SurfaceTest, LoadsPicturesAndCopiesBackIntoThem) {
  TDIB picture;
  picture.SetSize(6, 4, 24);
  picture.SetPixel(1, 2, RGB(10, 20, 30));
  picture.SetPixel(5, 0, RGB(200, 100, 50));
  auto surface = std::make_unique<TDirectDrawSurface>(&DDraw);
  surface->LoadFromGraphicRect(picture, 0, 0, {1, 0, 6, 4});
  EXPECT_EQ(surface->Width(), 5);
  EXPECT_EQ(surface->Pixels(0, 2), 0x0A141Eu);
  EXPECT_EQ(surface->Pixels(4, 0), 0xC86432u);
  TDIB copy;
  surface->AssignTo(copy);
  EXPECT_EQ(copy.BitCount(), 24);
  EXPECT_EQ(copy.Pixels(4, 0), picture.Pixels(5, 0));

  TDirectDrawSurface duplicate(&DDraw);
  duplicate.Assign(surface.get());
  EXPECT_EQ(duplicate.Pixels(0, 2), 0x0A141Eu);
  duplicate.Assign(nullptr);
  EXPECT_FALSE(duplicate.Interface());
}

TEST(DirectDrawTest, ASurfaceAndItsMemoryGoWithItsOwnerWhileTheDeviceStays) {
  auto device = std::make_unique<TDirectDraw>(nullptr);
  EXPECT_EQ(device->DriverCaps.dwSize, 380u);
  auto first = std::make_unique<TDirectDrawSurface>(device.get());
  first->SetSize(4, 4);
  const std::weak_ptr<IDirectDrawSurface> memory = first->Interface();
  ASSERT_FALSE(memory.expired());
  first.reset();
  EXPECT_TRUE(memory.expired());
  auto second = std::make_unique<TDirectDrawSurface>(device.get());
  second->SetSize(2, 2);
  EXPECT_EQ(second->Width(), 2);
}

} // namespace
