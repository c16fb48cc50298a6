#pragma once

#include "platform/audio/capture_interfaces.h"

#include <atomic>
#include <cstdint>
#include <memory>

// The looping byte ring behind a sound buffer, shared by the buffer's user (who locks regions of
// it) and the device's I/O thread. The cursor is where the device is: a capture device appends
// there, a playback device takes from there. It is the one value both sides share besides the
// bytes, and it is published after the bytes it covers, so nobody sees a cursor ahead of its data.
// The ring holds nobody back: a capture reader that falls a whole buffer behind is overtaken, and a
// playback writer that falls behind hears the old contents again.
class TByteRing {
public:
  explicit TByteRing(uint32_t size);

  uint32_t Size() const { return FSize; }
  uint32_t Cursor() const { return FCursor.load(std::memory_order_acquire); }
  void SetCursor(uint32_t cursor) { FCursor.store(cursor % FSize, std::memory_order_release); }

  // Producer side: the bytes go in at the cursor, which then moves past them.
  void Append(const uint8_t *bytes, uint32_t count);
  // Consumer side: copies `count` bytes from `offset` on, around the end; nothing moves.
  void CopyOut(uint32_t offset, uint8_t *target, uint32_t count) const;
  // Consumer side: moves the cursor from `from` on by `count`, unless the user set it meanwhile
  // (then the user's cursor stands).
  void Advance(uint32_t from, uint32_t count);

  // What the user wrote into locked regions becomes visible to the consumer with Publish; the
  // consumer calls Acquire before it copies out.
  void Publish() { FWrites.fetch_add(1, std::memory_order_release); }
  void Acquire() const { FWrites.load(std::memory_order_acquire); }

  // Up to two regions: from `offset` to the end, then from the start.
  HRESULT Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2,
               uint32_t *bytes2) const;

private:
  std::unique_ptr<uint8_t[]> FBytes;
  uint32_t FSize;
  std::atomic<uint32_t> FCursor{0};
  std::atomic<uint32_t> FWrites{0};
};
