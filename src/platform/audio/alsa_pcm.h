#pragma once

#include "platform/audio/wave_format_record.h"
#include "platform/result_codes.h"

#include <alsa/asoundlib.h>

// What the capture and playback sides share about ALSA's "default" PCM.

inline constexpr const char *AlsaPcmName = "default";

// The PCM formats a sound buffer can hold, or SND_PCM_FORMAT_UNKNOWN for any other record.
snd_pcm_format_t AlsaFormatOf(const TWaveFormatEx &format);

// Sets up `pcm` for interleaved access at `format`, with periods near `periodFrames` and a device
// buffer near `deviceFrames` (both answered as granted); false when the PCM refuses any of it.
bool ConfigureAlsaPcm(snd_pcm_t *pcm, const TWaveFormatEx &format, snd_pcm_uframes_t &periodFrames,
                      snd_pcm_uframes_t &deviceFrames);

// A handle on the "default" PCM of one direction for asking which formats it accepts. A running
// buffer closes it before it opens the PCM itself, so a device that admits only one user at a
// time is free for it; the next question opens it again.
class TAlsaProbe {
public:
  explicit TAlsaProbe(snd_pcm_stream_t stream) : FStream(stream) {}
  ~TAlsaProbe() { Close(); }
  TAlsaProbe(const TAlsaProbe &) = delete;
  TAlsaProbe &operator=(const TAlsaProbe &) = delete;

  // S_OK, DSERR_BADFORMAT, or DSERR_NODRIVER when the PCM does not open.
  HRESULT Accepts(const TWaveFormatEx &format);
  void Close();

private:
  snd_pcm_stream_t FStream;
  snd_pcm_t *FPcm = nullptr;
};
