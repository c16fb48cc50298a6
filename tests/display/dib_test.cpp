#include "display/dib.h"
#include "display/graphic_errors.h"
#include "rtl/stream.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

uint32_t DepthMask(int bitCount) { return bitCount >= 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1; }

TDIB Sample(int bitCount, int width = 5, int height = 3) {
  TDIB dib;
  for (int i = 0; i < 256; ++i)
    dib.ColorTable[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 3), 0};
  dib.SetSize(width, height, bitCount);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      dib.SetPixel(x, y, (x * 37 + y * 101 + 11) & DepthMask(bitCount) & (bitCount == 16 ? 0x7FFF : ~0u));
  return dib;
}

void ExpectSamePicture(TDIB &a, TDIB &b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  ASSERT_EQ(a.BitCount(), b.BitCount());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      ASSERT_EQ(a.Pixels(x, y), b.Pixels(x, y)) << x << "," << y;
  for (int i = 0; i < a.Image()->ColorTableCount; ++i)
    ASSERT_EQ(a.Image()->ColorTable[i], b.Image()->ColorTable[i]) << i;
}

void Put32(std::vector<uint8_t> &data, size_t at, uint32_t value) { std::memcpy(data.data() + at, &value, 4); }

// An info header for the reader: size 40 and the fields given.
std::vector<uint8_t> Header(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression = 0,
                            uint32_t imageSize = 0, uint32_t colorsUsed = 0) {
  std::vector<uint8_t> data(40, 0);
  Put32(data, 0, 40);
  Put32(data, 4, static_cast<uint32_t>(width));
  Put32(data, 8, static_cast<uint32_t>(height));
  Put32(data, 12, 1u | (uint32_t(bitCount) << 16));
  Put32(data, 16, compression);
  Put32(data, 20, imageSize);
  Put32(data, 32, colorsUsed);
  return data;
}

TMemoryStream StreamOf(const std::vector<uint8_t> &data) {
  TMemoryStream stream;
  if (!data.empty())
    stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
  stream.SetPosition(0);
  return stream;
}

std::string ReadError(const std::vector<uint8_t> &data) {
  TMemoryStream stream = StreamOf(data);
  TDIB dib;
  try {
    dib.ReadData(stream);
  } catch (const Exception &e) {
    return e.Message();
  }
  return "";
}

TEST(DIBTest, DataAndFileFormatsRoundTripAtEveryDepth) {
  for (int bitCount : {1, 4, 8, 16, 24, 32}) {
    SCOPED_TRACE(bitCount);
    TDIB original = Sample(bitCount);
    TMemoryStream data;
    original.WriteData(data);
    EXPECT_EQ(data.Size(), original.Image()->BitmapInfoSize() + original.Size());
    data.SetPosition(0);
    TDIB fromData;
    fromData.ReadData(data);
    ExpectSamePicture(original, fromData);

    TMemoryStream file;
    original.SaveToStream(file);
    ASSERT_EQ(file.Size(), 14 + data.Size());
    EXPECT_EQ(file.Memory()[0], 'B');
    EXPECT_EQ(file.Memory()[1], 'M');
    uint32_t total = 0, offset = 0;
    std::memcpy(&total, file.Memory() + 2, 4);
    std::memcpy(&offset, file.Memory() + 10, 4);
    EXPECT_EQ(total, file.Size());
    EXPECT_EQ(offset, 14u + original.Image()->BitmapInfoSize());
    file.SetPosition(0);
    TDIB fromFile;
    fromFile.LoadFromStream(file);
    ExpectSamePicture(original, fromFile);
    EXPECT_EQ(0, std::memcmp(fromFile.Image()->Bits.data(), original.Image()->Bits.data(), original.Size()));
  }
}

