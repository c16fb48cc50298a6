#include "sound/wave.h"

#include "sound/wave_stream.h"

#include <algorithm>
#include <cstring>

void TWave::Clear() {
  FData.reset();
  FFormat.reset();
  FSize = 0;
  FCapacity = 0;
  FFormatSize = 0;
}

void TWave::SetFormatSize(int64_t size) {
  size = std::max<int64_t>(size, 0);
  std::unique_ptr<uint8_t[]> block;
  if (size > 0) {
    // Never less than a whole record, so reading any field of a short record is safe.
    block.reset(new uint8_t[std::max<int64_t>(size, sizeof(TWaveFormatEx))]());
    if (FFormat)
      std::memcpy(block.get(), FFormat.get(), std::min(size, FFormatSize));
  }
  FFormat = std::move(block);
  FFormatSize = size;
}

void TWave::SetSize(int64_t size) {
  size = std::max<int64_t>(size, 0);
  const int64_t blocks = (size + BlockSize - 1) / BlockSize;
  if (blocks * BlockSize != FCapacity) {
    const int64_t capacity = blocks * BlockSize;
    std::unique_ptr<uint8_t[]> block;
    if (capacity > 0) {
      block.reset(new uint8_t[capacity]);
      if (FData)
        std::memcpy(block.get(), FData.get(), std::min(FSize, capacity));
    }
    FData = std::move(block);
    FCapacity = capacity;
  }
  FSize = size;
}

void TWave::Assign(const TWave *source) {
  if (!source) {
    Clear();
    return;
  }
  if (source == this)
    return;
  SetSize(source->FSize);
  SetFormatSize(source->FFormatSize);
  if (FSize > 0)
    std::memcpy(FData.get(), source->FData.get(), FSize);
  if (FFormatSize > 0)
    std::memcpy(FFormat.get(), source->FFormat.get(), FFormatSize);
}

void TWave::LoadFromStream(TStream &stream) {
  Clear();
  try {
    TWaveStream wave(&stream);
    wave.Open(false);
    SetFormatSize(wave.FormatSize());
    if (FFormatSize > 0)
      std::memcpy(FFormat.get(), wave.Format(), FFormatSize);
    SetSize(wave.WaveSize());
    wave.ReadBuffer(FData.get(), FSize);
  } catch (...) {
    Clear();
    throw;
  }
}

void TWave::SaveToStream(TStream &stream) const {
  if (FFormatSize <= 0 || FSize <= 0)
    return;
  TWaveStream wave(&stream);
  wave.SetFormatSize(FFormatSize);
  std::memcpy(wave.Format(), FFormat.get(), FFormatSize);
  wave.Open(true);
  wave.WriteBuffer(FData.get(), FSize);
  wave.Finish();
}
