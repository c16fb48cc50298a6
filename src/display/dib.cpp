#include "display/dib.h"

#include "display/graphic_errors.h"
#include "display/surface_canvas.h"
#include "platform/draw/gdi_functions.h"
#include "platform/draw/packed_pixel.h"

void TDIB::Draw(TDirectDrawSurfaceCanvas &canvas, const TRect &dest) {
  StretchDraw(canvas, dest, {0, 0, Width(), Height()});
}

TDIB::TDIB() { SetImage(TDIBSharedImage::Empty()); }

void TDIB::SetImage(std::shared_ptr<TDIBSharedImage> image) {
  FImage = std::move(image);
  ColorTable = FImage->ColorTable;
  PixelFormat = FImage->PixelFormat;
}

void TDIB::SetSize(int width, int height, int bitCount) {
  if (width == Width() && height == Height() && bitCount == BitCount() && PixelFormat == FImage->PixelFormat)
    return;
  if (width <= 0 || height <= 0) {
    Clear();
    return;
  }
  // A format that does not fit the depth falls back to the depth's usual one.
  TPixelFormat format = PixelFormat;
  if (bitCount == 16 && format.RBitCount + format.GBitCount + format.BBitCount > 16)
    format = MakeDIBPixelFormat(5, 5, 5);
  else if (bitCount != 16)
    format = MakeDIBPixelFormat(8, 8, 8);
  auto image = std::make_shared<TDIBSharedImage>(width, height, bitCount, format, ColorTable, false);
  image->MemoryImage = FImage->MemoryImage;
  const TRGBQuads table = ColorTable;
  SetImage(std::move(image));
  ColorTable = table;
}

void TDIB::SetWidth(int width) { SetSize(width, Empty() ? 1 : Height(), Empty() ? 8 : BitCount()); }

void TDIB::SetHeight(int height) { SetSize(Empty() ? 1 : Width(), height, Empty() ? 8 : BitCount()); }

void TDIB::Clear() { SetImage(TDIBSharedImage::Empty()); }

void TDIB::Assign(const TDIB *source) {
  if (source == nullptr)
    Clear();
  else if (source != this)
    SetImage(source->FImage);
}

void TDIB::MakeUnique() {
  if (FImage.use_count() > 1 && !Empty()) {
    const TRGBQuads table = ColorTable;
    const TPixelFormat format = PixelFormat;
    FImage = std::make_shared<TDIBSharedImage>(*FImage);
    ColorTable = table;
    PixelFormat = format;
  }
}

void TDIB::Decompress() {
  if (FImage->Compressed) {
    auto plain = FImage->Expanded();
    plain->MemoryImage = FImage->MemoryImage;
    FImage = std::move(plain);
  }
}

uint32_t TDIB::Pixels(int x, int y) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height())
    return 0;
  Decompress();
  return ReadPackedPixel(FImage->Row(y), x, BitCount());
}

void TDIB::SetPixel(int x, int y, uint32_t value) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height())
    return;
  Decompress();
  MakeUnique();
  WritePackedPixel(FImage->Row(y), x, BitCount(), value);
}

void TDIB::UpdatePalette() {
  if (Empty() || ColorTable == FImage->ColorTable)
    return;
  const TRGBQuads table = ColorTable;
  MakeUnique();
  FImage->SetColorTable(table);
}

void TDIB::SetPalette(HPALETTE palette) {
  if (palette == nullptr)
    return;
  TPaletteEntry entries[256] = {};
  const int count = GdiGetPaletteEntries(palette, 0, 256, entries);
  GdiDeletePalette(palette);
  for (int i = 0; i < count; ++i)
    ColorTable[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  UpdatePalette();
}

void TDIB::StretchDraw(TDirectDrawSurfaceCanvas &canvas, const TRect &dest, const TRect &source) {
  if (Size() < 1)
    return;
  Decompress();
  canvas.StretchDIB(dest, source, FImage->Source());
}
