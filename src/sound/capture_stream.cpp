#include "sound/capture_stream.h"

#include "device/device_base.h"
#include "device/library_cache.h"
#include "framework/application.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

constexpr int32_t CandidateRates[] = {8000, 11025, 22050, 33075, 44100, 48000, 96000};
constexpr int32_t CandidateBits[] = {8, 16, 24, 32};
constexpr int32_t CandidateChannels[] = {1, 2};
constexpr int32_t MinimumCaptureBufferSize = 8000;
constexpr auto ReadPollInterval = std::chrono::milliseconds(50);
constexpr uint32_t DescriptionSize = 20;

// a * b / c in 64 bits, rounded to the nearest integer; -1 when the result does not fit.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0)
    return -1;
  const int64_t product = int64_t(a) * b;
  const int64_t half = (c > 0 ? c : -c) / 2;
  const int64_t result = ((product < 0) != (c < 0) ? product - half : product + half) / c;
  return result > INT32_MAX || result < INT32_MIN ? -1 : int32_t(result);
}

// Resets the stepping mark however the step ends.
class TSteppingMark {
public:
  TSteppingMark(TSoundCaptureStreamNotify *&mark, TSoundCaptureStreamNotify *thread) : FMark(mark) { FMark = thread; }
  ~TSteppingMark() { FMark = nullptr; }
  TSteppingMark(const TSteppingMark &) = delete;
  TSteppingMark &operator=(const TSteppingMark &) = delete;

private:
  TSoundCaptureStreamNotify *&FMark;
};

} // namespace

TSoundCaptureStream::TSoundCaptureStream(const TGUID *device) {
  TDirectSoundCaptureCreate *create;
  try {
    create = DXLoadEntryPoint<TDirectSoundCaptureCreate>("DSound.dll", "DirectSoundCaptureCreate");
  } catch (const Exception &) {
    throw EDirectXError("Necessary since DirectX 5");
  }
  if (create(device, &FCaptureDevice, nullptr) != S_OK || !FCaptureDevice)
    throw ESoundCaptureStreamError("%s cannot be initialized", "DirectSoundCapture");

  // The scope relies on this order: by rate, then bit depth, then mono before stereo.
  for (const int32_t rate : CandidateRates)
    for (const int32_t bits : CandidateBits)
      for (const int32_t channels : CandidateChannels) {
        TWaveFormatEx format;
        MakePcmFormat(format, uint32_t(rate), uint16_t(bits), uint16_t(channels));
        const TDSCBufferDesc description{DescriptionSize, 0, format.nAvgBytesPerSec, 0, &format};
        std::shared_ptr<IDirectSoundCaptureBuffer> trial;
        if (FCaptureDevice->CreateCaptureBuffer(&description, trial, nullptr) != S_OK || !trial)
          continue;
        FSupportedFormats.Add(TSoundCaptureFormat{bits, channels, rate});
      }
}

TSoundCaptureStream::~TSoundCaptureStream() { StopCapture(); }

void TSoundCaptureStream::SetBufferMilliseconds(int32_t milliseconds) {
  FBufferMilliseconds = std::max(milliseconds, 0);
}

void TSoundCaptureStream::SetOnDataAvailable(TDataAvailableEvent handler) {
  if (!FIsCapturing) {
    FOnDataAvailable = std::move(handler);
    return;
  }
  // The old thread ends without taking the capture with it; a new one serves the new handler.
  EndNotifyThread();
  FOnDataAvailable = std::move(handler);
  if (FOnDataAvailable)
    StartNotifyThread();
  else
    StopCapture();
}

void TSoundCaptureStream::StartCapture() {
  StopCapture();
  FIsCapturing = true;
  try {
    SetFormatSize(sizeof(TWaveFormatEx));
    const TSoundCaptureFormat &item = FSupportedFormats.Items(FFormatIndex);
    MakePcmFormat(*Format(), uint32_t(item.SamplesPerSec), uint16_t(item.BitsPerSample), uint16_t(item.Channels));
    FCaptureBufferSize =
        std::max(MulDiv(int32_t(Format()->nAvgBytesPerSec), FBufferMilliseconds, 1000), MinimumCaptureBufferSize);
    const TDSCBufferDesc description{DescriptionSize, 0, uint32_t(FCaptureBufferSize), 0, Format()};
    std::shared_ptr<IDirectSoundCaptureBuffer> buffer;
    if (FCaptureDevice->CreateCaptureBuffer(&description, buffer, nullptr) != S_OK || !buffer)
      throw ESoundCaptureStreamError("%s cannot be made", "Sound Capture Buffer");
    FCaptureBuffer = std::move(buffer);
    FReadPosition = 0;
    FCaptureBuffer->Start(DSCBSTART_LOOPING);
    if (FOnDataAvailable)
      StartNotifyThread();
  } catch (...) {
    StopCapture();
    throw;
  }
}

