#pragma once

#include "sound/direct_sound.h"

class TWave;

class EDirectSoundBufferError : public EDirectSoundError {
public:
  using EDirectSoundError::EDirectSoundError;
};

// One sound buffer on a playback device. Calls record their result in DXResult and answer it as a
// Boolean; a result saying the buffer was lost has the device restore itself (see Check).
class TDirectSoundBuffer : public TDirectX {
public:
  explicit TDirectSoundBuffer(TDirectSound &dsound);
  ~TDirectSoundBuffer() override;
  TDirectSoundBuffer(const TDirectSoundBuffer &) = delete;
  TDirectSoundBuffer &operator=(const TDirectSoundBuffer &) = delete;

  // The device it was made on; nullptr once that has been freed.
  TDirectSound *DSound() const { return FDSound; }
  // EDirectSoundBufferError "IDirectSoundBuffer not made" without a buffer object.
  IDirectSoundBuffer *IBuffer() const;
  bool HasBuffer() const { return bool(FIBuffer); }
  void ReleaseBuffer() { FIBuffer.reset(); }

  // Replaces the buffer object by a new one; the result also goes to the device's DXResult.
  bool CreateBuffer(const TDSBufferDesc &description);
  // A secondary buffer with frequency, pan and volume control and the device's focus capability;
  // EDirectSoundBufferError "Sound Buffer cannot be made" when that fails.
  void CreateSecondary(const TWaveFormatEx &format, uint32_t bytes);
  // A secondary buffer holding `bytes` of `data` (none: left silent); "Sound Buffer cannot be
  // locked" when it cannot be filled (the buffer object is then released).
  void LoadPcm(const TWaveFormatEx &format, const void *data, uint32_t bytes);

  bool Lock(uint32_t offset, uint32_t bytes, uint32_t flags, void *&region1, uint32_t &bytes1, void *&region2,
            uint32_t &bytes2);
  bool Unlock(void *region1, uint32_t bytes1, void *region2, uint32_t bytes2);
  bool Play(uint32_t flags);
  bool Stop();
  bool SetFormat(const TWaveFormatEx &format);

  // The play cursor; 0 when the buffer cannot tell. Its result is not recorded.
  int32_t Position();
  void SetPosition(int32_t position);
  // As the playback device defines them (platform/audio/playback_interfaces.h).
  int32_t Frequency();
  void SetFrequency(int32_t frequency);
  int32_t Pan();
  void SetPan(int32_t pan);
  int32_t Volume();
  void SetVolume(int32_t volume);

  // nullptr releases the buffer object; a wave becomes a buffer holding it; another buffer is
  // duplicated on this buffer's device.
  void Assign(std::nullptr_t) { ReleaseBuffer(); }
  void Assign(const TWave *source);
  void Assign(const TDirectSoundBuffer *source);

  // A lost buffer has its device restore itself, unless a restore is running already.
  void Check() override;

  // Called by the device as it goes.
  void DeviceGone() { FDSound = nullptr; }

private:
  TDirectSound &Device() const;

  TDirectSound *FDSound;
  std::shared_ptr<IDirectSoundBuffer> FIBuffer;
};
