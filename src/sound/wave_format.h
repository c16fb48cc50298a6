#pragma once

#include "platform/audio/wave_format_record.h"
#include "rtl/exception.h"

// Errors of the wave streams and of everything built on them.
class EWaveStreamError : public Exception {
public:
  using Exception::Exception;
};

// Fills `format` for plain PCM and answers it. The block alignment keeps whole bytes only, so a
// bit depth that is not a multiple of 8 loses its remainder there.
TWaveFormatEx &MakePcmFormat(TWaveFormatEx &format, uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t channels);

// The byte that sounds as silence in a sample of this width.
inline uint8_t SilenceByte(int bitsPerSample) { return bitsPerSample == 8 ? 0x80 : 0x00; }
