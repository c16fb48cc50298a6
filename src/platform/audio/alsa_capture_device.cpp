#include "platform/audio/alsa_capture_device.h"

#include "platform/audio/alsa_capture_buffer.h"

#include <utility>

HRESULT TAlsaCaptureDevice::Create(std::shared_ptr<IDirectSoundCapture> &capture) {
  capture.reset();
  // The device is there when its PCM opens; the handle then serves the format questions.
  auto device = MakeInterface<TAlsaCaptureDevice>();
  if (!device)
    return E_OUTOFMEMORY;
  TWaveFormatEx probe{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
  if (device->FProbe->Accepts(probe) == DSERR_NODRIVER)
    return DSERR_NODRIVER;
  capture = std::move(device);
  return S_OK;
}

HRESULT TAlsaCaptureDevice::CreateCaptureBuffer(const TDSCBufferDesc *description,
                                                std::shared_ptr<IDirectSoundCaptureBuffer> &buffer, void *outer) {
  buffer.reset();
  if (!description || !description->lpwfxFormat || outer)
    return DSERR_INVALIDPARAM;
  const TWaveFormatEx &format = *description->lpwfxFormat;
  if (format.nBlockAlign == 0 || description->dwBufferBytes < format.nBlockAlign)
    return DSERR_INVALIDPARAM;
  if (const HRESULT result = FProbe->Accepts(format); Failed(result))
    return result;
  buffer = MakeInterface<TAlsaCaptureBuffer>(format, description->dwBufferBytes, FProbe);
  return buffer ? S_OK : E_OUTOFMEMORY;
}
