#include "device/library_cache.h"
#include "framework/application.h"
#include "platform/audio/virtual_playback.h"
#include "platform/audio/virtual_playback_buffer.h"
#include "sound/audio_file_stream.h"
#include "sound/direct_sound_buffer.h"
#include "support/capture_wait.h"
#include "support/memory_wave.h"

#include <filesystem>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <unistd.h>

namespace {

using testing::StrEq;
using testing::ThrowsMessage;

class AudioStreamTest : public testing::Test {
protected:
  void SetUp() override {
    ReleaseLibraries();
    Sound = std::make_unique<TDirectSound>(nullptr);
    Application->OnException = [this](QObject *, const std::exception &e) { Reports.push_back(e.what()); };
  }
  void TearDown() override {
    Application->OnException = nullptr;
    Sound.reset();
    ReleaseLibraries();
  }

  // A stream playing `wave` by hand: no refill thread.
  std::unique_ptr<TAudioStream> HandDriven(TCustomWaveStream &wave, int32_t milliseconds, bool looping) {
    auto stream = std::make_unique<TAudioStream>(*Sound);
    stream->SetAutoRefill(false);
    stream->SetBufferMilliseconds(milliseconds);
    stream->SetSource(&wave);
    stream->SetLooping(looping);
    return stream;
  }

  TVirtualPlaybackBuffer &Buffer() { return Device.Buffer(Device.BufferCount() - 1); }

  TVirtualPlayback Device;
  std::unique_ptr<TDirectSound> Sound;
  std::vector<std::string> Reports;
};

std::vector<uint8_t> Repeated(const std::vector<uint8_t> &bytes, size_t size) {
  std::vector<uint8_t> out(size);
  for (size_t i = 0; i < size; ++i)
    out[i] = bytes[i % bytes.size()];
  return out;
}

TWaveImage Stereo16(const std::vector<uint8_t> &data) {
  return TWaveImage().Riff().Fmt(2, 44100, 16, 4).Chunk("data", data);
}

// A wave stream that claims more data than it can deliver, as a file cut short would.
class TShortWave : public TCustomWaveStream {
public:
  TShortWave() { MakePcmFormat(FFormat, 44100, 16, 2); }
  TWaveFormatEx *Format() override { return &FFormat; }
  int64_t FormatSize() override { return 18; }
  void SetFormatSize(int64_t) override {}
  int64_t WaveSize() override { return 400000; }
  int64_t ReadWave(void *buffer, int64_t count) override {
    const int64_t n = std::clamp<int64_t>(200000 - FPosition, 0, count);
    std::memset(buffer, 1, size_t(n));
    return n;
  }

private:
  TWaveFormatEx FFormat;
};

// A wave stream whose reads raise `fail` once Failing is set, as a source may fail in any way.
class TFailingWave : public TCustomWaveStream {
public:
  explicit TFailingWave(std::function<void()> fail) : FFail(std::move(fail)) { MakePcmFormat(FFormat, 44100, 16, 2); }
  TWaveFormatEx *Format() override { return &FFormat; }
  int64_t FormatSize() override { return 18; }
  void SetFormatSize(int64_t) override {}
  int64_t WaveSize() override { return 400000; }
  int64_t ReadWave(void *buffer, int64_t count) override {
    if (Failing)
      FFail();
    std::memset(buffer, 1, size_t(count));
    return count;
  }
  bool Failing = false;

private:
  std::function<void()> FFail;
  TWaveFormatEx FFormat;
};

} // namespace

TEST_F(AudioStreamTest, SizesTheBufferFromTheFormatAndKeepsTheLimits) {
  TMemoryWave wave(Stereo16(Ramp(4000)));
  TAudioFileStream stream(*Sound);
  stream.SetSource(&wave.Stream());
  EXPECT_EQ(stream.BufferSize(), 176400);
  EXPECT_EQ(Device.LastBufferFlags, 0x100E0u);
  stream.SetBufferMilliseconds(5);
  EXPECT_EQ(stream.BufferMilliseconds(), 10);
  EXPECT_EQ(stream.BufferSize(), 1764);
  stream.SetBufferMilliseconds(1000);
  stream.StartPlayback();
  ASSERT_NE(stream.NotifyThread(), nullptr);
  EXPECT_EQ(stream.NotifyThread()->NotifyInterval(), 50);
  stream.StopPlayback();
  EXPECT_EQ(stream.NotifyThread(), nullptr);

  stream.SetPosition(10001);
  EXPECT_EQ(stream.Position(), 3996); // beyond the data: the start of the last block
  TMemoryWave longer(Stereo16(Ramp(20000)));
  stream.SetSource(&longer.Stream());
  stream.SetPosition(10001);
  EXPECT_EQ(stream.Position(), 10000);
  stream.SetPosition(-3);
  EXPECT_EQ(stream.Position(), 0);
  stream.SetPosition(50000);
  EXPECT_EQ(stream.Position(), 19996);
}

