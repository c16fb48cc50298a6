#include "sound/wave_format.h"

TWaveFormatEx &MakePcmFormat(TWaveFormatEx &format, uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t channels) {
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = channels;
  format.nSamplesPerSec = samplesPerSec;
  format.wBitsPerSample = bitsPerSample;
  format.nBlockAlign = static_cast<uint16_t>(channels * (bitsPerSample / 8));
  format.nAvgBytesPerSec = format.nBlockAlign * samplesPerSec;
  format.cbSize = 0;
  return format;
}
