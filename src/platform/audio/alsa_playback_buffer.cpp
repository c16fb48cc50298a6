#include "platform/audio/alsa_playback_buffer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

constexpr int PeriodsPerSecond = 100;
constexpr int PeriodsInDevice = 6;
// The PCM is asked without blocking, so a stop never waits for a device that has gone quiet;
// polling at half a period keeps it fed.
constexpr auto PollInterval = std::chrono::milliseconds(5);
// A playing PCM takes a period every 10 ms; this long without taking anything means it is gone.
constexpr auto StallUntilLost = std::chrono::seconds(4);

// The PCM starts once its buffer is full. Left to ALSA's defaults it started on the first frame,
// and through the sound server that start underran at once: each recovery dropped what had been
// written, so the play cursor raced ahead of a sound that came out in shreds.
bool StartWhenFull(snd_pcm_t *pcm, snd_pcm_uframes_t deviceFrames) {
  snd_pcm_sw_params_t *params;
  snd_pcm_sw_params_alloca(&params);
  return snd_pcm_sw_params_current(pcm, params) >= 0 &&
         snd_pcm_sw_params_set_start_threshold(pcm, params, deviceFrames) >= 0 && snd_pcm_sw_params(pcm, params) >= 0;
}

} // namespace

TAlsaPlaybackBuffer::TAlsaPlaybackBuffer(const TWaveFormatEx &format, uint32_t bytes, std::shared_ptr<TAlsaProbe> probe)
    : TRingSoundBuffer(format, bytes), FProbe(std::move(probe)) {}

TAlsaPlaybackBuffer::~TAlsaPlaybackBuffer() { Stop(); }

HRESULT TAlsaPlaybackBuffer::Play(uint32_t, uint32_t, uint32_t flags) {
  if (Lost())
    return DSERR_BUFFERLOST;
  // A thread that is running, or that has just ended at the end of a buffer that does not loop,
  // is replaced: the PCM stays open, so that is quick.
  EndThread();
  SetPlaying(true, flags & DSBPLAY_LOOPING);
  if (!FPcm) {
    if (const HRESULT result = OpenPcm(); Failed(result)) {
      SetPlaying(false, false);
      return result;
    }
  }
  FStopping = false;
  FThread = std::thread([this] { Run(); });
  return S_OK;
}

HRESULT TAlsaPlaybackBuffer::Stop() {
  SetPlaying(false, false);
  EndThread();
  ClosePcm();
  return S_OK;
}

void TAlsaPlaybackBuffer::EndThread() {
  if (!FThread.joinable())
    return;
  FStopping = true;
  FThread.join();
}

HRESULT TAlsaPlaybackBuffer::OpenPcm() {
  FProbe->Close();
  if (snd_pcm_open(&FPcm, AlsaPcmName, SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
    FPcm = nullptr;
    MarkLost();
    return DSERR_BUFFERLOST;
  }
  FPeriodFrames = std::max<snd_pcm_uframes_t>(Format().nSamplesPerSec / PeriodsPerSecond, 1);
  snd_pcm_uframes_t deviceFrames = FPeriodFrames * PeriodsInDevice;
  if (!ConfigureAlsaPcm(FPcm, Format(), FPeriodFrames, deviceFrames) || !StartWhenFull(FPcm, deviceFrames)) {
    ClosePcm();
    return DSERR_BADFORMAT;
  }
  FPeriod.assign(FPeriodFrames * Format().nBlockAlign, 0);
  return S_OK;
}

void TAlsaPlaybackBuffer::ClosePcm() {
  if (FPcm) {
    snd_pcm_drop(FPcm);
    snd_pcm_close(FPcm);
  }
  FPcm = nullptr;
}

bool TAlsaPlaybackBuffer::Recover(int error) {
  if (error == -EPIPE)
    FUnderruns.fetch_add(1, std::memory_order_relaxed);
  return snd_pcm_recover(FPcm, error, 1) >= 0;
}

snd_pcm_sframes_t TAlsaPlaybackBuffer::WritePeriod(uint32_t frames) {
  uint32_t from = 0;
  const uint32_t bytes = Take(FPeriod.data(), frames * Format().nBlockAlign, from);
  if (bytes == 0)
    return 0;
  const snd_pcm_sframes_t written = snd_pcm_writei(FPcm, FPeriod.data(), bytes / Format().nBlockAlign);
  if (written > 0)
    Played(from, uint32_t(written) * Format().nBlockAlign);
  return written == -EAGAIN ? 0 : written;
}

void TAlsaPlaybackBuffer::Run() {
  auto lastTaken = std::chrono::steady_clock::now();
  while (!FStopping.load(std::memory_order_acquire) && Playing()) {
    snd_pcm_sframes_t result = snd_pcm_avail_update(FPcm);
    if (result >= snd_pcm_sframes_t(FPeriodFrames))
      result = WritePeriod(uint32_t(FPeriodFrames));
    else if (result >= 0)
      result = 0;
    if (result > 0) {
      lastTaken = std::chrono::steady_clock::now();
    } else if (result == 0) {
      if (std::chrono::steady_clock::now() - lastTaken > StallUntilLost)
        break;
      std::this_thread::sleep_for(PollInterval);
    } else if (!Recover(int(result))) {
      break;
    }
  }
  if (FStopping.load(std::memory_order_acquire))
    return;
  if (Playing()) {
    MarkLost();
    SetPlaying(false, false);
  } else if (snd_pcm_state(FPcm) == SND_PCM_STATE_PREPARED) {
    snd_pcm_start(FPcm); // the end of a sound too short to fill the device buffer
  }
}
