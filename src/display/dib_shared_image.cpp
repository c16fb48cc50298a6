#include "display/dib_shared_image.h"

#include "display/graphic_errors.h"
#include "platform/draw/gdi_functions.h"

#include <bit>
#include <cstring>

namespace {

constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

void Put32(std::vector<uint8_t> &block, int offset, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    block[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t Get32(const std::vector<uint8_t> &block, int offset) {
  return block[offset] | (block[offset + 1] << 8) | (block[offset + 2] << 16) |
         (static_cast<uint32_t>(block[offset + 3]) << 24);
}

TRGBQuads SystemColorTable() {
  TRGBQuads table;
  const auto &entries = SystemPaletteEntries();
  for (size_t i = 0; i < table.size(); ++i)
    table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  return table;
}

bool ValidFormat(int bitCount, const TPixelFormat &f) {
  if (bitCount == 16)
    return (f.RBitMask == 0x7C00 && f.GBitMask == 0x3E0 && f.BBitMask == 0x1F) ||
           (f.RBitMask == 0xF800 && f.GBitMask == 0x7E0 && f.BBitMask == 0x1F);
  return f.RBitMask == 0xFF0000 && f.GBitMask == 0xFF00 && f.BBitMask == 0xFF;
}

} // namespace

TPixelFormat MakeDIBPixelFormat(int redBits, int greenBits, int blueBits) {
  auto ones = [](int bits) { return bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1; };
  return MakeDIBPixelFormatMask(ones(redBits) << (greenBits + blueBits), ones(greenBits) << blueBits, ones(blueBits));
}

TPixelFormat MakeDIBPixelFormatMask(uint32_t redMask, uint32_t greenMask, uint32_t blueMask) {
  TPixelFormat f;
  f.RBitMask = redMask;
  f.GBitMask = greenMask;
  f.BBitMask = blueMask;
  auto run = [](uint32_t mask, int &count, int &shift, int &shift2) {
    shift = mask ? std::countr_zero(mask) : 0;
    count = mask ? std::countr_one(mask >> shift) : 0;
    shift2 = 8 - count;
  };
  run(redMask, f.RBitCount, f.RShift, f.RShift2);
  run(greenMask, f.GBitCount, f.GShift, f.GShift2);
  run(blueMask, f.BBitCount, f.BShift, f.BShift2);
  return f;
}

const std::shared_ptr<TDIBSharedImage> &TDIBSharedImage::Empty() {
  static const std::shared_ptr<TDIBSharedImage> empty = [] {
    std::shared_ptr<TDIBSharedImage> image(new TDIBSharedImage());
    image->ColorTable = SystemColorTable();
    image->PixelFormat = MakeDIBPixelFormat(8, 8, 8);
    return image;
  }();
  return empty;
}

TDIBSharedImage::TDIBSharedImage(int width, int height, int bitCount, const TPixelFormat &format,
                                 const TRGBQuads &colorTable, bool compressed)
    : BitCount(bitCount), Width(width), Height(height), ColorTable(colorTable), PixelFormat(format),
      Compressed(compressed) {
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    throw EInvalidGraphicOperation("Bitcount in invalid (%d)", bitCount);
  if (!ValidFormat(bitCount, format))
    throw EInvalidGraphicOperation("PixelFormat in invalid");
  const int64_t widthBytes = DIBWidthBytes(bitCount, width);
  if (!DIBStoreFits(widthBytes, height))
    throw EOutOfResources("%s cannot be made", "DIB");
  WidthBytes = static_cast<int>(widthBytes);
  Size = widthBytes * height;
  ColorTableCount = bitCount <= 8 ? 1 << bitCount : 0;
  const bool masks = bitCount == 16 || bitCount == 32;
  ColorTableOffset = masks ? 52 : 40;
  BitmapInfo.assign(ColorTableOffset + 4 * ColorTableCount, 0);
  uint32_t compression = masks ? BI_BITFIELDS : BI_RGB;
  if (compressed)
    compression = bitCount == 4 ? BI_RLE4 : BI_RLE8;
  Put32(BitmapInfo, 0, 40);
  Put32(BitmapInfo, 4, width);
  Put32(BitmapInfo, 8, height);
  Put32(BitmapInfo, 12, 1 | (bitCount << 16)); // planes, bit count
  Put32(BitmapInfo, 16, compression);
  Put32(BitmapInfo, 20, static_cast<uint32_t>(Size));
  if (masks) {
    Put32(BitmapInfo, 40, format.RBitMask);
    Put32(BitmapInfo, 44, format.GBitMask);
    Put32(BitmapInfo, 48, format.BBitMask);
  }
  SetColorTable(colorTable);
  if (!compressed)
    Bits.assign(static_cast<size_t>(Size), 0);
}

uint32_t TDIBSharedImage::ImageSize() const { return BitmapInfo.empty() ? 0 : Get32(BitmapInfo, 20); }

void TDIBSharedImage::SetImageSize(uint32_t size) { Put32(BitmapInfo, 20, size); }

void TDIBSharedImage::SetColorTable(const TRGBQuads &table) {
  ColorTable = table;
  FPalette.Changed();
  if (!BitmapInfo.empty())
    std::memcpy(BitmapInfo.data() + ColorTableOffset, ColorTable.data(), 4 * ColorTableCount);
}

TDIBSource TDIBSharedImage::Source() const {
  TDIBSource source;
  source.Width = Width;
  source.Height = Height;
  source.BitCount = BitCount;
  source.WidthBytes = WidthBytes;
  source.RedMask = PixelFormat.RBitMask;
  source.GreenMask = PixelFormat.GBitMask;
  source.BlueMask = PixelFormat.BBitMask;
  source.ColorTable = reinterpret_cast<const uint8_t *>(ColorTable.data());
  source.ColorCount = ColorTableCount;
  source.Bits = Bits.empty() ? nullptr : Bits.data();
  return source;
}

std::shared_ptr<TDIBSharedImage> TDIBSharedImage::Expanded() const {
  auto plain = std::make_shared<TDIBSharedImage>(Width, Height, BitCount, PixelFormat, ColorTable, false);
  const bool four = BitCount == 4;
  int x = 0, y = 0; // y counts rows from the bottom, as the codes do
  auto put = [&](int value) {
    if (x < Width && y < Height) {
      uint8_t *row = plain->Bits.data() + static_cast<size_t>(y) * WidthBytes;
      if (four)
        row[x / 2] = static_cast<uint8_t>(x % 2 ? (row[x / 2] & 0xF0) | (value & 0x0F)
                                                : (row[x / 2] & 0x0F) | ((value & 0x0F) << 4));
      else
        row[x] = static_cast<uint8_t>(value);
    }
    ++x;
  };
  const uint8_t *code = Bits.data();
  const size_t length = Bits.size();
  size_t i = 0;
  while (i + 1 < length && y < Height) {
    const int count = code[i], value = code[i + 1];
    i += 2;
    if (count > 0) {
      for (int n = 0; n < count && x < Width; ++n)
        put(four ? (n % 2 ? value & 0x0F : value >> 4) : value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (i + 1 >= length)
        break;
      x += code[i];
      y += code[i + 1];
      i += 2;
    } else {
      const size_t bytes = four ? (value + 1) / 2 : value;
      for (int n = 0; n < value && i + (four ? n / 2 : n) < length; ++n)
        put(four ? (n % 2 ? code[i + n / 2] & 0x0F : code[i + n / 2] >> 4) : code[i + n]);
      i += (bytes + 1) & ~size_t(1); // absolute runs are padded to a word
    }
  }
  return plain;
}
