#include "device/device_base.h"
#include "device/library_cache.h"
#include "framework/application.h"
#include "platform/audio/virtual_capture.h"
#include "sound/capture_stream.h"
#include "support/capture_wait.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <numeric>

namespace {

class CaptureStreamTest : public testing::Test {
protected:
  void SetUp() override { ReleaseLibraries(); } // the next lookup finds the virtual device
  void TearDown() override {
    ReleaseLibraries();
    Application->OnException = nullptr;
  }

  // Failures the application reports end up here instead of in a message box.
  void RecordReports() {
    Application->OnException = [this](QObject *, const std::exception &e) { Reports.push_back(e.what()); };
  }

  // The stream at the format `rate`/`bits`/`channels`, the only one the device accepts.
  std::unique_ptr<TSoundCaptureStream> StreamFor(uint32_t rate, uint16_t bits, uint16_t channels) {
    Device.Accepts = [=](const TWaveFormatEx &f) {
      return f.nSamplesPerSec == rate && f.wBitsPerSample == bits && f.nChannels == channels;
    };
    auto stream = std::make_unique<TSoundCaptureStream>();
    EXPECT_EQ(stream->SupportedFormats().Count(), 1);
    return stream;
  }

  TVirtualCapture Device;
  std::vector<std::string> Reports;
};

std::vector<uint8_t> Ramp() {
  std::vector<uint8_t> bytes(251);
  std::iota(bytes.begin(), bytes.end(), uint8_t(0));
  return bytes;
}

} // namespace

TEST_F(CaptureStreamTest, ListsAcceptedFormatsInFixedOrder) {
  Device.Accepts = [](const TWaveFormatEx &f) {
    return (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) &&
           (f.nSamplesPerSec == 11025 || f.nSamplesPerSec == 22050 || f.nSamplesPerSec == 44100);
  };
  TSoundCaptureStream stream;
  std::vector<std::array<int, 3>> listed;
  for (int i = 0; i < stream.SupportedFormats().Count(); ++i) {
    const TSoundCaptureFormat &f = stream.SupportedFormats().Items(i);
    listed.push_back({f.SamplesPerSec, f.BitsPerSample, f.Channels});
  }
  const std::vector<std::array<int, 3>> expected{{11025, 8, 1}, {11025, 8, 2}, {11025, 16, 1}, {11025, 16, 2},
                                                 {22050, 8, 1}, {22050, 8, 2}, {22050, 16, 1}, {22050, 16, 2},
                                                 {44100, 8, 1}, {44100, 8, 2}, {44100, 16, 1}, {44100, 16, 2}};
  EXPECT_EQ(listed, expected);
  EXPECT_THAT([&] { stream.SupportedFormats().Items(12); },
              testing::ThrowsMessage<EListError>(testing::StrEq("List index out of bounds (12)")));
  EXPECT_EQ(Device.BufferCount(), 0); // every trial buffer was released

  Device.Accepts = nullptr;
  EXPECT_EQ(TSoundCaptureStream().SupportedFormats().Count(), 56);
  Device.Accepts = [](const TWaveFormatEx &) { return false; };
  TSoundCaptureStream none;
  EXPECT_EQ(none.SupportedFormats().Count(), 0);
  EXPECT_THAT([&] { none.StartCapture(); },
              testing::ThrowsMessage<EListError>(testing::StrEq("List index out of bounds (0)")));
  EXPECT_FALSE(none.IsCapturing());
}

TEST_F(CaptureStreamTest, DeviceFailuresRaiseTheirMessages) {
  Device.NoDevice = true;
  EXPECT_THAT([] { TSoundCaptureStream stream; }, testing::ThrowsMessage<ESoundCaptureStreamError>(
                                                      testing::StrEq("DirectSoundCapture cannot be initialized")));
  Device.NoDevice = false;

  TSoundCaptureStream stream;
  Device.FailCreateBuffer = true;
  EXPECT_THAT([&] { stream.StartCapture(); },
              testing::ThrowsMessage<ESoundCaptureStreamError>(testing::StrEq("Sound Capture Buffer cannot be made")));
  EXPECT_FALSE(stream.IsCapturing());
  Device.FailCreateBuffer = false;
  stream.SetFormatIndex(99);
  EXPECT_THAT([&] { stream.StartCapture(); },
              testing::ThrowsMessage<EListError>(testing::StrEq("List index out of bounds (99)")));

  ReleaseLibraries();
  RegisterModule("DSound.dll", [] {
    return std::make_unique<TPlatformModule>(std::initializer_list<std::pair<const std::string, TEntryPoint>>{});
  });
  EXPECT_THAT([] { TSoundCaptureStream stream; },
              testing::ThrowsMessage<EDirectXError>(testing::StrEq("Necessary since DirectX 5")));
}

