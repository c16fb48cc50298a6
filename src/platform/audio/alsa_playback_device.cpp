#include "platform/audio/alsa_playback_device.h"

#include "platform/audio/alsa_playback_buffer.h"

#include <utility>

HRESULT TAlsaPlaybackDevice::Create(std::shared_ptr<IDirectSound> &sound) {
  sound.reset();
  // The device is there when its PCM opens; the handle then serves the format questions.
  auto device = MakeInterface<TAlsaPlaybackDevice>();
  if (!device)
    return E_OUTOFMEMORY;
  const TWaveFormatEx probe{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
  if (device->FProbe->Accepts(probe) == DSERR_NODRIVER)
    return DSERR_NODRIVER;
  sound = std::move(device);
  return S_OK;
}

HRESULT TAlsaPlaybackDevice::MakeSecondary(const TWaveFormatEx &format, uint32_t bytes, uint32_t,
                                           std::shared_ptr<TRingSoundBuffer> &buffer) {
  if (const HRESULT result = FProbe->Accepts(format); Failed(result))
    return result;
  buffer = MakeInterface<TAlsaPlaybackBuffer>(format, bytes, FProbe);
  return buffer ? S_OK : E_OUTOFMEMORY;
}
