#include "sound/wave_file_stream.h"
#include "sound/wave_format.h"
#include "support/wave_image.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// An image with a 16-bit stereo format and `data` as its samples, in a memory stream at 0.
void Put(TMemoryStream &stream, const TWaveImage &image) {
  image.WriteTo(stream);
  stream.SetPosition(0);
}

TWaveImage Pcm(const std::vector<uint8_t> &data) {
  TWaveImage image;
  image.Riff().Fmt(2, 44100, 16, 4).Chunk("data", data);
  return image;
}

template <class E> std::string MessageOf(const std::function<void()> &action) {
  try {
    action();
  } catch (const E &e) {
    return e.Message();
  }
  return "nothing raised";
}

uint32_t U32At(const uint8_t *bytes) { return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t(bytes[3]) << 24; }

} // namespace

TEST(WaveFormatTest, MakePcmFormatFillsEveryField) {
  TWaveFormatEx format;
  std::memset(&format, 0xAB, sizeof format);
  MakePcmFormat(format, 44100, 16, 2);
  EXPECT_EQ(format.wFormatTag, 1);
  EXPECT_EQ(format.nChannels, 2);
  EXPECT_EQ(format.nSamplesPerSec, 44100u);
  EXPECT_EQ(format.nAvgBytesPerSec, 176400u);
  EXPECT_EQ(format.nBlockAlign, 4);
  EXPECT_EQ(format.wBitsPerSample, 16);
  EXPECT_EQ(format.cbSize, 0);

  EXPECT_EQ(MakePcmFormat(format, 8000, 8, 1).nBlockAlign, 1);
  EXPECT_EQ(format.nAvgBytesPerSec, 8000u);
  EXPECT_EQ(MakePcmFormat(format, 8000, 12, 2).nBlockAlign, 2); // the remainder bits are lost
  EXPECT_EQ(MakePcmFormat(format, 96000, 24, 2).nAvgBytesPerSec, 576000u);
}

TEST(WaveStreamTest, ReadsFormatAndDataSkippingOtherChunks) {
  TMemoryStream stream;
  TWaveImage image;
  // A LIST chunk between the two, and an odd-sized unknown chunk skipped by exactly its size.
  image.Riff().Fmt(2, 44100, 16, 4).Chunk("LIST", Ramp(10)).Chunk("odd!", Ramp(3)).Chunk("data", Ramp(40));
  Put(stream, image);
  TWaveStream wave(&stream);
  wave.Open(false);
  ASSERT_EQ(wave.FormatSize(), 16);
  EXPECT_EQ(wave.Format()->nSamplesPerSec, 44100u);
  EXPECT_EQ(wave.Format()->cbSize, 0); // beyond a 16-byte record, yet readable
  EXPECT_EQ(wave.PcmFormat().nBlockAlign, 4);
  EXPECT_EQ(wave.WaveSize(), 40);
  uint8_t buffer[40];
  wave.ReadBuffer(buffer, 40);
  EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 40), Ramp(40));
}

TEST(WaveStreamTest, LaterChunksReplaceEarlierOnes) {
  TMemoryStream stream;
  TWaveImage image;
  image.Riff().Fmt(1, 8000, 8, 1).Chunk("data", Ramp(4)).Fmt(2, 22050, 16, 4).Chunk("data", Ramp(6));
  Put(stream, image);
  TWaveStream wave(&stream);
  wave.Open(false);
  EXPECT_EQ(wave.Format()->nSamplesPerSec, 22050u);
  EXPECT_EQ(wave.WaveSize(), 6);
}

TEST(WaveStreamTest, RejectsWhatIsNotAWave) {
  const auto open = [](const TWaveImage &image) {
    TMemoryStream stream;
    Put(stream, image);
    TWaveStream wave(&stream);
    wave.Open(false);
  };
  EXPECT_EQ(MessageOf<EWaveStreamError>([&] { open(TWaveImage().Riff("AVI ").Fmt(1, 8000, 8, 1)); }),
            "Wave is invalid");
  EXPECT_EQ(MessageOf<EWaveStreamError>([&] { open(TWaveImage().Raw("RIFX").U32(0).Raw("WAVE")); }), "Wave is invalid");
  EXPECT_EQ(MessageOf<EReadError>([&] { open(TWaveImage().Raw("RIFF").U32(0)); }), "Stream read error");
}

