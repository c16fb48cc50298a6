// TDIB's stream formats. Every size in a header is checked against what the stream still holds
// before anything is allocated, so damaged or hostile data ends in "DIB is invalid".
#include "display/dib.h"

#include "display/graphic_errors.h"
#include "rtl/stream.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;
constexpr uint16_t FileMagic = 0x4D42; // "BM"
constexpr int FileHeaderSize = 14;
constexpr int64_t MaxRLEBlankSize = int64_t(1) << 20;

void ReadExact(TStream &stream, void *buffer, int64_t count) {
  if (stream.Read(buffer, count) != count)
    throw EInvalidGraphic(SInvalidDIB);
}

uint32_t Le32(const uint8_t *p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t Le16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

int64_t Remaining(TStream &stream) { return stream.Size() - stream.Position(); }

struct THeader {
  int64_t Width = 0;
  int64_t Height = 0;
  int BitCount = 0;
  uint32_t Compression = BI_RGB;
  uint32_t ImageSize = 0;
  uint32_t ColorsUsed = 0;
  bool Core = false;
};

THeader ReadHeader(TStream &stream, uint32_t headerSize) {
  THeader h;
  uint8_t b[36];
  if (headerSize == 12) {
    ReadExact(stream, b, 8);
    h.Width = Le16(b);
    h.Height = Le16(b + 2);
    h.BitCount = Le16(b + 6);
    h.Core = true;
  } else if (headerSize == 40) {
    ReadExact(stream, b, 36);
    h.Width = static_cast<int32_t>(Le32(b));
    h.Height = static_cast<int32_t>(Le32(b + 4));
    h.BitCount = Le16(b + 10);
    h.Compression = Le32(b + 12);
    h.ImageSize = Le32(b + 16);
    h.ColorsUsed = Le32(b + 28);
  } else {
    throw EInvalidGraphic(SInvalidDIB);
  }
  return h;
}

void CheckHeader(const THeader &h) {
  const bool compressed = h.Compression == BI_RLE8 || h.Compression == BI_RLE4;
  bool valid = h.Width > 0 && h.Height != 0 && h.Compression <= BI_BITFIELDS;
  if (h.Compression == BI_RLE8)
    valid = valid && h.BitCount == 8;
  if (h.Compression == BI_RLE4)
    valid = valid && h.BitCount == 4;
  if (h.Compression == BI_BITFIELDS)
    valid = valid && (h.BitCount == 16 || h.BitCount == 32);
  // RLE rows always run bottom-up.
  if (compressed)
    valid = valid && h.Height > 0 && h.ImageSize > 0;
  if (!valid)
    throw EInvalidGraphic(SInvalidDIB);
}

} // namespace

void TDIB::ReadData(TStream &stream) {
  uint8_t sizeBytes[4];
  const int64_t got = stream.Read(sizeBytes, 4);
  if (got == 0) {
    Clear();
    return;
  }
  if (got < 4)
    throw EInvalidGraphic(SInvalidDIB);
  const THeader h = ReadHeader(stream, Le32(sizeBytes));
  CheckHeader(h);

  TPixelFormat format;
  if (h.Compression == BI_BITFIELDS) {
    uint8_t masks[12];
    ReadExact(stream, masks, 12);
    format = MakeDIBPixelFormatMask(Le32(masks), Le32(masks + 4), Le32(masks + 8));
  } else {
    format = h.BitCount == 16 ? MakeDIBPixelFormat(5, 5, 5) : MakeDIBPixelFormat(8, 8, 8);
  }

  int64_t colors = h.ColorsUsed;
  if (colors == 0 && h.BitCount <= 8)
    colors = int64_t(1) << h.BitCount;
  colors = std::min<int64_t>(colors, 256);
  TRGBQuads table{};
  const int entryBytes = h.Core ? 3 : 4;
  if (colors * entryBytes > Remaining(stream))
    throw EInvalidGraphic(SInvalidDIB);
  for (int64_t i = 0; i < colors; ++i) {
    uint8_t entry[4] = {};
    ReadExact(stream, entry, entryBytes);
    table[i] = {entry[0], entry[1], entry[2], 0};
  }

  const int64_t height = h.Height < 0 ? -h.Height : h.Height;
  const int64_t widthBytes = DIBWidthBytes(h.BitCount, h.Width);
  if (!DIBStoreFits(widthBytes, height))
    throw EInvalidGraphic(SInvalidDIB);
  const bool compressed = h.Compression == BI_RLE8 || h.Compression == BI_RLE4;
  const int64_t backed = compressed ? h.ImageSize : widthBytes * height;
  if (backed > Remaining(stream))
    throw EInvalidGraphic(SInvalidDIB);
  // Runs reach about 128 bytes of picture per 2 bytes of codes; pictures the codes could not
  // plausibly fill are refused before their rows are allocated.
  if (compressed && widthBytes * height > std::max<int64_t>(int64_t(h.ImageSize) * 256, MaxRLEBlankSize))
    throw EInvalidGraphic(SInvalidDIB);

  auto image = std::make_shared<TDIBSharedImage>(static_cast<int>(h.Width), static_cast<int>(height), h.BitCount,
                                                 format, table, compressed);
  image->MemoryImage = FImage->MemoryImage;
  if (compressed) {
    image->Bits.resize(h.ImageSize);
    ReadExact(stream, image->Bits.data(), h.ImageSize);
    image->SetImageSize(h.ImageSize);
  } else if (h.Height > 0) {
    ReadExact(stream, image->Bits.data(), image->Size);
  } else {
    for (int y = 0; y < image->Height; ++y)
      ReadExact(stream, image->Row(y), image->WidthBytes);
  }
  SetImage(std::move(image));
}

void TDIB::WriteData(TStream &stream) const {
  if (Empty())
    return;
  stream.WriteBuffer(FImage->BitmapInfo.data(), FImage->BitmapInfoSize());
  stream.WriteBuffer(FImage->Bits.data(), FImage->ImageSize());
}

void TDIB::LoadFromStream(TStream &stream) {
  uint8_t header[FileHeaderSize];
  const int64_t got = stream.Read(header, FileHeaderSize);
  if (got == 0)
    return;
  if (got < FileHeaderSize || Le16(header) != FileMagic)
    throw EInvalidGraphic(SInvalidDIB);
  ReadData(stream);
}

void TDIB::SaveToStream(TStream &stream) const {
  if (Empty())
    return;
  const uint32_t offset = FImage->BitmapInfoSize() + FileHeaderSize;
  const uint32_t total = offset + FImage->ImageSize();
  uint8_t header[FileHeaderSize] = {};
  header[0] = FileMagic & 0xFF;
  header[1] = FileMagic >> 8;
  std::memcpy(header + 2, &total, 4);
  std::memcpy(header + 10, &offset, 4);
  stream.WriteBuffer(header, FileHeaderSize);
  WriteData(stream);
}
