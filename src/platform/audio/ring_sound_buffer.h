#pragma once

#include "platform/audio/byte_ring.h"
#include "platform/audio/playback_interfaces.h"

#include <atomic>

// What every secondary playback buffer shares, whatever plays it: the byte ring with its play
// cursor, the lock of up to two regions, the adjustable values, and the taking of bytes from the
// cursor on as the device plays them. The device side (an I/O thread, or a test's hand) calls
// Take; everything else is the buffer user's side.
class TRingSoundBuffer : public IDirectSoundBuffer {
public:
  TRingSoundBuffer(const TWaveFormatEx &format, uint32_t bytes);

  HRESULT GetCurrentPosition(uint32_t *playCursor, uint32_t *writeCursor) override;
  HRESULT SetCurrentPosition(uint32_t position) override;
  HRESULT Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2, uint32_t *bytes2,
               uint32_t flags) override;
  HRESULT Unlock(void *region1, uint32_t bytes1, void *region2, uint32_t bytes2) override;
  // A secondary buffer keeps the format it was made with.
  HRESULT SetFormat(const TWaveFormatEx *) override { return DSERR_INVALIDCALL; }
  HRESULT GetFrequency(uint32_t *frequency) override;
  HRESULT SetFrequency(uint32_t frequency) override;
  HRESULT GetPan(int32_t *pan) override;
  HRESULT SetPan(int32_t pan) override;
  HRESULT GetVolume(int32_t *volume) override;
  HRESULT SetVolume(int32_t volume) override;

  const TWaveFormatEx &Format() const { return FFormat; }
  uint32_t Size() const { return FRing.Size(); }
  bool Playing() const { return FPlaying.load(std::memory_order_acquire); }
  // Copies the whole contents (for a duplicate).
  void CopyContentsTo(TRingSoundBuffer &other) const;

protected:
  // Once the device is gone every call that needs it answers DSERR_BUFFERLOST.
  bool Lost() const { return FLost.load(std::memory_order_acquire); }
  void MarkLost() { FLost.store(true, std::memory_order_release); }
  // Play and Stop as the user sees them; the device side starts and ends its work around them.
  void SetPlaying(bool playing, bool looping);

  // Device side: copies up to `count` bytes of whole frames from the play cursor on into `target`,
  // with volume and pan applied, and answers how many; `from` is the cursor they start at. Without
  // looping the copy ends at the end of the buffer. Nothing moves until Played.
  uint32_t Take(uint8_t *target, uint32_t count, uint32_t &from);
  // Device side: `bytes` from `from` on have been played; past the end of a buffer that does not
  // loop, playing stops.
  void Played(uint32_t from, uint32_t bytes);

private:
  void ApplyGain(uint8_t *bytes, uint32_t count) const;

  TWaveFormatEx FFormat;
  TByteRing FRing;
  std::atomic<bool> FPlaying{false};
  std::atomic<bool> FLooping{false};
  std::atomic<bool> FLost{false};
  std::atomic<int32_t> FVolume{0};
  std::atomic<int32_t> FPan{0};
};
