#pragma once

#include "platform/audio/capture_interfaces.h"

#include <atomic>
#include <cstdint>
#include <memory>

// The looping byte ring behind a capture buffer. One producer appends what the device delivered;
// the reader locks regions of it. The write cursor is the only thing both sides share, and it is
// published after the bytes it covers, so a reader never sees a cursor ahead of its data. The
// ring does not hold the producer back: a reader that falls a whole buffer behind is overtaken.
class TCaptureRing {
public:
  explicit TCaptureRing(uint32_t size);

  uint32_t Size() const { return FSize; }
  uint32_t WriteCursor() const { return FWriteCursor.load(std::memory_order_acquire); }
  void Append(const uint8_t *bytes, uint32_t count);
  void Reset() { FWriteCursor.store(0, std::memory_order_release); }

  HRESULT Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2,
               uint32_t *bytes2) const;

private:
  std::unique_ptr<uint8_t[]> FBytes;
  uint32_t FSize;
  std::atomic<uint32_t> FWriteCursor{0};
};
