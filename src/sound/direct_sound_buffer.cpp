#include "sound/direct_sound_buffer.h"

#include "rtl/scope_exit.h"
#include "sound/wave.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t DescriptionSize = 20;
constexpr uint32_t SecondaryCaps = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;

} // namespace

TDirectSoundBuffer::TDirectSoundBuffer(TDirectSound &dsound) : FDSound(&dsound) { dsound.Attach(this); }

TDirectSoundBuffer::~TDirectSoundBuffer() {
  if (FDSound)
    FDSound->Detach(this);
}

TDirectSound &TDirectSoundBuffer::Device() const {
  if (!FDSound)
    throw EDirectSoundError(SNotMade, "IDirectSound");
  return *FDSound;
}

IDirectSoundBuffer *TDirectSoundBuffer::IBuffer() const {
  if (!FIBuffer)
    throw EDirectSoundBufferError(SNotMade, "IDirectSoundBuffer");
  return FIBuffer.get();
}

bool TDirectSoundBuffer::CreateBuffer(const TDSBufferDesc &description) {
  FIBuffer.reset();
  TDirectSound &device = Device();
  std::shared_ptr<IDirectSoundBuffer> buffer;
  const HRESULT result = device.ISound()->CreateSoundBuffer(&description, buffer, nullptr);
  if (result == S_OK)
    FIBuffer = std::move(buffer);
  device.SetDXResult(result);
  SetDXResult(result);
  return result == S_OK;
}

void TDirectSoundBuffer::CreateSecondary(const TWaveFormatEx &format, uint32_t bytes) {
  const TDirectSound &device = Device();
  const uint32_t focus = device.StickyFocus ? DSBCAPS_STICKYFOCUS : device.GlobalFocus ? DSBCAPS_GLOBALFOCUS : 0;
  const TDSBufferDesc description{DescriptionSize, SecondaryCaps | focus, bytes, 0, &format};
  if (!CreateBuffer(description))
    throw EDirectSoundBufferError(SCannotMade, "Sound Buffer");
}

void TDirectSoundBuffer::LoadPcm(const TWaveFormatEx &format, const void *data, uint32_t bytes) {
  CreateSecondary(format, bytes);
  if (!data)
    return;
  void *region1 = nullptr;
  void *region2 = nullptr;
  uint32_t bytes1 = 0;
  uint32_t bytes2 = 0;
  if (!Lock(0, bytes, 0, region1, bytes1, region2, bytes2)) {
    FIBuffer.reset();
    throw EDirectSoundBufferError("%s cannot be locked", "Sound Buffer");
  }
  const auto *source = static_cast<const uint8_t *>(data);
  std::memcpy(region1, source, std::min(bytes1, bytes));
  if (region2)
    std::memcpy(region2, source + bytes1, std::min(bytes2, bytes - std::min(bytes1, bytes)));
  Unlock(region1, bytes1, region2, bytes2);
}

bool TDirectSoundBuffer::Lock(uint32_t offset, uint32_t bytes, uint32_t flags, void *&region1, uint32_t &bytes1,
                              void *&region2, uint32_t &bytes2) {
  region1 = region2 = nullptr;
  bytes1 = bytes2 = 0;
  SetDXResult(IBuffer()->Lock(offset, bytes, &region1, &bytes1, &region2, &bytes2, flags));
  return DXResult() == S_OK;
}

bool TDirectSoundBuffer::Unlock(void *region1, uint32_t bytes1, void *region2, uint32_t bytes2) {
  SetDXResult(IBuffer()->Unlock(region1, bytes1, region2, bytes2));
  return DXResult() == S_OK;
}

bool TDirectSoundBuffer::Play(uint32_t flags) {
  SetDXResult(IBuffer()->Play(0, 0, flags));
  return DXResult() == S_OK;
}

bool TDirectSoundBuffer::Stop() {
  SetDXResult(IBuffer()->Stop());
  return DXResult() == S_OK;
}

bool TDirectSoundBuffer::SetFormat(const TWaveFormatEx &format) {
  SetDXResult(IBuffer()->SetFormat(&format));
  return DXResult() == S_OK;
}

int32_t TDirectSoundBuffer::Position() {
  uint32_t play = 0;
  uint32_t write = 0;
  if (IBuffer()->GetCurrentPosition(&play, &write) != S_OK)
    return 0;
  return int32_t(play);
}

void TDirectSoundBuffer::SetPosition(int32_t position) {
  SetDXResult(IBuffer()->SetCurrentPosition(uint32_t(position)));
}

int32_t TDirectSoundBuffer::Frequency() {
  uint32_t frequency = 0;
  SetDXResult(IBuffer()->GetFrequency(&frequency));
  return int32_t(frequency);
}

void TDirectSoundBuffer::SetFrequency(int32_t frequency) { SetDXResult(IBuffer()->SetFrequency(uint32_t(frequency))); }

int32_t TDirectSoundBuffer::Pan() {
  int32_t pan = 0;
  SetDXResult(IBuffer()->GetPan(&pan));
  return pan;
}

void TDirectSoundBuffer::SetPan(int32_t pan) { SetDXResult(IBuffer()->SetPan(pan)); }

int32_t TDirectSoundBuffer::Volume() {
  int32_t volume = 0;
  SetDXResult(IBuffer()->GetVolume(&volume));
  return volume;
}

void TDirectSoundBuffer::SetVolume(int32_t volume) { SetDXResult(IBuffer()->SetVolume(volume)); }

void TDirectSoundBuffer::Assign(const TWave *source) {
  if (!source) {
    ReleaseBuffer();
    return;
  }
  if (!source->Format())
    throw EWaveStreamError("Format is invalid");
  LoadPcm(*source->Format(), source->Data(), uint32_t(source->Size()));
}

void TDirectSoundBuffer::Assign(const TDirectSoundBuffer *source) {
  if (!source || !source->FIBuffer) {
    ReleaseBuffer();
    return;
  }
  if (source == this)
    return;
  TDirectSound &device = Device();
  std::shared_ptr<IDirectSoundBuffer> copy;
  device.SetDXResult(device.ISound()->DuplicateSoundBuffer(source->FIBuffer.get(), copy));
  if (device.DXResult() == S_OK)
    FIBuffer = std::move(copy);
}

void TDirectSoundBuffer::Check() {
  if (DXResult() != DSERR_BUFFERLOST || !FDSound || FDSound->InRestore())
    return;
  TDirectSound &device = *FDSound;
  device.SetInRestore(true);
  TScopeExit clear([&device] { device.SetInRestore(false); });
  device.DoRestore();
}
