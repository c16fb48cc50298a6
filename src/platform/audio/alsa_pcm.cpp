#include "platform/audio/alsa_pcm.h"

#include "platform/audio/capture_interfaces.h"

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

bool ConfigureAlsaPcm(snd_pcm_t *pcm, const TWaveFormatEx &format, snd_pcm_uframes_t &periodFrames,
                      snd_pcm_uframes_t &deviceFrames) {
  snd_pcm_hw_params_t *params;
  snd_pcm_hw_params_alloca(&params);
  int dir = 0;
  return snd_pcm_hw_params_any(pcm, params) >= 0 &&
         snd_pcm_hw_params_set_access(pcm, params, SND_PCM_ACCESS_RW_INTERLEAVED) >= 0 &&
         snd_pcm_hw_params_set_format(pcm, params, AlsaFormatOf(format)) >= 0 &&
         snd_pcm_hw_params_set_channels(pcm, params, format.nChannels) >= 0 &&
         snd_pcm_hw_params_set_rate(pcm, params, format.nSamplesPerSec, 0) >= 0 &&
         snd_pcm_hw_params_set_period_size_near(pcm, params, &periodFrames, &dir) >= 0 &&
         snd_pcm_hw_params_set_buffer_size_near(pcm, params, &deviceFrames) >= 0 && snd_pcm_hw_params(pcm, params) >= 0;
}

HRESULT TAlsaProbe::Accepts(const TWaveFormatEx &format) {
  const snd_pcm_format_t sampleFormat = AlsaFormatOf(format);
  if (sampleFormat == SND_PCM_FORMAT_UNKNOWN || format.nChannels == 0)
    return DSERR_BADFORMAT;
  if (!FPcm && snd_pcm_open(&FPcm, AlsaPcmName, FStream, SND_PCM_NONBLOCK) < 0) {
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

void TAlsaProbe::Close() {
  if (FPcm)
    snd_pcm_close(FPcm);
  FPcm = nullptr;
}
