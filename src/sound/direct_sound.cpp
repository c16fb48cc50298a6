#include "sound/direct_sound.h"

#include "device/library_cache.h"
#include "sound/direct_sound_buffer.h"

namespace {

std::shared_ptr<IDirectSound> OpenDevice(const TGUID *device, HRESULT &result) {
  auto *create = DXLoadEntryPoint<TDirectSoundCreate>("DSound.dll", "DirectSoundCreate");
  std::shared_ptr<IDirectSound> sound;
  result = create(device, &sound, nullptr);
  if (result != S_OK)
    sound.reset();
  return sound;
}

} // namespace

TDirectSound::TDirectSound(const TGUID *device) {
  HRESULT result = S_OK;
  FISound = OpenDevice(device, result);
  SetDXResult(result);
  if (!FISound)
    throw EDirectSoundError(SCannotInitialized, "DirectSound");
}

TDirectSound::TDirectSound(std::shared_ptr<IDirectSound> sound) : FISound(std::move(sound)) {
  if (!FISound)
    throw EDirectSoundError(SCannotInitialized, "DirectSound");
}

TDirectSound::~TDirectSound() {
  for (TDirectSoundBuffer *buffer : FBuffers)
    buffer->DeviceGone();
}

IDirectSound *TDirectSound::ISound() const {
  if (!FISound)
    throw EDirectSoundError(SNotMade, "IDirectSound");
  return FISound.get();
}
