#include "platform/audio/virtual_playback.h"

#include "platform/audio/playback_device.h"
#include "platform/audio/primary_sound_buffer.h"
#include "platform/audio/virtual_playback_buffer.h"
#include "platform/audio/virtual_sound_module.h"

#include <algorithm>
#include <memory>

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

protected:
  HRESULT MakeSecondary(const TWaveFormatEx &format, uint32_t bytes, uint32_t flags,
                        std::shared_ptr<TRingSoundBuffer> &buffer) override {
    TVirtualPlayback *device = TVirtualPlayback::Current();
    if (!device)
      return DSERR_NODRIVER;
    device->LastBufferFlags = flags;
    if (device->FailCreateBuffer)
      return DSERR_GENERIC;
    buffer = std::make_shared<TVirtualPlaybackBuffer>(*device, format, bytes, flags);
    return S_OK;
  }
  std::shared_ptr<TPrimarySoundBuffer> MakePrimary() override { return std::make_shared<TVirtualPrimaryBuffer>(); }
};

} // namespace

HRESULT TVirtualPlayback::CreateDevice(const TGUID *, std::shared_ptr<IDirectSound> *sound, void *) {
  sound->reset();
  if (!FCurrent || FCurrent->NoDevice)
    return DSERR_NODRIVER;
  *sound = std::make_shared<TVirtualSoundDevice>();
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
