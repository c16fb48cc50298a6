#include "platform/audio/primary_sound_buffer.h"

HRESULT TPrimarySoundBuffer::SetFormat(const TWaveFormatEx *format) {
  if (!format)
    return DSERR_INVALIDPARAM;
  const uint16_t bits = format->wBitsPerSample;
  const bool pcm = format->wFormatTag == WAVE_FORMAT_PCM && format->nChannels > 0 && format->nSamplesPerSec > 0 &&
                   (bits == 8 || bits == 16 || bits == 24 || bits == 32) &&
                   format->nBlockAlign == format->nChannels * (bits / 8);
  if (!pcm)
    return DSERR_BADFORMAT;
  FFormat = *format;
  FFormat.cbSize = 0;
  return S_OK;
}
