#pragma once

#include "platform/audio/byte_ring.h"
#include "platform/audio/virtual_capture.h"

// A capture buffer of the virtual device: it fills its ring from the device's signal when the
// test advances the clock.
class TVirtualCaptureBuffer : public IDirectSoundCaptureBuffer {
public:
  TVirtualCaptureBuffer(TVirtualCapture &device, const TWaveFormatEx &format, uint32_t bytes);
  ~TVirtualCaptureBuffer() override;

  HRESULT GetCurrentPosition(uint32_t *capturePosition, uint32_t *readPosition) override;
  HRESULT Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2, uint32_t *bytes2,
               uint32_t flags) override;
  HRESULT Unlock(void *region1, uint32_t bytes1, void *region2, uint32_t bytes2) override;
  HRESULT Start(uint32_t flags) override;
  HRESULT Stop() override;

  void Advance(int milliseconds);

private:
  void WriteSample(uint8_t *at, double value) const;

  TVirtualCapture &FDevice;
  TWaveFormatEx FFormat;
  TByteRing FRing;
  bool FRunning = false;
  int64_t FElapsedMs = 0;
  int64_t FFrames = 0;
};
