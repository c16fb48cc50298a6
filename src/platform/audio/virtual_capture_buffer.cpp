#include "platform/audio/virtual_capture_buffer.h"

#include <cmath>
#include <vector>

TVirtualCaptureBuffer::TVirtualCaptureBuffer(TVirtualCapture &device, const TWaveFormatEx &format, uint32_t bytes)
    : FDevice(device), FFormat(format), FRing(bytes) {
  FDevice.Attach(this);
}

TVirtualCaptureBuffer::~TVirtualCaptureBuffer() {
  if (TVirtualCapture::Current() == &FDevice)
    FDevice.Detach(this);
}

HRESULT TVirtualCaptureBuffer::GetCurrentPosition(uint32_t *capturePosition, uint32_t *readPosition) {
  if (FDevice.FailGetPosition)
    return DSERR_GENERIC;
  if (capturePosition)
    *capturePosition = FRing.Cursor();
  if (readPosition)
    *readPosition = FRing.Cursor();
  return S_OK;
}

HRESULT TVirtualCaptureBuffer::Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2,
                                    uint32_t *bytes2, uint32_t) {
  if (FDevice.FailLock)
    return DSERR_GENERIC;
  return FRing.Lock(offset, bytes, region1, bytes1, region2, bytes2);
}

HRESULT TVirtualCaptureBuffer::Unlock(void *, uint32_t, void *, uint32_t) { return S_OK; }

HRESULT TVirtualCaptureBuffer::Start(uint32_t) {
  FRunning = true;
  return S_OK;
}

HRESULT TVirtualCaptureBuffer::Stop() {
  FRunning = false;
  return S_OK;
}

void TVirtualCaptureBuffer::Advance(int milliseconds) {
  if (!FRunning)
    return;
  FElapsedMs += milliseconds;
  const int64_t due = FElapsedMs * FFormat.nSamplesPerSec / 1000;
  std::vector<uint8_t> block(size_t(due - FFrames) * FFormat.nBlockAlign);
  const int sampleBytes = FFormat.nBlockAlign / FFormat.nChannels;
  for (int64_t frame = FFrames; frame < due; ++frame) {
    const size_t at = size_t(frame - FFrames) * FFormat.nBlockAlign;
    for (int channel = 0; channel < FFormat.nChannels; ++channel) {
      uint8_t *sample = block.data() + at + size_t(channel * sampleBytes);
      if (FDevice.HasBytes()) {
        for (int b = 0; b < sampleBytes; ++b)
          sample[b] = FDevice.SourceByte(frame * FFormat.nBlockAlign + channel * sampleBytes + b);
      } else {
        WriteSample(sample, FDevice.SineValue(channel, frame, FFormat.nSamplesPerSec));
      }
    }
  }
  FFrames = due;
  FRing.Append(block.data(), uint32_t(block.size()));
}

void TVirtualCaptureBuffer::WriteSample(uint8_t *at, double value) const {
  const int bytes = FFormat.nBlockAlign / FFormat.nChannels;
  if (bytes == 1) {
    *at = uint8_t(std::lround(128 + value * 127));
    return;
  }
  const int64_t scaled = std::llround(value * double((int64_t(1) << (bytes * 8 - 1)) - 1));
  for (int b = 0; b < bytes; ++b)
    at[b] = uint8_t(uint64_t(scaled) >> (8 * b));
}