void TSoundCaptureStream::StopCapture() {
  if (!FIsCapturing)
    return;
  // The thread goes first: a step it asks for while it is being ended must still find the buffer.
  EndNotifyThread();
  FIsCapturing = false;
  if (FCaptureBuffer) {
    FCaptureBuffer->Stop();
    FCaptureBuffer.reset();
  }
}

void TSoundCaptureStream::StartNotifyThread() {
  FNotifyThread = std::make_unique<TSoundCaptureStreamNotify>(*this, FBufferMilliseconds);
  FNotifyThread->Resume();
}

void TSoundCaptureStream::EndNotifyThread() {
  std::unique_ptr<TSoundCaptureStreamNotify> thread = std::move(FNotifyThread);
  if (!thread)
    return;
  if (thread.get() != FSteppingThread) {
    thread.reset(); // waits, serving its steps, which no longer reach this stream
    return;
  }
  // Asked from inside the thread's own step: the thread waits for that step to return, so it
  // can only be ended and freed after it.
  thread->NotifyEvent().SetEvent();
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [retired = thread.release()] { delete retired; }, Qt::QueuedConnection);
}

void TSoundCaptureStream::NotifyStep(TSoundCaptureStreamNotify *thread) {
  if (thread != FNotifyThread.get())
    return; // a thread being ended: the stream has stopped or moved on to another one
  TSteppingMark mark(FSteppingThread, thread);
  try {
    // A buffer that can no longer tell its position has lost its device (a sound server that
    // ended, a card unplugged): said once, instead of a picture that silently stands still.
    int64_t readable = 0;
    if (!QueryReadable(readable))
      throw ESoundCaptureStreamError("The sound card stopped recording");
    if (readable <= 0)
      return;
    NotifyDataAvailable();
  } catch (...) {
    if (Application)
      Application->HandleCurrentException();
    // Stopped here, on the GUI thread, before anything else can use the stream again.
    StopCapture();
  }
}

void TSoundCaptureStream::NotifyDataAvailable() {
  if (FOnDataAvailable)
    FOnDataAvailable(this);
}

bool TSoundCaptureStream::QueryReadable(int64_t &readable) {
  readable = 0;
  uint32_t capturePosition = 0;
  uint32_t readCursor = 0;
  if (!FCaptureBuffer || FCaptureBuffer->GetCurrentPosition(&capturePosition, &readCursor) != S_OK)
    return false;
  const int64_t read = readCursor;
  readable = FReadPosition <= read ? read - FReadPosition : FCaptureBufferSize - FReadPosition + read;
  return true;
}

int64_t TSoundCaptureStream::ReadableSize() {
  int64_t readable;
  return QueryReadable(readable) ? readable : 0;
}

int64_t TSoundCaptureStream::ReadWave(void *buffer, int64_t count) {
  if (!FIsCapturing)
    StartCapture();
  if (count <= 0)
    return count;
  auto *target = static_cast<uint8_t *>(buffer);
  int64_t done = 0;
  while (done < count) {
    int64_t readable;
    // A buffer that cannot tell its position will not deliver any more: waiting would never end.
    if (!QueryReadable(readable))
      break;
    const int64_t n = std::min(count - done, readable);
    if (n > 0) {
      void *region1 = nullptr;
      void *region2 = nullptr;
      uint32_t bytes1 = 0;
      uint32_t bytes2 = 0;
      if (FCaptureBuffer->Lock(uint32_t(FReadPosition), uint32_t(n), &region1, &bytes1, &region2, &bytes2, 0) != S_OK)
        break;
      std::memcpy(target + done, region1, bytes1);
      done += bytes1;
      if (region2) {
        std::memcpy(target + done, region2, bytes2);
        done += bytes2;
      }
      FCaptureBuffer->Unlock(region1, bytes1, region2, bytes2);
      FReadPosition = int32_t((int64_t(FReadPosition) + bytes1 + bytes2) % FCaptureBufferSize);
    }
    if (done < count)
      std::this_thread::sleep_for(ReadPollInterval);
  }
  std::memset(target + done, SilenceByte(PcmFormat().wBitsPerSample), size_t(count - done));
  return count;
}
