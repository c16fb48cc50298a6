#include "platform/audio/capture_ring.h"

#include <algorithm>
#include <cstring>

TCaptureRing::TCaptureRing(uint32_t size) : FBytes(new uint8_t[size]()), FSize(size) {}

void TCaptureRing::Append(const uint8_t *bytes, uint32_t count) {
  uint32_t cursor = FWriteCursor.load(std::memory_order_relaxed);
  if (count > FSize) { // only the newest buffer-full survives anyway
    bytes += count - FSize;
    cursor = (cursor + count - FSize) % FSize;
    count = FSize;
  }
  const uint32_t first = std::min(count, FSize - cursor);
  std::memcpy(FBytes.get() + cursor, bytes, first);
  std::memcpy(FBytes.get(), bytes + first, count - first);
  FWriteCursor.store((cursor + count) % FSize, std::memory_order_release);
}

HRESULT TCaptureRing::Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2,
                           uint32_t *bytes2) const {
  if (!region1 || !bytes1 || offset >= FSize || bytes > FSize)
    return DSERR_INVALIDPARAM;
  const uint32_t first = std::min(bytes, FSize - offset);
  *region1 = FBytes.get() + offset;
  *bytes1 = first;
  const bool wraps = first < bytes;
  if (region2)
    *region2 = wraps ? FBytes.get() : nullptr;
  if (bytes2)
    *bytes2 = wraps ? bytes - first : 0;
  return S_OK;
}
