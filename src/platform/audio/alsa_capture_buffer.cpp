#include "platform/audio/alsa_capture_buffer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <pthread.h>

namespace {

// Twenty-millisecond periods: the frames are handed on only every notification interval (50 ms),
// and ten-millisecond ones doubled the capture threads' CPU without showing anything sooner.
constexpr int PeriodsPerSecond = 50;
constexpr int PeriodsInDevice = 8;
// The PCM is asked without blocking, so a stop never waits for a device that has gone quiet;
// one read takes everything that is there, and the next is a period later (a quarter of one when
// nothing had come yet). Every read costs the sound server's plugin a round of locks and wake-ups,
// so the thread reads about once a period. (Waiting on the PCM's descriptors proved unreliable
// with the sound server's plugin once the server had been restarted.)
constexpr auto PollInterval = std::chrono::milliseconds(5);
// A capture PCM delivers continuously once it runs, though a sound server may take a second or two
// to begin; this long without a single frame means it is gone.
constexpr auto SilenceUntilFailed = std::chrono::seconds(4);

} // namespace

TAlsaCaptureBuffer::TAlsaCaptureBuffer(const TWaveFormatEx &format, uint32_t bytes, std::shared_ptr<TAlsaProbe> probe)
    : FFormat(format), FRing(bytes), FProbe(std::move(probe)) {}

TAlsaCaptureBuffer::~TAlsaCaptureBuffer() { Stop(); }

HRESULT TAlsaCaptureBuffer::GetCurrentPosition(uint32_t *capturePosition, uint32_t *readPosition) {
  if (FFailed.load(std::memory_order_acquire))
    return DSERR_NODRIVER;
  const uint32_t cursor = FRing.Cursor();
  if (capturePosition)
    *capturePosition = cursor;
  if (readPosition)
    *readPosition = cursor;
  return S_OK;
}

HRESULT TAlsaCaptureBuffer::Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2,
                                 uint32_t *bytes2, uint32_t) {
  return FRing.Lock(offset, bytes, region1, bytes1, region2, bytes2);
}

HRESULT TAlsaCaptureBuffer::Unlock(void *, uint32_t, void *, uint32_t) { return S_OK; }

HRESULT TAlsaCaptureBuffer::Start(uint32_t) {
  if (FThread.joinable())
    return S_OK;
  FFailed = false;
  FStopping = false;
  FRing.SetCursor(0);
  if (const HRESULT result = OpenPcm(); Failed(result)) {
    FFailed = true;
    return result;
  }
  FThread = std::thread([this] { Run(); });
  return S_OK;
}

HRESULT TAlsaCaptureBuffer::Stop() {
  if (FThread.joinable()) {
    FStopping = true;
    FThread.join();
  }
  ClosePcm();
  return S_OK;
}

HRESULT TAlsaCaptureBuffer::OpenPcm() {
  FProbe->Close();
  if (snd_pcm_open(&FPcm, AlsaPcmName, SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK) < 0) {
    FPcm = nullptr;
    return DSERR_NODRIVER;
  }
  FPeriodFrames = std::max<snd_pcm_uframes_t>(FFormat.nSamplesPerSec / PeriodsPerSecond, 1);
  snd_pcm_uframes_t deviceFrames = FPeriodFrames * PeriodsInDevice;
  if (!ConfigureAlsaPcm(FPcm, FFormat, FPeriodFrames, deviceFrames) || snd_pcm_start(FPcm) < 0) {
    ClosePcm();
    return DSERR_BADFORMAT;
  }
  FDeviceFrames = deviceFrames;
  FChunk.assign(FDeviceFrames * FFormat.nBlockAlign, 0);
  return S_OK;
}

void TAlsaCaptureBuffer::ClosePcm() {
  if (FPcm)
    snd_pcm_close(FPcm);
  FPcm = nullptr;
}

bool TAlsaCaptureBuffer::Recover(int error) {
  if (snd_pcm_recover(FPcm, error, 1) < 0)
    return false;
  // A recovered capture PCM stays prepared until it is started again.
  return snd_pcm_state(FPcm) != SND_PCM_STATE_PREPARED || snd_pcm_start(FPcm) >= 0;
}

void TAlsaCaptureBuffer::Run() {
  pthread_setname_np(pthread_self(), "alsa capture"); // so profiles and /proc tell it apart
  const auto period = std::chrono::microseconds(int64_t{1000000} * FPeriodFrames / FFormat.nSamplesPerSec);
  auto lastDelivery = std::chrono::steady_clock::now();
  while (!FStopping.load(std::memory_order_acquire)) {
    const snd_pcm_sframes_t frames = snd_pcm_readi(FPcm, FChunk.data(), FDeviceFrames);
    if (frames > 0) {
      lastDelivery = std::chrono::steady_clock::now();
      FRing.Append(FChunk.data(), uint32_t(frames) * FFormat.nBlockAlign);
      if (snd_pcm_uframes_t(frames) < FDeviceFrames)
        std::this_thread::sleep_for(period);
    } else if (frames == -EAGAIN || frames == 0) {
      if (std::chrono::steady_clock::now() - lastDelivery > SilenceUntilFailed)
        break;
      std::this_thread::sleep_for(PollInterval);
    } else if (!Recover(int(frames))) {
      break;
    }
  }
  if (!FStopping.load(std::memory_order_acquire))
    FFailed.store(true, std::memory_order_release);
}
