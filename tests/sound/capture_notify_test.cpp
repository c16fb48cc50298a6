#include "device/library_cache.h"
#include "framework/application.h"
#include "framework/thread.h"
#include "platform/audio/virtual_capture.h"
#include "sound/capture_stream.h"
#include "support/capture_wait.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class CaptureNotifyTest : public testing::Test {
protected:
  void SetUp() override {
    ReleaseLibraries();
    Device.SetSine(0, 1000, 0.5);
    Application->OnException = [this](QObject *, const std::exception &e) { Reports.push_back(e.what()); };
  }
  void TearDown() override {
    ReleaseLibraries();
    Application->OnException = nullptr;
  }

  // A capturing 8000/8/1 stream with a 300 ms buffer.
  std::unique_ptr<TSoundCaptureStream> Stream() {
    auto stream = std::make_unique<TSoundCaptureStream>();
    stream->SetBufferMilliseconds(300);
    return stream;
  }

  // Serves steps while the virtual clock runs, until `done`.
  bool Run(const std::function<bool()> &done) {
    return ServeUntil(done, 10000, [this] { Device.Advance(5); });
  }

  // Lets several notification intervals pass.
  void Settle() {
    ServeUntil([] { return false; }, 300, [this] { Device.Advance(5); });
  }

  // A handler that reads all that is waiting, as the scope's does, and counts its calls.
  TSoundCaptureStream::TDataAvailableEvent Reader(int &calls) {
    return [&calls](TSoundCaptureStream *sender) {
      ++calls;
      EXPECT_TRUE(TThread::IsGuiThread());
      std::vector<uint8_t> buffer(size_t(sender->ReadableSize()));
      sender->ReadBuffer(buffer.data(), int64_t(buffer.size()));
    };
  }

  TVirtualCapture Device;
  std::vector<std::string> Reports;
};

} // namespace

TEST_F(CaptureNotifyTest, HandlerRunsOnTheGuiThreadWhileDataArrives) {
  auto stream = Stream();
  int calls = 0;
  stream->SetOnDataAvailable(Reader(calls));
  stream->StartCapture();
  ASSERT_TRUE(Run([&] { return calls >= 5; }));
  stream->StopCapture();
  EXPECT_EQ(stream->NotifyThread(), nullptr);
  EXPECT_EQ(Device.BufferCount(), 0);
  const int stopped = calls;
  Settle(); // nothing more once stopped
  EXPECT_EQ(calls, stopped);
  EXPECT_TRUE(Reports.empty());
}

TEST_F(CaptureNotifyTest, WithoutHandlerNoThreadAndNoCalls) {
  auto stream = Stream();
  stream->StartCapture();
  EXPECT_EQ(stream->NotifyThread(), nullptr);
  Device.Advance(100);
  EXPECT_GT(stream->ReadableSize(), 0); // data waits for the owner to pull it
}

TEST_F(CaptureNotifyTest, FailingHandlerIsReportedOnceAndStopsTheCapture) {
  // The program's own errors, the standard library's and anything else thrown.
  const std::vector<std::pair<std::function<void()>, std::string>> failures = {
      {[] { throw Exception("handler failed"); }, "handler failed"},
      {[] { throw std::runtime_error("no memory left"); }, "no memory left"},
      {[] { throw 42; }, "Unknown error"},
  };
  for (const auto &[fail, report] : failures) {
    Reports.clear();
    auto stream = Stream();
    int calls = 0;
    stream->SetOnDataAvailable([&](TSoundCaptureStream *) {
      ++calls;
      fail();
    });
    stream->StartCapture();
    ASSERT_TRUE(Run([&] { return calls > 0; })) << report;
    // Stopped at once, by the step on the GUI thread.
    EXPECT_FALSE(stream->IsCapturing());
    EXPECT_EQ(Device.BufferCount(), 0);
    Settle();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Reports, std::vector<std::string>{report});

    // The stream stays usable.
    int good = 0;
    stream->SetOnDataAvailable(Reader(good));
    stream->StartCapture();
    EXPECT_TRUE(Run([&] { return good >= 2; })) << report;
  }
}

TEST_F(CaptureNotifyTest, ADeviceThatGoesAwayIsReportedOnceAndStopsTheCapture) {
  auto stream = Stream();
  int calls = 0;
  stream->SetOnDataAvailable(Reader(calls));
  stream->StartCapture();
  ASSERT_TRUE(Run([&] { return calls > 0; }));
  Device.FailGetPosition = true;
  ASSERT_TRUE(Run([&] { return !stream->IsCapturing(); }));
  EXPECT_EQ(Device.BufferCount(), 0);
  Settle();
  EXPECT_EQ(Reports, std::vector<std::string>{"The sound card stopped recording"});
  Device.FailGetPosition = false;
  const int before = calls;
  stream->StartCapture(); // it can start again once the device is back
  EXPECT_TRUE(Run([&] { return calls > before; }));
}

TEST_F(CaptureNotifyTest, ReplacingTheHandlerKeepsCapturing) {
  auto stream = Stream();
  int first = 0;
  int second = 0;
  stream->SetOnDataAvailable(Reader(first));
  stream->StartCapture();
  ASSERT_TRUE(Run([&] { return first > 0; }));
  stream->SetOnDataAvailable(Reader(second));
  EXPECT_TRUE(stream->IsCapturing());
  const int firstBefore = first;
  ASSERT_TRUE(Run([&] { return second >= 3; }));
  EXPECT_EQ(first, firstBefore);

  stream->SetOnDataAvailable(nullptr); // clearing it stops the capture cleanly
  EXPECT_FALSE(stream->IsCapturing());
  EXPECT_EQ(stream->NotifyThread(), nullptr);
  EXPECT_EQ(Device.BufferCount(), 0);

  // A handler given to a stream that captures without one gets a thread of its own.
  stream->StartCapture();
  ASSERT_EQ(stream->NotifyThread(), nullptr);
  int third = 0;
  stream->SetOnDataAvailable(Reader(third));
  EXPECT_TRUE(Run([&] { return third >= 2; }));
}

TEST_F(CaptureNotifyTest, HandlerMayStopOrRestartTheCapture) {
  auto stream = Stream();
  int calls = 0;
  stream->SetOnDataAvailable([&](TSoundCaptureStream *sender) {
    if (++calls == 1)
      sender->StopCapture(); // from inside its own step: must not wait for itself
  });
  stream->StartCapture();
  ASSERT_TRUE(Run([&] { return calls > 0; }));
  EXPECT_FALSE(stream->IsCapturing());

  int restarts = 0;
  stream->SetOnDataAvailable([&](TSoundCaptureStream *sender) {
    if (++restarts < 3)
      sender->StartCapture();
    else
      sender->ReadBuffer(nullptr, 0);
  });
  stream->StartCapture();
  EXPECT_TRUE(Run([&] { return restarts >= 4; }));
  EXPECT_TRUE(stream->IsCapturing());
  stream.reset(); // destruction ends whatever thread is left
  EXPECT_EQ(Device.BufferCount(), 0);
}
