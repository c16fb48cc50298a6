#pragma once

#include "display/palette_manager.h"
#include "display/rgb_quad.h"
#include "platform/draw/draw_types.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// Channel masks and bit counts of a true-colour DIB, with the shifts that turn a channel into
// 8 bits (position of the mask, and 8 minus the channel's width).
struct TPixelFormat {
  uint32_t RBitMask = 0, GBitMask = 0, BBitMask = 0;
  int RBitCount = 0, GBitCount = 0, BBitCount = 0;
  int RShift = 0, GShift = 0, BShift = 0;
  int RShift2 = 0, GShift2 = 0, BShift2 = 0;
  bool operator==(const TPixelFormat &) const = default;
};

TPixelFormat MakeDIBPixelFormat(int redBits, int greenBits, int blueBits);
TPixelFormat MakeDIBPixelFormatMask(uint32_t redMask, uint32_t greenMask, uint32_t blueMask);

// The largest pixel store a DIB may have; a bigger one is refused before anything is allocated.
inline constexpr int64_t MaxDIBSize = int64_t(1) << 28;

// The bytes of one row of `width` pixels, padded to 4 bytes.
inline int64_t DIBWidthBytes(int64_t bitCount, int64_t width) { return ((bitCount * width + 31) / 32) * 4; }
// Whether `height` rows of `widthBytes` stay within MaxDIBSize. Asked by division: header
// fields can make the product overflow even 64 bits.
inline bool DIBStoreFits(int64_t widthBytes, int64_t height) {
  return widthBytes > 0 && height > 0 && widthBytes <= MaxDIBSize / height;
}

// The pixels of a DIB, shared between DIBs until one of them changes it. Rows are padded to
// 4 bytes and stored bottom-up; RLE data stays compressed until it is expanded.
class TDIBSharedImage {
public:
  // Raises EInvalidGraphicOperation "Bitcount in invalid (%d)" / "PixelFormat in invalid", and
  // EOutOfResources "DIB cannot be made" when the store would be too big.
  TDIBSharedImage(int width, int height, int bitCount, const TPixelFormat &format, const TRGBQuads &colorTable,
                  bool compressed);
  // The shared empty image.
  static const std::shared_ptr<TDIBSharedImage> &Empty();

  int BitCount = 0;
  int Width = 0;
  int Height = 0;
  int WidthBytes = 0;
  int64_t Size = 0;
  std::vector<uint8_t> BitmapInfo; // header, masks for 16 and 32 bits, colour table
  int ColorTableOffset = 40;
  int ColorTableCount = 0;
  TRGBQuads ColorTable{};
  TPixelFormat PixelFormat;
  bool MemoryImage = true;
  bool Compressed = false;
  std::vector<uint8_t> Bits; // Size bytes, or the RLE data

  int BitmapInfoSize() const { return static_cast<int>(BitmapInfo.size()); }
  uint32_t ImageSize() const; // the header's image size
  void SetImageSize(uint32_t size);
  uint8_t *Row(int y) { return Bits.data() + static_cast<size_t>(Height - 1 - y) * WidthBytes; }
  const uint8_t *Row(int y) const { return Bits.data() + static_cast<size_t>(Height - 1 - y) * WidthBytes; }
  void SetColorTable(const TRGBQuads &table);
  // The palette of the colour table; none without one.
  HPALETTE Palette() { return ColorTableCount ? FPalette.Get(ColorTable.data(), ColorTableCount) : nullptr; }
  // The same picture as plain rows; whatever the codes say, nothing lands outside the image.
  std::shared_ptr<TDIBSharedImage> Expanded() const;
  TDIBSource Source() const;

private:
  TDIBSharedImage() = default;

  TPaletteRef FPalette;
};
