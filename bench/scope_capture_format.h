#pragma once

#include "sound/capture_stream.h"

// Sets a capture stream up as the scope records: 44100 Hz, 16 bits, stereo, a 300 ms buffer.
inline void UseScopeCaptureFormat(TSoundCaptureStream &stream) {
  for (int i = 0; i < stream.SupportedFormats().Count(); ++i) {
    const TSoundCaptureFormat &f = stream.SupportedFormats().Items(i);
    if (f.SamplesPerSec == 44100 && f.BitsPerSample == 16 && f.Channels == 2)
      stream.SetFormatIndex(i);
  }
  stream.SetBufferMilliseconds(300);
}
