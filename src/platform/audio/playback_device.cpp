#include "platform/audio/playback_device.h"

#include "platform/audio/primary_sound_buffer.h"
#include "platform/audio/ring_sound_buffer.h"

#include <new>

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

HRESULT TPlaybackDevice::CreateSoundBuffer(const TDSBufferDesc *description, IDirectSoundBuffer **buffer, void *outer) {
  if (!description || description->dwSize < DescriptionSize || !buffer || outer)
    return DSERR_INVALIDPARAM;
  *buffer = nullptr;
  if (description->dwFlags & DSBCAPS_PRIMARYBUFFER) {
    if (description->lpwfxFormat || description->dwBufferBytes != 0)
      return DSERR_INVALIDPARAM;
    *buffer = MakePrimary();
    return *buffer ? S_OK : E_OUTOFMEMORY;
  }
  const TWaveFormatEx *format = description->lpwfxFormat;
  if (!format || format->nBlockAlign == 0 || description->dwBufferBytes < format->nBlockAlign ||
      description->dwBufferBytes > MaximumBufferBytes)
    return DSERR_INVALIDPARAM;
  TRingSoundBuffer *made = nullptr;
  const HRESULT result = MakeSecondary(*format, description->dwBufferBytes, description->dwFlags, &made);
  *buffer = made;
  return result;
}

TPrimarySoundBuffer *TPlaybackDevice::MakePrimary() { return new (std::nothrow) TPrimarySoundBuffer; }

HRESULT TPlaybackDevice::DuplicateSoundBuffer(IDirectSoundBuffer *original, IDirectSoundBuffer **duplicate) {
  if (!duplicate)
    return DSERR_INVALIDPARAM;
  *duplicate = nullptr;
  auto *source = dynamic_cast<TRingSoundBuffer *>(original);
  if (!source)
    return DSERR_INVALIDCALL; // the primary buffer has no duplicate
  TRingSoundBuffer *made = nullptr;
  const HRESULT result = MakeSecondary(source->Format(), source->Size(),
                                       DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME, &made);
  if (Failed(result))
    return result;
  source->CopyContentsTo(*made);
  int32_t value = 0;
  source->GetVolume(&value);
  made->SetVolume(value);
  source->GetPan(&value);
  made->SetPan(value);
  *duplicate = made;
  return S_OK;
}
