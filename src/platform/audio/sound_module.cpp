#include "platform/audio/sound_module.h"

#include "platform/audio/alsa_capture_device.h"
#include "platform/audio/alsa_playback_device.h"

namespace {

// Only the default device exists here; an identifier names none of ours.
HRESULT AlsaCaptureCreate(const TGUID *device, std::shared_ptr<IDirectSoundCapture> *capture, void *outer) {
  if (!capture || outer)
    return DSERR_INVALIDPARAM;
  capture->reset();
  if (device)
    return DSERR_NODRIVER;
  return TAlsaCaptureDevice::Create(*capture);
}

HRESULT AlsaSoundCreate(const TGUID *device, std::shared_ptr<IDirectSound> *sound, void *outer) {
  if (!sound || outer)
    return DSERR_INVALIDPARAM;
  sound->reset();
  if (device)
    return DSERR_NODRIVER;
  return TAlsaPlaybackDevice::Create(*sound);
}

} // namespace

std::unique_ptr<TPlatformModule> LoadSoundModule() {
  return std::make_unique<TPlatformModule>(std::initializer_list<std::pair<const std::string, TEntryPoint>>{
      {"DirectSoundCaptureCreate", ToEntryPoint(&AlsaCaptureCreate)},
      {"DirectSoundCreate", ToEntryPoint(&AlsaSoundCreate)}});
}