TEST(DIBTest, TopDownDataLandsBottomUpInMemory) {
  TDIB bottomUp = Sample(24, 3, 4);
  TMemoryStream stream;
  bottomUp.WriteData(stream);
  // The same picture written top row first, with a negative height.
  std::vector<uint8_t> data = Header(3, -4, 24);
  const int widthBytes = bottomUp.WidthBytes();
  for (int y = 0; y < 4; ++y) {
    const uint8_t *row = bottomUp.Image()->Row(y);
    data.insert(data.end(), row, row + widthBytes);
  }
  TMemoryStream topDownStream = StreamOf(data);
  TDIB topDown;
  topDown.ReadData(topDownStream);
  EXPECT_EQ(topDown.Height(), 4);
  EXPECT_EQ(topDown.Image()->Bits, bottomUp.Image()->Bits);
}

TEST(DIBTest, TheGraticuleFramingOfAFormResource) {
  TDIB picture;
  picture.SetSize(504, 504, 24);
  picture.SetPixel(0, 0, 0xBAD6C7);
  picture.SetPixel(503, 503, 0x808080);
  TMemoryStream resource;
  const uint8_t name[5] = {4, 'T', 'D', 'I', 'B'};
  resource.WriteBuffer(name, 5);
  picture.WriteData(resource);
  ASSERT_EQ(resource.Size(), 762093);
  const uint8_t *header = resource.Memory() + 5;
  int32_t fields[6];
  std::memcpy(fields, header, 24);
  EXPECT_EQ(fields[0], 40);
  EXPECT_EQ(fields[1], 504);
  EXPECT_EQ(fields[2], 504);
  EXPECT_EQ(fields[3], 1 | (24 << 16));
  EXPECT_EQ(fields[4], 0);
  EXPECT_EQ(fields[5], 0x000BA0C0);
  resource.SetPosition(5);
  TDIB read;
  read.ReadData(resource);
  ExpectSamePicture(picture, read);
}

TEST(DIBTest, ShortOrEmptyStreams) {
  TDIB dib = Sample(8);
  TMemoryStream empty;
  dib.ReadData(empty);
  EXPECT_TRUE(dib.Empty());
  for (size_t n = 1; n <= 3; ++n)
    EXPECT_EQ(ReadError(std::vector<uint8_t>(n, 40)), "DIB is invalid") << n;

  TDIB kept = Sample(8);
  TMemoryStream none;
  kept.LoadFromStream(none);
  EXPECT_FALSE(kept.Empty());
  TMemoryStream notBM = StreamOf(std::vector<uint8_t>(20, 'X'));
  EXPECT_THROW(kept.LoadFromStream(notBM), EInvalidGraphic);
  EXPECT_EQ(kept.Width(), 5) << "a failed read keeps the old picture";
}