TEST_F(AudioStreamTest, WithoutASourceItSaysSo) {
  TAudioStream stream(*Sound);
  EXPECT_THAT([&] { stream.StartPlayback(); }, ThrowsMessage<EAudioStreamError>(StrEq("WaveStream not set")));
  EXPECT_THAT([&] { stream.SetPosition(0); }, ThrowsMessage<EAudioStreamError>(StrEq("WaveStream not set")));
  EXPECT_THAT([&] { stream.Format(); }, ThrowsMessage<EAudioStreamError>(StrEq("WaveStream not set")));
  EXPECT_THAT([&] { stream.SetLooping(true); }, ThrowsMessage<EAudioStreamError>(StrEq("WaveStream not set")));
  EXPECT_TRUE(stream.Looping());
  EXPECT_EQ(stream.WaveSize(), 0);

  TMemoryWave empty(TWaveImage().Riff().Fmt(2, 44100, 16, 4).Chunk("data", {}));
  stream.SetSource(&empty.Stream());
  stream.StartPlayback(); // nothing to play: not started, no error
  EXPECT_FALSE(stream.IsPlaying());

  Device.FailCreateBuffer = true;
  TMemoryWave wave(Stereo16(Ramp(400)));
  EXPECT_THAT([&] { stream.SetSource(&wave.Stream()); },
              ThrowsMessage<EDirectSoundBufferError>(StrEq("Sound Buffer cannot be made")));
  EXPECT_EQ(stream.Source(), nullptr);
}

TEST_F(AudioStreamTest, ALoopingSourceShorterThanTheBufferFillsItSeveralTimesOver) {
  const std::vector<uint8_t> data = Ramp(1000);
  TMemoryWave wave(Stereo16(data));
  auto stream = HandDriven(wave.Stream(), 100, true); // 17640 bytes
  stream->StartPlayback();
  ASSERT_TRUE(stream->IsPlaying());
  // Each refill goes on where the source left off, around its end as often as needed.
  Device.Advance(10000);
  stream->Refill();
  Device.Advance(6000);
  stream->Refill();
  Device.Advance(17640);
  EXPECT_EQ(Buffer().PlayedBytes(), Repeated(data, 10000 + 6000 + 17640));
  EXPECT_EQ(stream->PlayedBytes(), 16000);
  EXPECT_EQ(stream->Position(), 16000 % 1000);
}

TEST_F(AudioStreamTest, ANonLoopingEndIsFollowedBySilenceAndStopsAtTheNextRefill) {
  for (const uint16_t bits : {uint16_t(8), uint16_t(16)}) {
    const std::vector<uint8_t> data(3000, 0x55);
    const uint16_t align = uint16_t(2 * bits / 8);
    TMemoryWave wave(TWaveImage().Riff().Fmt(2, 8000, bits, align).Chunk("data", data));
    auto stream = HandDriven(wave.Stream(), 1000, false);
    stream->StartPlayback();
    Device.Advance(4000);
    stream->Refill(); // queues silence and reaches the end of the source
    EXPECT_TRUE(stream->IsPlaying());
    std::vector<uint8_t> expected(8000, bits == 8 ? 0x80 : 0x00);
    std::fill_n(expected.begin(), 3000, 0x55);
    EXPECT_EQ(Buffer().PlayedBytes(), std::vector<uint8_t>(expected.begin(), expected.begin() + 4000)) << bits;
    Device.Advance(4000);
    EXPECT_EQ(Buffer().PlayedBytes(), expected) << bits << " bits";
    stream->Refill();
    EXPECT_FALSE(stream->IsPlaying());
    EXPECT_FALSE(Buffer().Playing());
  }
}

TEST_F(AudioStreamTest, ClearingAutoRefillEndsTheThreadButTheBufferPlaysOn) {
  const std::vector<uint8_t> data = Ramp(400);
  TMemoryWave wave(Stereo16(data));
  TAudioStream stream(*Sound);
  stream.SetBufferMilliseconds(10);
  stream.SetSource(&wave.Stream());
  stream.SetLooping(true);
  stream.StartPlayback();
  ASSERT_NE(stream.NotifyThread(), nullptr);
  stream.SetAutoRefill(false);
  EXPECT_EQ(stream.NotifyThread(), nullptr);
  EXPECT_TRUE(stream.IsPlaying());
  // The buffer repeats what it holds (1764 bytes: the source from where it began) until a refill.
  Device.Advance(1764 * 2);
  const std::vector<uint8_t> first(Buffer().PlayedBytes().begin(), Buffer().PlayedBytes().begin() + 1764);
  EXPECT_EQ(first, Repeated(data, 1764));
  EXPECT_TRUE(std::equal(first.begin(), first.end(), Buffer().PlayedBytes().begin() + 1764));
  stream.SetAutoRefill(true);
  EXPECT_NE(stream.NotifyThread(), nullptr);
}

