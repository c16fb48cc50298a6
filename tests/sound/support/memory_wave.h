#pragma once

#include "sound/wave_stream.h"
#include "support/wave_image.h"

#include <memory>

// A wave stream, opened for reading, over a RIFF/WAVE image held in memory.
class TMemoryWave {
public:
  explicit TMemoryWave(const TWaveImage &image) {
    image.WriteTo(FMemory);
    FMemory.SetPosition(0);
    FWave = std::make_unique<TWaveStream>(&FMemory);
    FWave->Open(false);
  }

  TWaveStream &Stream() { return *FWave; }

private:
  TMemoryStream FMemory;
  std::unique_ptr<TWaveStream> FWave;
};
