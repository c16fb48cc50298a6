#include "platform/audio/ring_sound_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Hundredths of a decibel of attenuation as a factor.
double GainOf(int32_t hundredthsDb) {
  return hundredthsDb <= DSBVOLUME_MIN ? 0.0 : std::pow(10.0, hundredthsDb / 2000.0);
}

int32_t ReadSample(const uint8_t *at, int width) {
  switch (width) {
  case 1:
    return int32_t(at[0]) - 128;
  case 2:
    return int16_t(uint16_t(at[0] | uint32_t(at[1]) << 8));
  case 3:
    return int32_t(uint32_t(at[0]) << 8 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 24) >> 8;
  default:
    return int32_t(uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24);
  }
}

void WriteSample(uint8_t *at, int width, int32_t value) {
  if (width == 1) {
    at[0] = uint8_t(value + 128);
    return;
  }
  for (int b = 0; b < width; ++b)
    at[b] = uint8_t(uint32_t(value) >> (8 * b));
}

} // namespace

TRingSoundBuffer::TRingSoundBuffer(const TWaveFormatEx &format, uint32_t bytes) : FFormat(format), FRing(bytes) {
  // Silence to begin with, as the format knows it.
  if (format.wBitsPerSample == 8) {
    void *region;
    uint32_t length;
    FRing.Lock(0, bytes, &region, &length, nullptr, nullptr);
    std::memset(region, 0x80, length);
  }
}

HRESULT TRingSoundBuffer::GetCurrentPosition(uint32_t *playCursor, uint32_t *writeCursor) {
  if (Lost())
    return DSERR_BUFFERLOST;
  const uint32_t cursor = FRing.Cursor();
  if (playCursor)
    *playCursor = cursor;
  if (writeCursor)
    *writeCursor = cursor;
  return S_OK;
}

HRESULT TRingSoundBuffer::SetCurrentPosition(uint32_t position) {
  if (position >= FRing.Size())
    return DSERR_INVALIDPARAM;
  FRing.SetCursor(position);
  return S_OK;
}

HRESULT TRingSoundBuffer::Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2,
                               uint32_t *bytes2, uint32_t) {
  if (Lost())
    return DSERR_BUFFERLOST;
  return FRing.Lock(offset, bytes, region1, bytes1, region2, bytes2);
}

HRESULT TRingSoundBuffer::Unlock(void *, uint32_t, void *, uint32_t) {
  FRing.Publish();
  return S_OK;
}

HRESULT TRingSoundBuffer::GetFrequency(uint32_t *frequency) {
  if (!frequency)
    return DSERR_INVALIDPARAM;
  *frequency = FFormat.nSamplesPerSec;
  return S_OK;
}

HRESULT TRingSoundBuffer::SetFrequency(uint32_t frequency) {
  return frequency == DSBFREQUENCY_ORIGINAL || frequency == FFormat.nSamplesPerSec ? S_OK : DSERR_UNSUPPORTED;
}

HRESULT TRingSoundBuffer::GetPan(int32_t *pan) {
  if (!pan)
    return DSERR_INVALIDPARAM;
  *pan = FPan.load(std::memory_order_relaxed);
  return S_OK;
}

HRESULT TRingSoundBuffer::SetPan(int32_t pan) {
  if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT)
    return DSERR_INVALIDPARAM;
  FPan.store(pan, std::memory_order_relaxed);
  return S_OK;
}

HRESULT TRingSoundBuffer::GetVolume(int32_t *volume) {
  if (!volume)
    return DSERR_INVALIDPARAM;
  *volume = FVolume.load(std::memory_order_relaxed);
  return S_OK;
}

HRESULT TRingSoundBuffer::SetVolume(int32_t volume) {
  if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
    return DSERR_INVALIDPARAM;
  FVolume.store(volume, std::memory_order_relaxed);
  return S_OK;
}

void TRingSoundBuffer::CopyContentsTo(TRingSoundBuffer &other) const {
  void *target;
  uint32_t length;
  if (other.FRing.Lock(0, std::min(Size(), other.Size()), &target, &length, nullptr, nullptr) == S_OK)
    FRing.CopyOut(0, static_cast<uint8_t *>(target), length);
  other.FRing.Publish();
}

void TRingSoundBuffer::SetPlaying(bool playing, bool looping) {
  FLooping.store(looping, std::memory_order_release);
  FPlaying.store(playing, std::memory_order_release);
}

uint32_t TRingSoundBuffer::Take(uint8_t *target, uint32_t count, uint32_t &from) {
  from = FRing.Cursor();
  if (!Playing())
    return 0;
  uint32_t bytes = FLooping.load(std::memory_order_acquire) ? count : std::min(count, FRing.Size() - from);
  bytes -= bytes % std::max<uint32_t>(FFormat.nBlockAlign, 1);
  FRing.Acquire();
  FRing.CopyOut(from, target, bytes);
  ApplyGain(target, bytes);
  return bytes;
}

void TRingSoundBuffer::Played(uint32_t from, uint32_t bytes) {
  FRing.Advance(from, bytes);
  if (!FLooping.load(std::memory_order_acquire) && uint64_t(from) + bytes >= FRing.Size())
    FPlaying.store(false, std::memory_order_release);
}

void TRingSoundBuffer::ApplyGain(uint8_t *bytes, uint32_t count) const {
  const int32_t volume = FVolume.load(std::memory_order_relaxed);
  const int32_t pan = FPan.load(std::memory_order_relaxed);
  if (volume == 0 && pan == 0)
    return;
  const int channels = std::max<int>(FFormat.nChannels, 1);
  const int width = FFormat.nBlockAlign / channels;
  if (width < 1 || width > 4)
    return;
  // A pan to one side attenuates the other; channels past the second follow the volume only.
  const double left = GainOf(volume + std::min(0, -pan));
  const double right = GainOf(volume + std::min(0, pan));
  const double centre = GainOf(volume);
  for (uint32_t at = 0; at + uint32_t(width) <= count; at += uint32_t(width)) {
    const int channel = int(at / uint32_t(width)) % channels;
    const double gain = channels == 1 ? centre : channel == 0 ? left : channel == 1 ? right : centre;
    WriteSample(bytes + at, width, int32_t(std::lround(ReadSample(bytes + at, width) * gain)));
  }
}
