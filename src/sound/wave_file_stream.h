#pragma once

#include "sound/wave_stream.h"

#include <memory>

// Holds the file so that it exists before the wave stream over it and outlives it.
class TWaveFileHolder {
protected:
  TWaveFileHolder(const char *fileName, uint16_t mode) : FFileStream(std::make_unique<TFileStream>(fileName, mode)) {}

  std::unique_ptr<TFileStream> FFileStream;
};

// A wave stream over its own file (mode as for TFileStream; EFOpenError when it cannot be opened).
class TWaveFileStream : private TWaveFileHolder, public TWaveStream {
public:
  TWaveFileStream(const char *fileName, uint16_t mode);

  TFileStream &FileStream() { return *FFileStream; }
};
