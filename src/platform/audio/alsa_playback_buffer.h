#pragma once

#include "platform/audio/alsa_pcm.h"
#include "platform/audio/ring_sound_buffer.h"

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// A secondary buffer played into ALSA's "default" playback PCM at its own format by an I/O thread,
// one period of about 10 ms at a time, from the play cursor on; the PCM starts when its buffer of
// six periods is full, or at the end of a shorter sound. The thread shares only the ring and
// atomics with the buffer: an underrun is recovered and playing goes on; a device that fails for
// good, or takes nothing for seconds, marks the buffer lost, and from then on the calls that need
// the device answer DSERR_BUFFERLOST.
class TAlsaPlaybackBuffer : public TRingSoundBuffer {
public:
  TAlsaPlaybackBuffer(const TWaveFormatEx &format, uint32_t bytes, std::shared_ptr<TAlsaProbe> probe);
  ~TAlsaPlaybackBuffer() override;

  HRESULT Play(uint32_t reserved1, uint32_t priority, uint32_t flags) override;
  HRESULT Stop() override;

  // Underruns the I/O thread has recovered from so far.
  uint32_t Underruns() const { return FUnderruns.load(std::memory_order_relaxed); }

private:
  HRESULT OpenPcm();
  void ClosePcm();
  void EndThread();
  void Run();
  // Writes what the period holds from `offset` on; answers the frames taken, 0 when the device is
  // full, or a negative ALSA error.
  snd_pcm_sframes_t WritePeriod(uint32_t frames);
  // Brings the PCM back after an underrun or a suspend; false when that is not possible.
  bool Recover(int error);

  std::shared_ptr<TAlsaProbe> FProbe;
  snd_pcm_t *FPcm = nullptr;
  snd_pcm_uframes_t FPeriodFrames = 0;
  std::vector<uint8_t> FPeriod; // one period, sized when the PCM opens, so the I/O loop allocates nothing
  std::thread FThread;
  std::atomic<bool> FStopping{false};
  std::atomic<uint32_t> FUnderruns{0};
};
