#include "device/library_cache.h"
#include "framework/application.h"
#include "sound/audio_stream.h"
#include "sound/capture_stream.h"
#include "sound/direct_sound_buffer.h"
#include "sound/wave_format.h"
#include "support/capture_wait.h"
#include "support/memory_wave.h"
#include "support/tone_analysis.h"
#include "support/tone_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// Plays through the real default device to the private sound server and records its sink's
// monitor, as the calibration test and the scope do together.
class AlsaPlaybackTest : public testing::Test {
protected:
  void SetUp() override {
    if (!TestRuntime())
      GTEST_SKIP() << "needs the test sound server (tools/with-test-services)";
    ReleaseLibraries();
    Application->OnException = [this](QObject *, const std::exception &e) { Reports.push_back(e.what()); };
    Sound = std::make_unique<TDirectSound>(nullptr);
    Stream = std::make_unique<TAudioStream>(*Sound);
    Stream->SetSource(&Tone.Stream());
    Stream->SetLooping(true);
  }
  void TearDown() override {
    Capture.reset();
    Stream.reset();
    Sound.reset();
    Application->OnException = nullptr;
    ReleaseLibraries();
  }

  void StartCapture() {
    Capture = std::make_unique<TSoundCaptureStream>();
    for (int i = 0; i < Capture->SupportedFormats().Count(); ++i) {
      const TSoundCaptureFormat &f = Capture->SupportedFormats().Items(i);
      if (f.SamplesPerSec == 44100 && f.BitsPerSample == 16 && f.Channels == 2)
        Capture->SetFormatIndex(i);
    }
    Capture->SetBufferMilliseconds(300);
    Capture->SetOnDataAvailable([this](TSoundCaptureStream *sender) {
      const int64_t readable = sender->ReadableSize();
      sender->ReadBuffer(Staging, readable);
      const auto *samples = reinterpret_cast<const int16_t *>(Staging);
      Captured.insert(Captured.end(), samples, samples + readable / 2);
    });
    Capture->StartCapture();
  }

  TMemoryWave Tone{HalfScaleTone()};
  std::unique_ptr<TDirectSound> Sound;
  std::unique_ptr<TAudioStream> Stream;
  std::unique_ptr<TSoundCaptureStream> Capture;
  uint8_t Staging[52920];
  std::vector<int16_t> Captured;
  std::vector<std::string> Reports;
};

} // namespace

TEST_F(AlsaPlaybackTest, ALoopingToneComesBackOnCaptureAtItsFrequencyAndLevel) {
  StartCapture();
  Stream->StartPlayback();
  ASSERT_TRUE(Stream->IsPlaying());
  // Past the server's start-up, and across several loops of the one-second source.
  ASSERT_TRUE(ServeUntil([this] { return Stream->PlayedBytes() > 3 * 176400; }, 20000));
  // The play cursor keeps to the sound that comes out: capture, begun before the playback, has
  // nearly as much by now. A cursor that runs ahead of the device drops sound on the way.
  EXPECT_GT(Captured.size(), 3 * 88200 / 2);
  const size_t from = Captured.size();
  ServeUntil([&] { return Captured.size() > from + 2 * 44100; }, 10000);
  Stream->StopPlayback();

  EXPECT_TRUE(Reports.empty());
  double frequency;
  int peak;
  Analyse(Captured, 44100, frequency, peak);
  EXPECT_NEAR(frequency, 1000, 20);
  EXPECT_NEAR(peak, 16384, 16384 * 0.1); // the server's volumes are at 100 %
}

TEST_F(AlsaPlaybackTest, TheSoundServerStoppingMidPlaybackGivesErrorCodesNotAHang) {
  Stream->StartPlayback();
  ASSERT_TRUE(ServeUntil([this] { return Stream->PlayedBytes() > 176400 / 2; }, 20000));
  ASSERT_TRUE(PulseServer("stop"));
  // The buffer notices the device has gone; the refills go on without a crash, their calls fail.
  ASSERT_TRUE(ServeUntil(
      [this] {
        void *region1, *region2;
        uint32_t bytes1, bytes2;
        return !Stream->SoundBuffer().Lock(0, 4, 0, region1, bytes1, region2, bytes2);
      },
      15000));
  EXPECT_EQ(Stream->SoundBuffer().DXResult(), DSERR_BUFFERLOST);
  EXPECT_FALSE(Stream->SoundBuffer().Play(DSBPLAY_LOOPING));
  Stream->StopPlayback();
  EXPECT_FALSE(Stream->IsPlaying());
  ASSERT_TRUE(PulseServer("start"));
}

TEST_F(AlsaPlaybackTest, ASoundShorterThanTheDeviceBufferIsHeardToo) {
  StartCapture();
  ASSERT_TRUE(ServeUntil([this] { return Captured.size() > 2 * 4410; }, 5000)); // the server records
  // 20 ms of the tone, played once: less than the device buffer, which the device waits to fill
  // before it starts, and short enough to vanish in an underrun at the start.
  const TWaveImage tone = HalfScaleTone();
  const size_t dataStart = 44;
  TWaveFormatEx format;
  TDirectSoundBuffer blip(*Sound);
  blip.LoadPcm(MakePcmFormat(format, 44100, 16, 2), tone.Bytes().data() + dataStart, 3528);
  ASSERT_TRUE(blip.Play(0));

  const auto loudest = [this] {
    int peak = 0;
    for (const int16_t sample : Captured)
      peak = std::max(peak, std::abs(int(sample)));
    return peak;
  };
  EXPECT_TRUE(ServeUntil([&] { return loudest() > 16384 * 0.9; }, 5000)) << "the loudest sample was " << loudest();
}