TEST_F(CaptureStreamTest, BufferSizeAndNotifyIntervalFollowTheFormat) {
  auto stream = StreamFor(44100, 16, 2);
  stream->SetBufferMilliseconds(300);
  stream->SetOnDataAvailable([](TSoundCaptureStream *) {});
  stream->StartCapture();
  EXPECT_EQ(stream->CaptureBufferSize(), 52920);
  ASSERT_NE(stream->NotifyThread(), nullptr);
  EXPECT_EQ(stream->NotifyThread()->NotifyInterval(), 50);
  EXPECT_EQ(stream->Format()->nAvgBytesPerSec, 176400u);

  auto small = StreamFor(8000, 8, 1);
  small->SetBufferMilliseconds(10);
  small->SetOnDataAvailable([](TSoundCaptureStream *) {});
  small->StartCapture();
  EXPECT_EQ(small->CaptureBufferSize(), 8000);
  EXPECT_EQ(small->NotifyThread()->NotifyInterval(), 2);

  small->SetBufferMilliseconds(-5);
  EXPECT_EQ(small->BufferMilliseconds(), 0);
}

TEST_F(CaptureStreamTest, WrappingReadCopiesBothRegionsInOrder) {
  Device.SetBytes(Ramp());
  auto stream = StreamFor(8000, 8, 1); // one second is 8000 bytes
  stream->StartCapture();
  ASSERT_EQ(stream->CaptureBufferSize(), 8000);
  std::vector<uint8_t> buffer(8000);
  Device.Advance(900);
  ASSERT_EQ(stream->ReadableSize(), 7200);
  stream->ReadBuffer(buffer.data(), 7200);
  Device.Advance(200); // the device's cursor passes the end of the buffer
  ASSERT_EQ(stream->ReadableSize(), 1600);
  stream->ReadBuffer(buffer.data(), 1600);
  for (int i = 0; i < 1600; ++i)
    ASSERT_EQ(buffer[size_t(i)], Ramp()[size_t((7200 + i) % 251)]) << i;
  EXPECT_EQ(stream->ReadPosition(), 800);
  EXPECT_EQ(stream->ReadableSize(), 0);
}

TEST_F(CaptureStreamTest, UndeliverableBytesAreSilence) {
  struct TCase {
    uint16_t Bits;
    uint8_t Silence;
  };
  for (const TCase c : {TCase{8, 0x80}, TCase{16, 0}, TCase{24, 0}, TCase{32, 0}}) {
    Device.SetBytes({0x11});
    auto stream = StreamFor(8000, c.Bits, 2);
    stream->StartCapture();
    Device.Advance(10);
    const int32_t before = stream->ReadPosition();
    Device.FailLock = true;
    std::vector<uint8_t> buffer(100, 0x55);
    EXPECT_EQ(stream->Read(buffer.data(), 100), 100);
    EXPECT_EQ(buffer, std::vector<uint8_t>(100, c.Silence)) << c.Bits;
    EXPECT_EQ(stream->ReadPosition(), before);
    Device.FailLock = false;

    // A device that cannot tell its position delivers no more: the read ends instead of waiting.
    Device.FailGetPosition = true;
    EXPECT_EQ(stream->ReadableSize(), 0);
    buffer.assign(100, 0x55);
    EXPECT_EQ(stream->Read(buffer.data(), 100), 100);
    EXPECT_EQ(buffer, std::vector<uint8_t>(100, c.Silence));
    Device.FailGetPosition = false;
  }
}

TEST_F(CaptureStreamTest, ReadOnAnIdleStreamStartsCapturing) {
  TSoundCaptureStream stream;
  ASSERT_FALSE(stream.IsCapturing());
  uint8_t byte;
  EXPECT_EQ(stream.Read(&byte, 0), 0);
  EXPECT_TRUE(stream.IsCapturing());
  EXPECT_EQ(Device.BufferCount(), 1);
  stream.StopCapture();
  EXPECT_EQ(Device.BufferCount(), 0);
}
