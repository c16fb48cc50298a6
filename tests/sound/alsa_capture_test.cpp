#include "device/library_cache.h"
#include "framework/application.h"
#include "framework/thread.h"
#include "sound/capture_stream.h"
#include "support/capture_wait.h"
#include "support/tone_analysis.h"
#include "support/tone_player.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int OneSecond = 176400; // 44100 Hz, 16 bits, stereo

// Captures from the real default device through the private sound server, as the scope does:
// 44100/16/2, a 300 ms buffer and a handler that reads exactly what is waiting.
class AlsaCaptureTest : public testing::Test {
protected:
  void SetUp() override {
    if (!TestRuntime())
      GTEST_SKIP() << "needs the test sound server (tools/with-test-services)";
    ReleaseLibraries();
    Stream = std::make_unique<TSoundCaptureStream>();
    for (int i = 0; i < Stream->SupportedFormats().Count(); ++i) {
      const TSoundCaptureFormat &f = Stream->SupportedFormats().Items(i);
      if (f.SamplesPerSec == 44100 && f.BitsPerSample == 16 && f.Channels == 2)
        Stream->SetFormatIndex(i);
    }
    ASSERT_EQ(Stream->SupportedFormats().Count(), 56); // the sound server takes every candidate
    Stream->SetBufferMilliseconds(300);
    Stream->SetOnDataAvailable([this](TSoundCaptureStream *sender) {
      ++Calls;
      OffGuiThread += TThread::IsGuiThread() ? 0 : 1;
      const int64_t readable = sender->ReadableSize();
      ASSERT_LE(readable, int64_t(sizeof Staging));
      sender->ReadBuffer(Staging, readable);
      const auto *samples = reinterpret_cast<const int16_t *>(Staging);
      Captured.insert(Captured.end(), samples, samples + readable / 2);
    });
  }
  void TearDown() override {
    Stream.reset();
    ReleaseLibraries();
  }

  void Capture(int milliseconds) {
    ServeUntil([] { return false; }, milliseconds);
  }

  // The sound server takes a moment before its first block; what is measured starts after it.
  void StartCaptureAndWarmUp() {
    Stream->StartCapture();
    ASSERT_TRUE(ServeUntil([this] { return Calls > 0; }));
    Calls = 0;
    Captured.clear();
  }

  std::unique_ptr<TSoundCaptureStream> Stream;
  uint8_t Staging[52920];
  std::vector<int16_t> Captured;
  int Calls = 0;
  int OffGuiThread = 0;
};

} // namespace

TEST_F(AlsaCaptureTest, CapturesAToneThroughTheDefaultDevice) {
  TTonePlayer tone(1000, 0.5, 6);
  ASSERT_TRUE(tone.Start());
  StartCaptureAndWarmUp();
  EXPECT_EQ(Stream->CaptureBufferSize(), 52920);
  Capture(2000);
  Stream->StopCapture();

  EXPECT_EQ(OffGuiThread, 0);
  EXPECT_GE(Calls, 20);
  const double bytes = double(Captured.size() * 2);
  EXPECT_NEAR(bytes, 2.0 * OneSecond, 0.2 * 2 * OneSecond);
  double frequency;
  int peak;
  Analyse(Captured, 22050, frequency, peak); // the last half second: the tone has surely begun
  EXPECT_NEAR(frequency, 1000, 100);
  EXPECT_NEAR(peak, 16384, 16384 * 0.3);
}

TEST_F(AlsaCaptureTest, SurvivesTheSoundServerGoingAwayAndComingBack) {
  std::vector<std::string> reports;
  Application->OnException = [&](QObject *, const std::exception &e) { reports.push_back(e.what()); };
  StartCaptureAndWarmUp();
  Capture(500);
  ASSERT_GT(Calls, 0);
  ASSERT_TRUE(PulseServer("stop"));
  Capture(5000); // the capture buffer notices the device is gone; nothing hangs
  const int callsWhileGone = Calls;
  Capture(500);
  EXPECT_EQ(Calls, callsWhileGone); // no data, no notifications
  EXPECT_EQ(Stream->ReadableSize(), 0);
  // Said once, and the capture stopped.
  EXPECT_EQ(reports, std::vector<std::string>{"The sound card stopped recording"});
  EXPECT_FALSE(Stream->IsCapturing());
  Application->OnException = nullptr;
  try {
    Stream->StartCapture();
    ADD_FAILURE() << "a capture started without a sound server";
  } catch (const ESoundCaptureStreamError &e) {
    EXPECT_EQ(e.Message(), "Sound Capture Buffer cannot be made");
  }
  EXPECT_FALSE(Stream->IsCapturing());

  ASSERT_TRUE(PulseServer("start"));
  // A capture opened while the fresh server is still settling may stay silent; the user's next
  // start then works, and so does one here.
  bool delivering = false;
  Calls = 0;
  for (int attempt = 0; attempt < 5 && !delivering; ++attempt) {
    Stream->StartCapture();
    delivering = ServeUntil([this] { return Calls > 0; }, 3000);
  }
  ASSERT_TRUE(delivering);
  Calls = 0;
  Capture(1000);
  EXPECT_GE(Calls, 5);
}
