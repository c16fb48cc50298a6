#include "platform/audio/virtual_playback_buffer.h"

TVirtualPlaybackBuffer::TVirtualPlaybackBuffer(TVirtualPlayback &device, const TWaveFormatEx &format, uint32_t bytes,
                                               uint32_t flags)
    : TRingSoundBuffer(format, bytes), FDevice(device), FFlags(flags) {
  FDevice.Attach(this);
}

TVirtualPlaybackBuffer::~TVirtualPlaybackBuffer() {
  if (TVirtualPlayback::Current() == &FDevice)
    FDevice.Detach(this);
}

HRESULT TVirtualPlaybackBuffer::Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2,
                                     uint32_t *bytes2, uint32_t flags) {
  if (FDevice.FailLock && !Lost())
    return DSERR_GENERIC;
  return TRingSoundBuffer::Lock(offset, bytes, region1, bytes1, region2, bytes2, flags);
}

HRESULT TVirtualPlaybackBuffer::Play(uint32_t, uint32_t, uint32_t flags) {
  ++FPlayCalls;
  if (Lost())
    return DSERR_BUFFERLOST;
  SetPlaying(true, flags & DSBPLAY_LOOPING);
  return S_OK;
}

HRESULT TVirtualPlaybackBuffer::Stop() {
  SetPlaying(false, false);
  return S_OK;
}

void TVirtualPlaybackBuffer::Advance(uint32_t bytes) {
  while (bytes > 0 && Playing()) {
    const size_t at = FPlayed.size();
    FPlayed.resize(at + bytes);
    uint32_t from = 0;
    const uint32_t taken = Take(FPlayed.data() + at, bytes, from);
    FPlayed.resize(at + taken);
    Played(from, taken);
    if (taken == 0)
      break;
    bytes -= taken;
  }
}
