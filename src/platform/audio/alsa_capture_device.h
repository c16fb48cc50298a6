#pragma once

#include "platform/audio/capture_interfaces.h"

#include "platform/audio/alsa_pcm.h"

#include <memory>

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

  std::shared_ptr<TAlsaProbe> FProbe = std::make_shared<TAlsaProbe>(SND_PCM_STREAM_CAPTURE);
};