TEST(DIBTest, HeadersThatDoNotFitAreRejected) {
  auto withPixels = [](std::vector<uint8_t> header, size_t pixels) {
    header.resize(header.size() + pixels, 0);
    return header;
  };
  EXPECT_EQ(ReadError(withPixels(Header(2, 2, 24), 16)), "");
  EXPECT_EQ(ReadError({13, 0, 0, 0, 1, 2, 3, 4}), "DIB is invalid");
  EXPECT_EQ(ReadError(withPixels(Header(0, 2, 24), 64)), "DIB is invalid");
  EXPECT_EQ(ReadError(withPixels(Header(-5, 2, 24), 64)), "DIB is invalid");
  EXPECT_EQ(ReadError(withPixels(Header(2, 0, 24), 64)), "DIB is invalid");
  EXPECT_EQ(ReadError(withPixels(Header(0x7FFFFFFF, 2, 24), 64)), "DIB is invalid");
  EXPECT_EQ(ReadError(withPixels(Header(2, INT32_MIN, 24), 64)), "DIB is invalid");
  EXPECT_EQ(ReadError(withPixels(Header(30000, 30000, 32), 64)), "DIB is invalid");
  // Row size times row count beyond even 64 bits, bottom-up and top-down.
  EXPECT_EQ(ReadError(withPixels(Header(0x7FFFFFFF, 0x7FFFFFFF, 0xFFFF), 64)), "DIB is invalid");
  EXPECT_EQ(ReadError(withPixels(Header(0x7FFFFFFF, -0x7FFFFFFF, 0xFFFF), 64)), "DIB is invalid");
  EXPECT_EQ(ReadError(withPixels(Header(2, 2, 24), 15)), "DIB is invalid"); // one byte short
  EXPECT_EQ(ReadError(withPixels(Header(2, 2, 24, 7), 16)), "DIB is invalid");
  EXPECT_EQ(ReadError(withPixels(Header(2, 2, 24, 1, 4), 4)), "DIB is invalid"); // RLE8 needs 8 bits
  EXPECT_EQ(ReadError(withPixels(Header(2, 2, 8, 1, 0xFFFFFFF0), 1024 + 8)), "DIB is invalid");
  EXPECT_EQ(ReadError(withPixels(Header(2, -2, 8, 1, 4), 1024 + 4)), "DIB is invalid");
  // A few bytes of codes for a picture of hundreds of megabytes.
  EXPECT_EQ(ReadError(withPixels(Header(20000, 10000, 8, 1, 4), 1024 + 4)), "DIB is invalid");
  EXPECT_EQ(ReadError(withPixels(Header(2, 2, 7), 1024)), "Bitcount in invalid (7)");
  std::vector<uint8_t> badMasks = Header(2, 2, 16, 3);
  badMasks.resize(40 + 12 + 8, 0);
  Put32(badMasks, 40, 0xF00);
  EXPECT_EQ(ReadError(badMasks), "PixelFormat in invalid");
  // An absurd colour count reads 256 entries and no more.
  EXPECT_EQ(ReadError(withPixels(Header(2, 2, 8, 0, 0, 0xFFFFFFFF), 256 * 4 + 8)), "");
  EXPECT_EQ(ReadError(withPixels(Header(2, 2, 8, 0, 0, 0xFFFFFFFF), 255 * 4)), "DIB is invalid");
}

TEST(DIBTest, ASizeTooLargeToMultiplyIsRefused) {
  TDIB dib;
  EXPECT_THROW(dib.SetSize(0x7FFFFFFF, 0x7FFFFFFF, 32), EOutOfResources);
  EXPECT_TRUE(dib.Empty());
}

TEST(DIBTest, EightBitWithoutAColourCountReadsAFullTable) {
  std::vector<uint8_t> data = Header(1, 1, 8);
  for (int i = 0; i < 256; ++i)
    data.insert(data.end(), {static_cast<uint8_t>(i), 0, 0, 0});
  data.insert(data.end(), {255, 0, 0, 0});
  TMemoryStream stream = StreamOf(data);
  TDIB dib;
  dib.ReadData(stream);
  EXPECT_EQ(dib.Image()->ColorTable[255].rgbBlue, 255);
  EXPECT_EQ(dib.Pixels(0, 0), 255u);
  EXPECT_EQ(stream.Position(), stream.Size());
}

TDIB ReadRLE(int width, int height, int bitCount, const std::vector<uint8_t> &codes) {
  std::vector<uint8_t> data = Header(width, height, static_cast<uint16_t>(bitCount), bitCount == 8 ? 1 : 2,
                                     static_cast<uint32_t>(codes.size()));
  data.resize(data.size() + 4 * (size_t(1) << bitCount), 0);
  data.insert(data.end(), codes.begin(), codes.end());
  TMemoryStream stream = StreamOf(data);
  TDIB dib;
  dib.ReadData(stream);
  return dib;
}

