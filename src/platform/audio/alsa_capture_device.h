#pragma once

#include "platform/audio/capture_interfaces.h"

#include <alsa/asoundlib.h>
#include <memory>

// The PCM formats a capture buffer can hold, or SND_PCM_FORMAT_UNKNOWN for any other record.
snd_pcm_format_t AlsaFormatOf(const TWaveFormatEx &format);

// A handle on ALSA's "default" capture PCM for asking which formats it accepts. The running
// buffer closes it before it opens the PCM itself, so a device that admits only one user at a
// time is free for it; the next question opens it again.
class TAlsaCaptureProbe {
public:
  ~TAlsaCaptureProbe() { Close(); }

  HRESULT Accepts(const TWaveFormatEx &format);
  void Close();

private:
  snd_pcm_t *FPcm = nullptr;
};

// The default capture device on ALSA.
class TAlsaCaptureDevice : public IDirectSoundCapture {
public:
  // S_OK and the device, or DSERR_NODRIVER when ALSA has no capture PCM to offer.
  static HRESULT Create(IDirectSoundCapture **capture);

  HRESULT CreateCaptureBuffer(const TDSCBufferDesc *description, IDirectSoundCaptureBuffer **buffer,
                              void *outer) override;
  void Release() override { delete this; }

private:
  TAlsaCaptureDevice() = default;
  ~TAlsaCaptureDevice() override = default;

  std::shared_ptr<TAlsaCaptureProbe> FProbe = std::make_shared<TAlsaCaptureProbe>();
};
