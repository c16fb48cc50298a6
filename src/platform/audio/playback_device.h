#pragma once

#include "platform/audio/playback_interfaces.h"

#include <memory>

class TPrimarySoundBuffer;
class TRingSoundBuffer;

// What every playback device shares, whatever plays its buffers: the cooperative level it is
// given (kept, since the sound server shares the output among all programs whatever the level),
// the checks of a buffer description, the primary buffer and duplicates. A device makes its own
// secondary buffers.
class TPlaybackDevice : public IDirectSound {
public:
  HRESULT SetCooperativeLevel(QWidget *window, uint32_t level) override;
  HRESULT CreateSoundBuffer(const TDSBufferDesc *description, std::shared_ptr<IDirectSoundBuffer> &buffer,
                            void *outer) override;
  HRESULT DuplicateSoundBuffer(IDirectSoundBuffer *original, std::shared_ptr<IDirectSoundBuffer> &duplicate) override;

  QWidget *CooperativeWindow() const { return FWindow; }
  uint32_t CooperativeLevel() const { return FLevel; }

protected:
  // A secondary buffer of `bytes` at `format` (both checked already), with the caps `flags`.
  virtual HRESULT MakeSecondary(const TWaveFormatEx &format, uint32_t bytes, uint32_t flags,
                                std::shared_ptr<TRingSoundBuffer> &buffer) = 0;
  virtual std::shared_ptr<TPrimarySoundBuffer> MakePrimary();

private:
  QWidget *FWindow = nullptr;
  uint32_t FLevel = 0;
};
