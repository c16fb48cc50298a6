#pragma once

#include "platform/audio/alsa_pcm.h"
#include "platform/audio/playback_device.h"

#include <memory>

// The default playback device on ALSA: each secondary buffer plays into its own "default" PCM,
// so the sound server mixes them.
class TAlsaPlaybackDevice : public TPlaybackDevice {
public:
  // S_OK and the device, or DSERR_NODRIVER when ALSA has no playback PCM to offer.
  static HRESULT Create(std::shared_ptr<IDirectSound> &sound);

protected:
  HRESULT MakeSecondary(const TWaveFormatEx &format, uint32_t bytes, uint32_t flags,
                        std::shared_ptr<TRingSoundBuffer> &buffer) override;

private:
  std::shared_ptr<TAlsaProbe> FProbe = std::make_shared<TAlsaProbe>(SND_PCM_STREAM_PLAYBACK);
};
