#include "platform/audio/virtual_playback.h"

#include "platform/audio/playback_device.h"
#include "platform/audio/primary_sound_buffer.h"
#include "platform/audio/virtual_playback_buffer.h"
#include "platform/audio/virtual_sound_module.h"

#include <algorithm>

TVirtualPlayback *TVirtualPlayback::FCurrent = nullptr;

namespace {

// Tells the test what format the primary buffer was given.
class TVirtualPrimaryBuffer : public TPrimarySoundBuffer {
public:
  HRESULT SetFormat(const TWaveFormatEx *format) override {
    const HRESULT result = TPrimarySoundBuffer::SetFormat(format);
    if (TVirtualPlayback *device = TVirtualPlayback::Current()) {
      ++device->SetFormatCalls;
      if (result == S_OK)
        device->PrimaryFormat = Format();
    }
    return result;
  }
};

class TVirtualSoundDevice : public TPlaybackDevice {
public:
  HRESULT SetCooperativeLevel(QWidget *window, uint32_t level) override {
    const HRESULT result = TPlaybackDevice::SetCooperativeLevel(window, level);
    if (TVirtualPlayback *device = TVirtualPlayback::Current(); device && result == S_OK) {
      device->CooperativeLevel = level;
      device->CooperativeWindow = window;
    }
    return result;
  }
  void Release() override { delete this; }

protected:
  HRESULT MakeSecondary(const TWaveFormatEx &format, uint32_t bytes, uint32_t flags,
                        TRingSoundBuffer **buffer) override {
    TVirtualPlayback *device = TVirtualPlayback::Current();
    if (!device)
      return DSERR_NODRIVER;
    device->LastBufferFlags = flags;
    if (device->FailCreateBuffer)
      return DSERR_GENERIC;
    *buffer = new TVirtualPlaybackBuffer(*device, format, bytes, flags);
    return S_OK;
  }
  TPrimarySoundBuffer *MakePrimary() override { return new TVirtualPrimaryBuffer; }
};

} // namespace

HRESULT TVirtualPlayback::CreateDevice(const TGUID *, IDirectSound **sound, void *) {
  *sound = nullptr;
  if (!FCurrent || FCurrent->NoDevice)
    return DSERR_NODRIVER;
  *sound = new TVirtualSoundDevice;
  return S_OK;
}

TVirtualPlayback::TVirtualPlayback() {
  FCurrent = this;
  RegisterVirtualSoundModule();
}

TVirtualPlayback::~TVirtualPlayback() {
  FCurrent = nullptr;
  UnregisterVirtualSoundModule();
}

void TVirtualPlayback::LoseBuffers() {
  for (TVirtualPlaybackBuffer *buffer : FBuffers)
    buffer->Lose();
}

void TVirtualPlayback::Advance(uint32_t bytes) {
  for (TVirtualPlaybackBuffer *buffer : FBuffers)
    buffer->Advance(bytes);
}

void TVirtualPlayback::Detach(TVirtualPlaybackBuffer *buffer) {
  FBuffers.erase(std::remove(FBuffers.begin(), FBuffers.end(), buffer), FBuffers.end());
}
