#pragma once

#include "device/device_base.h"
#include "platform/audio/playback_interfaces.h"

#include <memory>
#include <vector>

class TDirectSoundBuffer;

class EDirectSoundError : public EDirectXError {
public:
  using EDirectXError::EDirectXError;
};

// One playback device. The buffers made on it register themselves here; the device does not own
// them. When a buffer reports its loss, the device's DoRestore runs once (not again from inside).
class TDirectSound : public TDirectX {
public:
  // Opens the device through "DirectSoundCreate" of "DSound.dll" (`device` nullptr: the default).
  explicit TDirectSound(const TGUID *device);
  // Takes over an opened device; nullptr raises "DirectSound cannot be initialized".
  explicit TDirectSound(std::shared_ptr<IDirectSound> sound);
  // Buffers still made on it lose their device (their later calls that need it raise).
  ~TDirectSound() override;
  TDirectSound(const TDirectSound &) = delete;
  TDirectSound &operator=(const TDirectSound &) = delete;

  // EDirectSoundError "IDirectSound not made" without a device object.
  IDirectSound *ISound() const;
  const std::vector<TDirectSoundBuffer *> &Buffers() const { return FBuffers; }

  // New secondary buffers get the sticky-focus capability, else with GlobalFocus the global one.
  bool GlobalFocus = false;
  bool StickyFocus = false;

  bool InRestore() const { return FInRestore; }
  void SetInRestore(bool value) { FInRestore = value; }
  virtual void DoRestore() {}

  // Called by the buffers as they come and go.
  void Attach(TDirectSoundBuffer *buffer) { FBuffers.push_back(buffer); }
  void Detach(TDirectSoundBuffer *buffer) { std::erase(FBuffers, buffer); }

private:
  std::vector<TDirectSoundBuffer *> FBuffers;
  std::shared_ptr<IDirectSound> FISound;
  bool FInRestore = false;
};
