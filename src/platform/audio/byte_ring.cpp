#include "platform/audio/byte_ring.h"

#include <algorithm>
#include <cstring>

TByteRing::TByteRing(uint32_t size) : FBytes(new uint8_t[size]()), FSize(size) {}

void TByteRing::Append(const uint8_t *bytes, uint32_t count) {
  uint32_t cursor = FCursor.load(std::memory_order_relaxed);
  if (count > FSize) { // only the newest buffer-full survives anyway
    bytes += count - FSize;
    cursor = (cursor + count - FSize) % FSize;
    count = FSize;
  }
  const uint32_t first = std::min(count, FSize - cursor);
  std::memcpy(FBytes.get() + cursor, bytes, first);
  std::memcpy(FBytes.get(), bytes + first, count - first);
  FCursor.store((cursor + count) % FSize, std::memory_order_release);
}

void TByteRing::CopyOut(uint32_t offset, uint8_t *target, uint32_t count) const {
  while (count > 0) {
    offset %= FSize;
    const uint32_t piece = std::min(count, FSize - offset);
    std::memcpy(target, FBytes.get() + offset, piece);
    target += piece;
    offset += piece;
    count -= piece;
  }
}

void TByteRing::Advance(uint32_t from, uint32_t count) {
  uint32_t expected = from;
  FCursor.compare_exchange_strong(expected, uint32_t((uint64_t(from) + count) % FSize), std::memory_order_acq_rel);
}

HRESULT TByteRing::Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2,
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