TEST(WaveStreamTest, ChunkLargerThanTheStreamIsAReadError) {
  for (const char *id : {"fmt ", "data", "junk"}) {
    TMemoryStream stream;
    Put(stream, TWaveImage().Riff().Fmt(2, 44100, 16, 4).Raw(id).U32(0xFFFFFFF0u).Raw("abcd"));
    TWaveStream wave(&stream);
    EXPECT_EQ(MessageOf<EReadError>([&] { wave.Open(false); }), "Stream read error") << id;
    EXPECT_LE(wave.FormatSize(), 16) << id;
  }
  // One byte short of the declared data is already too short.
  TMemoryStream stream;
  TWaveImage image = Pcm({});
  image.Raw("x");
  std::vector<uint8_t> bytes = image.Bytes();
  bytes[40] = 2; // data size 2, one byte present
  stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  stream.SetPosition(0);
  TWaveStream wave(&stream);
  EXPECT_THROW(wave.Open(false), EReadError);
}

TEST(WaveStreamTest, OpensImagesWithoutParts) {
  TMemoryStream empty;
  TWaveStream nothing(&empty);
  nothing.Open(false);
  EXPECT_EQ(nothing.FormatSize(), 0);
  EXPECT_EQ(nothing.WaveSize(), 0);

  TMemoryStream noData;
  Put(noData, TWaveImage().Riff().Fmt(1, 8000, 8, 1));
  TWaveStream withoutData(&noData);
  withoutData.Open(false);
  EXPECT_EQ(withoutData.WaveSize(), 0);

  // Without a usable format, whatever computes with it gets a clear error.
  TMemoryStream noFmt;
  Put(noFmt, TWaveImage().Riff().Chunk("data", Ramp(8)));
  TWaveStream withoutFmt(&noFmt);
  withoutFmt.Open(false);
  EXPECT_EQ(withoutFmt.FormatSize(), 0);
  EXPECT_EQ(withoutFmt.WaveSize(), 8);
  EXPECT_EQ(MessageOf<EWaveStreamError>([&] { withoutFmt.PcmFormat(); }), "Format is invalid");

  TMemoryStream zeroAlign;
  Put(zeroAlign, TWaveImage().Riff().Fmt(2, 44100, 16, 0).Chunk("data", Ramp(8)));
  TWaveStream withZeroAlign(&zeroAlign);
  withZeroAlign.Open(false);
  EXPECT_EQ(MessageOf<EWaveStreamError>([&] { withZeroAlign.PcmFormat(); }), "Format is invalid");
}

TEST(WaveStreamTest, OpenAndUseInTheRightOrder) {
  TMemoryStream stream;
  Put(stream, Pcm(Ramp(8)));
  TWaveStream wave(&stream);
  uint8_t byte;
  EXPECT_EQ(MessageOf<EWaveStreamError>([&] { wave.ReadWave(&byte, 1); }), "Stream not opend");
  EXPECT_EQ(MessageOf<EWaveStreamError>([&] { wave.WriteWave(&byte, 1); }), "Stream not opend");
  wave.Open(false);
  EXPECT_EQ(MessageOf<EWaveStreamError>([&] { wave.Open(false); }), "Stream has already been opened");

  TMemoryStream target;
  TWaveStream writer(&target);
  EXPECT_EQ(MessageOf<EWaveStreamError>([&] { writer.Open(true); }), "Format is invalid");
}

TEST(WaveStreamTest, PositionStaysInsideTheData) {
  TMemoryStream stream;
  Put(stream, Pcm(Ramp(100)));
  TWaveStream wave(&stream);
  wave.Open(false);
  uint8_t buffer[100];
  wave.SetPosition(90);
  EXPECT_EQ(wave.Read(buffer, 100), 10);
  EXPECT_EQ(buffer[0], Ramp(100)[90]);
  EXPECT_EQ(wave.Position(), 100);
  EXPECT_EQ(wave.Read(buffer, 100), 0);
  EXPECT_EQ(wave.Seek(-50, TStream::soFromBeginning), 0);
  EXPECT_EQ(wave.Seek(500, TStream::soFromBeginning), 100);
  EXPECT_EQ(wave.Seek(-30, TStream::soFromEnd), 70);
  EXPECT_EQ(wave.Seek(-80, TStream::soFromCurrent), 0);
  EXPECT_EQ(wave.Seek(5, 7), 0); // an unknown origin leaves the position
}

