#pragma once

#include "sound/custom_wave_stream.h"

#include <memory>

// A wave stream that owns its format record.
class TCustomWaveStream2 : public TCustomWaveStream {
public:
  TWaveFormatEx *Format() override;
  int64_t FormatSize() override { return FFormatSize; }
  // Resizes the record to `size` bytes (negative counts as 0), keeping its leading bytes.
  void SetFormatSize(int64_t size) override;

private:
  std::unique_ptr<uint8_t[]> FFormat;
  int64_t FFormatSize = 0;
};
