#include "sound/wave_file_stream.h"
#include "support/wave_image.h"

#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

// A wave stream open for reading over `image`; the stream keeps the bytes.
struct TOpenedImage {
  explicit TOpenedImage(const TWaveImage &image) {
    image.WriteTo(Stream);
    Stream.SetPosition(0);
    Wave.Open(false);
  }
  TMemoryStream Stream;
  TWaveStream Wave{&Stream};
};

TWaveImage Pcm(const std::vector<uint8_t> &data) {
  return TWaveImage().Riff().Fmt(2, 44100, 16, 4).Chunk("data", data);
}

uint32_t U32At(const uint8_t *bytes) { return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t(bytes[3]) << 24; }

} // namespace

TEST(WaveFormatTest, MakePcmFormatFillsEveryField) {
  TWaveFormatEx format;
  std::memset(&format, 0xAB, sizeof format);
  MakePcmFormat(format, 44100, 16, 2);
  const TWaveFormatEx expected{1, 2, 44100, 176400, 4, 16, 0};
  EXPECT_EQ(std::memcmp(&format, &expected, sizeof format), 0);
  EXPECT_EQ(MakePcmFormat(format, 8000, 8, 1).nBlockAlign, 1);
  EXPECT_EQ(format.nAvgBytesPerSec, 8000u);
  EXPECT_EQ(MakePcmFormat(format, 8000, 12, 2).nBlockAlign, 2); // the remainder bits are lost
}

TEST(WaveStreamTest, ReadsFormatAndDataSkippingOtherChunks) {
  // A LIST chunk between the two, and an odd-sized unknown chunk skipped by exactly its size.
  TOpenedImage opened(
      TWaveImage().Riff().Fmt(2, 44100, 16, 4).Chunk("LIST", Ramp(10)).Chunk("odd!", Ramp(3)).Chunk("data", Ramp(40)));
  TWaveStream &wave = opened.Wave;
  ASSERT_EQ(wave.FormatSize(), 16);
  EXPECT_EQ(wave.Format()->cbSize, 0); // beyond a 16-byte record, yet readable
  EXPECT_EQ(wave.PcmFormat().nBlockAlign, 4);
  EXPECT_EQ(wave.WaveSize(), 40);
  std::vector<uint8_t> data(40);
  wave.ReadBuffer(data.data(), 40);
  EXPECT_EQ(data, Ramp(40));
}

TEST(WaveStreamTest, RejectsWhatIsNotAWave) {
  EXPECT_THAT([] { TOpenedImage(TWaveImage().Riff("AVI ").Fmt(1, 8000, 8, 1)); },
              testing::ThrowsMessage<EWaveStreamError>(testing::StrEq("Wave is invalid")));
  EXPECT_THAT([] { TOpenedImage(TWaveImage().Raw("RIFX").U32(0).Raw("WAVE")); },
              testing::ThrowsMessage<EWaveStreamError>(testing::StrEq("Wave is invalid")));
  EXPECT_THAT([] { TOpenedImage(TWaveImage().Raw("RIFF").U32(0)); },
              testing::ThrowsMessage<EReadError>(testing::StrEq("Stream read error")));
}

TEST(WaveStreamTest, ChunkLargerThanTheStreamIsAReadError) {
  for (const char *id : {"fmt ", "data", "junk"})
    EXPECT_THAT([&] { TOpenedImage(Pcm({}).Raw(id).U32(0xFFFFFFF0u).Raw("abcd")); },
                testing::ThrowsMessage<EReadError>(testing::StrEq("Stream read error")))
        << id;
}

TEST(WaveStreamTest, ImagesWithoutFormatOrDataOpen) {
  TMemoryStream empty;
  TWaveStream nothing(&empty);
  nothing.Open(false);
  EXPECT_EQ(nothing.FormatSize(), 0);
  EXPECT_EQ(nothing.WaveSize(), 0);

  // Without a usable format, whatever computes with it gets a clear error instead of dividing by 0.
  TOpenedImage noFormat(TWaveImage().Riff().Chunk("data", Ramp(8)));
  EXPECT_EQ(noFormat.Wave.WaveSize(), 8);
  EXPECT_THAT([&] { noFormat.Wave.PcmFormat(); },
              testing::ThrowsMessage<EWaveStreamError>(testing::StrEq("Format is invalid")));
  TOpenedImage zeroAlign(TWaveImage().Riff().Fmt(2, 44100, 16, 0).Chunk("data", Ramp(8)));
  EXPECT_THROW(zeroAlign.Wave.PcmFormat(), EWaveStreamError);
}

TEST(WaveStreamTest, OperationsOutOfOrderAreRefused) {
  TMemoryStream stream;
  TWaveStream wave(&stream);
  uint8_t byte;
  EXPECT_THAT([&] { wave.ReadWave(&byte, 1); },
              testing::ThrowsMessage<EWaveStreamError>(testing::StrEq("Stream not opend")));
  EXPECT_THROW(wave.WriteWave(&byte, 1), EWaveStreamError);
  EXPECT_THAT([&] { wave.Open(true); }, testing::ThrowsMessage<EWaveStreamError>(testing::StrEq("Format is invalid")));
  wave.Open(false);
  EXPECT_THAT([&] { wave.Open(false); },
              testing::ThrowsMessage<EWaveStreamError>(testing::StrEq("Stream has already been opened")));
  EXPECT_THAT([] { TWaveFileStream("/nonexistent/x.wav", TFileStream::fmOpenRead); },
              testing::ThrowsMessage<EFOpenError>(testing::StrEq("Cannot open file /nonexistent/x.wav")));
}

TEST(WaveStreamTest, PositionStaysInsideTheData) {
  TOpenedImage opened(Pcm(Ramp(100)));
  TWaveStream &wave = opened.Wave;
  uint8_t buffer[100];
  wave.SetPosition(90);
  EXPECT_EQ(wave.Read(buffer, 100), 10);
  EXPECT_EQ(buffer[0], Ramp(100)[90]);
  EXPECT_EQ(wave.Seek(-50, TStream::soFromBeginning), 0);
  EXPECT_EQ(wave.Seek(500, TStream::soFromBeginning), 100);
  EXPECT_EQ(wave.Seek(-30, TStream::soFromEnd), 70);
}

TEST(WaveStreamTest, WrittenImageFollowsTheRiffRules) {
  for (int dataSize : {8, 7}) {
    TMemoryStream stream;
    stream.WriteBuffer("head", 4); // the image begins where the base stream stood
    TWaveStream wave(&stream);
    wave.SetFormatSize(18);
    MakePcmFormat(*wave.Format(), 8000, 8, 1);
    wave.Open(true);
    wave.WriteBuffer(Ramp(size_t(dataSize)).data(), dataSize);
    wave.Finish();

    const uint8_t *image = stream.Memory() + 4;
    const int64_t length = stream.Size() - 4;
    EXPECT_EQ(length, 12 + 8 + 18 + 8 + dataSize + 1); // the final zero byte is always there
    // The RIFF size counts what follows its field; the zero byte only as the pad of odd data.
    EXPECT_EQ(U32At(image + 4), uint32_t(length - 8 - (dataSize % 2 ? 0 : 1))) << dataSize;
    EXPECT_EQ(std::memcmp(image + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(std::memcmp(image + 38, "data", 4), 0);
    EXPECT_EQ(U32At(image + 42), uint32_t(dataSize));

    stream.SetPosition(4);
    TWaveStream reader(&stream);
    reader.Open(false);
    EXPECT_EQ(reader.WaveSize(), dataSize);
  }
}