TEST(WaveStreamTest, WritingInReadModeReplacesSamplesInsideTheChunk) {
  TMemoryStream stream;
  TWaveImage image = Pcm(Ramp(8));
  image.Chunk("tail", {1, 2});
  Put(stream, image);
  TWaveStream wave(&stream);
  wave.Open(false);
  wave.SetPosition(6);
  const uint8_t ones[4] = {0xEE, 0xEE, 0xEE, 0xEE};
  EXPECT_EQ(wave.Write(ones, 4), 2);
  EXPECT_EQ(stream.Size(), int64_t(image.Bytes().size()));
  EXPECT_EQ(stream.Memory()[44 + 6], 0xEE);
  EXPECT_EQ(stream.Memory()[44 + 8], 't'); // the next chunk is untouched
}

TEST(WaveStreamTest, WrittenImageFollowsTheRiffRules) {
  for (int dataSize : {8, 7}) {
    TMemoryStream stream;
    stream.WriteBuffer("head", 4); // the image begins where the base stream stood
    {
      TWaveStream wave(&stream);
      wave.SetFormatSize(18);
      MakePcmFormat(*wave.Format(), 8000, 8, 1);
      wave.Open(true);
      const std::vector<uint8_t> data = Ramp(size_t(dataSize));
      wave.WriteBuffer(data.data(), dataSize);
      EXPECT_EQ(wave.WaveSize(), dataSize);
      wave.Finish();
    }
    const uint8_t *image = stream.Memory() + 4;
    const int64_t imageLength = stream.Size() - 4;
    EXPECT_EQ(imageLength, 12 + 8 + 18 + 8 + dataSize + 1); // the final zero byte is always there
    EXPECT_EQ(std::memcmp(image, "RIFF", 4), 0);
    // The RIFF size covers the image after its own field; the zero byte counts only as the pad
    // an odd data chunk needs.
    EXPECT_EQ(U32At(image + 4), uint32_t(imageLength - 8 - (dataSize % 2 ? 0 : 1))) << dataSize;
    EXPECT_EQ(std::memcmp(image + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(U32At(image + 16), 18u);
    EXPECT_EQ(std::memcmp(image + 38, "data", 4), 0);
    EXPECT_EQ(U32At(image + 42), uint32_t(dataSize));

    stream.SetPosition(4);
    TWaveStream reader(&stream);
    reader.Open(false);
    EXPECT_EQ(reader.WaveSize(), dataSize);
    EXPECT_EQ(reader.FormatSize(), 18);
  }
}

TEST(WaveFileStreamTest, WritesAndReadsAFile) {
  const std::string path = std::filesystem::temp_directory_path() / ("wave_file_" + std::to_string(getpid()) + ".wav");
  {
    TWaveFileStream wave(path.c_str(), TFileStream::fmCreate);
    wave.SetFormatSize(18);
    MakePcmFormat(*wave.Format(), 22050, 16, 1);
    wave.Open(true);
    const std::vector<uint8_t> data = Ramp(64);
    wave.WriteBuffer(data.data(), 64);
  }
  {
    TWaveFileStream wave(path.c_str(), TFileStream::fmOpenRead);
    wave.Open(false);
    EXPECT_EQ(wave.Format()->nSamplesPerSec, 22050u);
    std::vector<uint8_t> data(64);
    wave.ReadBuffer(data.data(), 64);
    EXPECT_EQ(data, Ramp(64));
  }
  std::filesystem::remove(path);
  EXPECT_EQ(MessageOf<EFOpenError>([&] { TWaveFileStream missing(path.c_str(), TFileStream::fmOpenRead); }),
            "Cannot open file " + path);
}
