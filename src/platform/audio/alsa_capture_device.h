#pragma once

#include "platform/audio/capture_interfaces.h"

#include "platform/audio/alsa_pcm.h"

#include <memory>

// The default capture device on ALSA.
class TAlsaCaptureDevice : public IDirectSoundCapture {
public:
  // S_OK and the device, or DSERR_NODRIVER when ALSA has no capture PCM to offer.
  static HRESULT Create(std::shared_ptr<IDirectSoundCapture> &capture);

  HRESULT CreateCaptureBuffer(const TDSCBufferDesc *description, std::shared_ptr<IDirectSoundCaptureBuffer> &buffer,
                              void *outer) override;

private:
  std::shared_ptr<TAlsaProbe> FProbe = std::make_shared<TAlsaProbe>(SND_PCM_STREAM_CAPTURE);
};