TEST(DIBTest, RunLengthDataExpandsIntoPlainRows) {
  TDIB rle8 = ReadRLE(4, 2, 8, {3, 5, 0, 0, 0, 3, 7, 8, 9, 0, 0, 1});
  EXPECT_TRUE(rle8.Compressed());
  TMemoryStream kept;
  rle8.WriteData(kept);
  EXPECT_EQ(kept.Size(), 40 + 1024 + 12) << "written as it was read";
  EXPECT_EQ(rle8.Pixels(0, 1), 5u); // the first row of the codes is the bottom one
  EXPECT_EQ(rle8.Pixels(2, 1), 5u);
  EXPECT_EQ(rle8.Pixels(3, 1), 0u);
  EXPECT_EQ(rle8.Pixels(0, 0), 7u);
  EXPECT_EQ(rle8.Pixels(2, 0), 9u);
  EXPECT_FALSE(rle8.Compressed());

  TDIB rle4 = ReadRLE(5, 1, 4, {5, 0x12, 0, 1});
  EXPECT_EQ(rle4.Pixels(0, 0), 1u);
  EXPECT_EQ(rle4.Pixels(1, 0), 2u);
  EXPECT_EQ(rle4.Pixels(4, 0), 1u);
}

TEST(DIBTest, RunLengthCodesCannotWriteOutsideTheImage) {
  // A run longer than the row, a jump far beyond the image, an absolute run cut short, rows
  // beyond the top.
  TDIB hostile = ReadRLE(4, 2, 8, {255, 6, 0, 2, 250, 250, 9, 9, 0, 0, 0, 0, 0, 0, 200, 1, 0, 9, 1, 2});
  EXPECT_EQ(hostile.Pixels(3, 1), 6u);
  TDIB rle4 = ReadRLE(3, 1, 4, {0, 200, 0x12, 0x34});
  EXPECT_EQ(rle4.Pixels(0, 0), 1u);
  EXPECT_EQ(rle4.Pixels(2, 0), 3u);
  EXPECT_EQ(rle4.Image()->Bits.size(), 4u);
}

TEST(DIBTest, SharedPicturesAreCopiedBeforeAChange) {
  TDIB a = Sample(8), b;
  b.Assign(&a);
  EXPECT_EQ(a.Image(), b.Image());
  b.SetPixel(0, 0, 99);
  EXPECT_NE(a.Image(), b.Image());
  EXPECT_NE(a.Pixels(0, 0), 99u);
  b.ColorTable[3].rgbRed = 1;
  b.UpdatePalette();
  EXPECT_EQ(b.Image()->ColorTable[3].rgbRed, 1);
  EXPECT_EQ(a.Image()->ColorTable[3].rgbRed, 9);
}

TEST(DIBTest, DamagedDataNeverCrashesTheReader) {
  std::vector<std::vector<uint8_t>> seeds;
  for (int bitCount : {1, 4, 8, 16, 24, 32}) {
    TMemoryStream stream;
    Sample(bitCount, 7, 5).WriteData(stream);
    seeds.emplace_back(stream.Memory(), stream.Memory() + stream.Size());
  }
  std::vector<uint8_t> rle = Header(6, 3, 8, 1, 10);
  rle.resize(rle.size() + 1024, 1);
  rle.insert(rle.end(), {4, 1, 0, 3, 1, 2, 3, 0, 0, 1});
  seeds.push_back(rle);
  std::mt19937 random(1234);
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> data = seeds[round % seeds.size()];
    const int changes = 1 + random() % 6;
    for (int i = 0; i < changes; ++i) {
      const size_t at = random() % std::min<size_t>(data.size(), 64 + (random() % 2) * data.size());
      data[at] = static_cast<uint8_t>(random());
    }
    if (random() % 4 == 0)
      data.resize(random() % data.size());
    TMemoryStream stream = StreamOf(data);
    TDIB dib;
    try {
      dib.ReadData(stream);
    } catch (const Exception &) {
      continue;
    }
    if (!dib.Compressed()) {
      ASSERT_EQ(static_cast<int64_t>(dib.Image()->Bits.size()), dib.Size());
    }
    for (int y = 0; y < std::min(dib.Height(), 8); ++y)
      for (int x = 0; x < std::min(dib.Width(), 8); ++x)
        dib.Pixels(x, y);
  }
}

} // namespace