TEST_F(AudioStreamTest, TheThreadKeepsTheBufferFedFromTheGuiThread) {
  const std::vector<uint8_t> data = Ramp(4000);
  TMemoryWave wave(Stereo16(data));
  TAudioStream stream(*Sound);
  stream.SetBufferMilliseconds(40); // 7056 bytes, a refill every 10 ms
  stream.SetSource(&wave.Stream());
  stream.SetLooping(true);
  stream.StartPlayback();
  // The device never runs more than half a buffer ahead of what the refills have seen, so each
  // byte it plays has been written in time.
  const auto play = [&] {
    if (Buffer().PlayedBytes().size() < size_t(stream.PlayedBytes()) + 3000)
      Device.Advance(400);
  };
  ASSERT_TRUE(ServeUntil([&] { return stream.PlayedBytes() >= 40000; }, 20000, play));
  EXPECT_TRUE(Reports.empty());
  EXPECT_EQ(Buffer().PlayedBytes(), Repeated(data, Buffer().PlayedBytes().size()));
}

TEST_F(AudioStreamTest, ASourceCutShortStopsFromInsideTheRefillAndReportsIt) {
  TShortWave wave;
  TAudioStream stream(*Sound);
  stream.SetBufferMilliseconds(40);
  stream.SetSource(&wave);
  stream.StartPlayback();
  // The refill that runs into the missing data asks for the stop from inside its step; the stop
  // happens after the step, through the thread's end, without waiting for itself.
  ASSERT_TRUE(ServeUntil([&] { return !stream.IsPlaying(); }, 20000, [&] { Device.Advance(2000); }));
  EXPECT_EQ(Reports, std::vector<std::string>{"Stream read error"});
  EXPECT_EQ(stream.NotifyThread(), nullptr);
  EXPECT_FALSE(Buffer().Playing());
  stream.StartPlayback(); // and it can start again
  EXPECT_TRUE(stream.IsPlaying());
}

TEST_F(AudioStreamTest, ASourceThatThrowsAnythingIsReportedAndStopsThePlayback) {
  // The program's own errors, the standard library's and anything else thrown.
  const std::vector<std::pair<std::function<void()>, std::string>> failures = {
      {[] { throw Exception("disk gone"); }, "disk gone"},
      {[] { throw std::runtime_error("no memory left"); }, "no memory left"},
      {[] { throw 42; }, "Unknown error"},
  };
  for (const auto &[fail, report] : failures) {
    Reports.clear();
    TFailingWave wave(fail);
    TAudioStream stream(*Sound);
    stream.SetBufferMilliseconds(40);
    stream.SetSource(&wave);
    stream.StartPlayback();
    wave.Failing = true;
    ASSERT_TRUE(ServeUntil([&] { return !stream.IsPlaying(); }, 20000, [&] { Device.Advance(2000); })) << report;
    EXPECT_EQ(Reports, std::vector<std::string>{report});
    EXPECT_EQ(stream.NotifyThread(), nullptr);
    EXPECT_FALSE(Buffer().Playing());
  }
}

TEST_F(AudioStreamTest, AFileThatIsMissingOrNotAWaveLeavesNoSource) {
  const std::string path = std::filesystem::temp_directory_path() / ("audio_" + std::to_string(getpid()) + ".wav");
  TAudioFileStream stream(*Sound);
  EXPECT_THAT([&] { stream.SetSourceFileName(path); }, ThrowsMessage<EFOpenError>(StrEq("Cannot open file " + path)));
  EXPECT_EQ(stream.SourceFileName(), "");
  {
    TFileStream file(path.c_str(), TFileStream::fmCreate);
    TWaveImage().Riff("AVI ").WriteTo(file);
  }
  EXPECT_THAT([&] { stream.SetSourceFileName(path); }, ThrowsMessage<EWaveStreamError>(StrEq("Wave is invalid")));
  EXPECT_EQ(stream.Source(), nullptr);
  {
    TFileStream file(path.c_str(), TFileStream::fmCreate);
    Stereo16(Ramp(4000)).WriteTo(file);
  }
  stream.SetSourceFileName(path);
  EXPECT_EQ(stream.WaveSize(), 4000);
  EXPECT_EQ(stream.Format().wBitsPerSample, 16);
  std::filesystem::remove(path);
}
