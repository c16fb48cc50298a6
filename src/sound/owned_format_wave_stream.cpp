#include "sound/owned_format_wave_stream.h"

#include <algorithm>
#include <cstring>

void TCustomWaveStream2::SetFormatSize(int64_t size) {
  size = std::max<int64_t>(size, 0);
  if (size == 0) {
    FFormat.reset();
    FFormatSize = 0;
    return;
  }
  // Never less than a whole record, zero-filled, so reading any field of a short record is safe.
  const int64_t capacity = std::max<int64_t>(size, sizeof(TWaveFormatEx));
  std::unique_ptr<uint8_t[]> block(new uint8_t[capacity]());
  if (FFormat)
    std::memcpy(block.get(), FFormat.get(), std::min(size, FFormatSize));
  FFormat = std::move(block);
  FFormatSize = size;
}

TWaveFormatEx *TCustomWaveStream2::Format() {
  return FFormatSize > 0 ? reinterpret_cast<TWaveFormatEx *>(FFormat.get()) : nullptr;
}
