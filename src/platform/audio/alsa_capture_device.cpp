#include "platform/audio/alsa_capture_device.h"

#include "platform/audio/alsa_capture_buffer.h"

#include <new>

namespace {

constexpr const char *PcmName = "default";

} // namespace

snd_pcm_format_t AlsaFormatOf(const TWaveFormatEx &format) {
  if (format.wFormatTag != WAVE_FORMAT_PCM)
    return SND_PCM_FORMAT_UNKNOWN;
  switch (format.wBitsPerSample) {
  case 8:
    return SND_PCM_FORMAT_U8;
  case 16:
    return SND_PCM_FORMAT_S16_LE;
  case 24:
    return SND_PCM_FORMAT_S24_3LE;
  case 32:
    return SND_PCM_FORMAT_S32_LE;
  default:
    return SND_PCM_FORMAT_UNKNOWN;
  }
}

HRESULT TAlsaCaptureProbe::Accepts(const TWaveFormatEx &format) {
  const snd_pcm_format_t sampleFormat = AlsaFormatOf(format);
  if (sampleFormat == SND_PCM_FORMAT_UNKNOWN || format.nChannels == 0)
    return DSERR_BADFORMAT;
  if (!FPcm && snd_pcm_open(&FPcm, PcmName, SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK) < 0) {
    FPcm = nullptr;
    return DSERR_NODRIVER;
  }
  snd_pcm_hw_params_t *params;
  snd_pcm_hw_params_alloca(&params);
  if (snd_pcm_hw_params_any(FPcm, params) < 0)
    return DSERR_NODRIVER;
  const bool accepted = snd_pcm_hw_params_test_access(FPcm, params, SND_PCM_ACCESS_RW_INTERLEAVED) == 0 &&
                        snd_pcm_hw_params_test_format(FPcm, params, sampleFormat) == 0 &&
                        snd_pcm_hw_params_test_channels(FPcm, params, format.nChannels) == 0 &&
                        snd_pcm_hw_params_test_rate(FPcm, params, format.nSamplesPerSec, 0) == 0;
  return accepted ? S_OK : DSERR_BADFORMAT;
}

void TAlsaCaptureProbe::Close() {
  if (FPcm)
    snd_pcm_close(FPcm);
  FPcm = nullptr;
}

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
