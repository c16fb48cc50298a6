#pragma once

#include "rtl/exception.h"

#include <cstdint>
#include <vector>

// An index outside a list.
class EListError : public Exception {
public:
  using Exception::Exception;
};

// One PCM format the capture device accepts.
struct TSoundCaptureFormat {
  int32_t BitsPerSample;
  int32_t Channels;
  int32_t SamplesPerSec;
};

// The accepted formats in the order they were found.
class TSoundCaptureFormats {
public:
  int Count() const { return int(FItems.size()); }
  // EListError "List index out of bounds (%d)" outside 0..Count-1.
  const TSoundCaptureFormat &Items(int index) const;
  void Add(const TSoundCaptureFormat &format) { FItems.push_back(format); }

private:
  std::vector<TSoundCaptureFormat> FItems;
};
