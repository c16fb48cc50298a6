#include "platform/audio/playback_device.h"

#include "platform/audio/primary_sound_buffer.h"
#include "platform/audio/ring_sound_buffer.h"

#include <utility>

namespace {

constexpr uint32_t DescriptionSize = 20;
// The largest buffer the device interface allows.
constexpr uint32_t MaximumBufferBytes = 0x0FFFFFFF;

} // namespace

HRESULT TPlaybackDevice::SetCooperativeLevel(QWidget *window, uint32_t level) {
  if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
    return DSERR_INVALIDPARAM;
  FWindow = window;
  FLevel = level;
  return S_OK;
}

HRESULT TPlaybackDevice::CreateSoundBuffer(const TDSBufferDesc *description,
                                           std::shared_ptr<IDirectSoundBuffer> &buffer, void *outer) {
  buffer.reset();
  if (!description || description->dwSize < DescriptionSize || outer)
    return DSERR_INVALIDPARAM;
  if (description->dwFlags & DSBCAPS_PRIMARYBUFFER) {
    if (description->lpwfxFormat || description->dwBufferBytes != 0)
      return DSERR_INVALIDPARAM;
    buffer = MakePrimary();
    return buffer ? S_OK : E_OUTOFMEMORY;
  }
  const TWaveFormatEx *format = description->lpwfxFormat;
  if (!format || format->nBlockAlign == 0 || description->dwBufferBytes < format->nBlockAlign ||
      description->dwBufferBytes > MaximumBufferBytes)
    return DSERR_INVALIDPARAM;
  std::shared_ptr<TRingSoundBuffer> made;
  const HRESULT result = MakeSecondary(*format, description->dwBufferBytes, description->dwFlags, made);
  buffer = std::move(made);
  return result;
}

std::shared_ptr<TPrimarySoundBuffer> TPlaybackDevice::MakePrimary() { return MakeInterface<TPrimarySoundBuffer>(); }

HRESULT TPlaybackDevice::DuplicateSoundBuffer(IDirectSoundBuffer *original,
                                              std::shared_ptr<IDirectSoundBuffer> &duplicate) {
  duplicate.reset();
  auto *source = dynamic_cast<TRingSoundBuffer *>(original);
  if (!source)
    return DSERR_INVALIDCALL; // the primary buffer has no duplicate
  std::shared_ptr<TRingSoundBuffer> made;
  const HRESULT result = MakeSecondary(source->Format(), source->Size(),
                                       DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME, made);
  if (Failed(result))
    return result;
  source->CopyContentsTo(*made);
  int32_t value = 0;
  source->GetVolume(&value);
  made->SetVolume(value);
  source->GetPan(&value);
  made->SetPan(value);
  duplicate = std::move(made);
  return S_OK;
}
