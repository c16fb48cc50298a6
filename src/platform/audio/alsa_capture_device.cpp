#include "platform/audio/alsa_capture_device.h"

#include "platform/audio/alsa_capture_buffer.h"

#include <new>

HRESULT TAlsaCaptureDevice::Create(IDirectSoundCapture **capture) {
  if (!capture)
    return DSERR_INVALIDPARAM;
  *capture = nullptr;
  // The device is there when its PCM opens; the handle then serves the format questions.
  auto *device = new (std::nothrow) TAlsaCaptureDevice;
  if (!device)
    return E_OUTOFMEMORY;
  TWaveFormatEx probe{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
  if (device->FProbe->Accepts(probe) == DSERR_NODRIVER) {
    device->Release();
    return DSERR_NODRIVER;
  }
  *capture = device;
  return S_OK;
}

HRESULT TAlsaCaptureDevice::CreateCaptureBuffer(const TDSCBufferDesc *description, IDirectSoundCaptureBuffer **buffer,
                                                void *outer) {
  if (!description || !description->lpwfxFormat || !buffer || outer)
    return DSERR_INVALIDPARAM;
  *buffer = nullptr;
  const TWaveFormatEx &format = *description->lpwfxFormat;
  if (format.nBlockAlign == 0 || description->dwBufferBytes < format.nBlockAlign)
    return DSERR_INVALIDPARAM;
  if (const HRESULT result = FProbe->Accepts(format); Failed(result))
    return result;
  auto *created = new (std::nothrow) TAlsaCaptureBuffer(format, description->dwBufferBytes, FProbe);
  if (!created)
    return E_OUTOFMEMORY;
  *buffer = created;
  return S_OK;
}
