#pragma once

#include "platform/audio/alsa_capture_device.h"
#include "platform/audio/byte_ring.h"

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// A looping capture buffer filled from ALSA's "default" capture PCM by an I/O thread, which takes
// all that has arrived each time a period of about 10 ms has. The thread shares only the ring and
// two atomics with the buffer: an overrun is recovered and capture goes on; a device that stops
// answering marks the buffer failed, and from then on the position query fails.
class TAlsaCaptureBuffer : public IDirectSoundCaptureBuffer {
public:
  TAlsaCaptureBuffer(const TWaveFormatEx &format, uint32_t bytes, std::shared_ptr<TAlsaProbe> probe);
  ~TAlsaCaptureBuffer() override;

  HRESULT GetCurrentPosition(uint32_t *capturePosition, uint32_t *readPosition) override;
  HRESULT Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2, uint32_t *bytes2,
               uint32_t flags) override;
  HRESULT Unlock(void *region1, uint32_t bytes1, void *region2, uint32_t bytes2) override;
  HRESULT Start(uint32_t flags) override;
  HRESULT Stop() override;

private:
  HRESULT OpenPcm();
  void ClosePcm();
  void Run();
  // Brings the PCM back after an overrun or a suspend; false when that is not possible.
  bool Recover(int error);

  TWaveFormatEx FFormat;
  TByteRing FRing;
  std::shared_ptr<TAlsaProbe> FProbe;
  snd_pcm_t *FPcm = nullptr;
  snd_pcm_uframes_t FPeriodFrames = 0;
  snd_pcm_uframes_t FDeviceFrames = 0;
  std::vector<uint8_t> FChunk; // what the device holds, sized at Start, so the I/O loop allocates nothing
  std::thread FThread;
  std::atomic<bool> FStopping{false};
  std::atomic<bool> FFailed{false};
};
