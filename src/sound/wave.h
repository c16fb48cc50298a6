#pragma once

#include "rtl/stream.h"
#include "sound/wave_format.h"

#include <cstdint>
#include <memory>

// A wave held in memory: format record and PCM data, loaded from and saved as a RIFF/WAVE image.
class TWave {
public:
  // Bytes of one block of the data's storage; the capacity is kept in whole blocks.
  static constexpr int64_t BlockSize = 8096;

  TWave() = default;
  TWave(const TWave &) = delete;
  TWave &operator=(const TWave &) = delete;

  void Clear();
  // Copies `source` (nullptr clears).
  void Assign(const TWave *source);
  // EWaveStreamError / "Stream read error" on a bad image; the wave is then empty.
  void LoadFromStream(TStream &stream);
  // Writes nothing for a wave without format or data.
  void SaveToStream(TStream &stream) const;
  void SetFormatSize(int64_t size);
  void SetSize(int64_t size);

  uint8_t *Data() { return FData.get(); }
  const uint8_t *Data() const { return FData.get(); }
  TWaveFormatEx *Format() { return FFormatSize > 0 ? reinterpret_cast<TWaveFormatEx *>(FFormat.get()) : nullptr; }
  const TWaveFormatEx *Format() const { return const_cast<TWave *>(this)->Format(); }
  int64_t FormatSize() const { return FFormatSize; }
  int64_t Size() const { return FSize; }
  int64_t Capacity() const { return FCapacity; }

private:
  std::unique_ptr<uint8_t[]> FData;
  std::unique_ptr<uint8_t[]> FFormat;
  int64_t FFormatSize = 0;
  int64_t FSize = 0;
  int64_t FCapacity = 0;
};
