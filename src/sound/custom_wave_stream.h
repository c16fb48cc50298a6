#pragma once

#include "rtl/stream.h"
#include "sound/wave_format.h"

#include <cstdint>

// A stream of PCM bytes that also answers its format. Position counts bytes of wave data; when the
// wave size is known, reads and positions stay inside it.
class TCustomWaveStream : public TStream {
public:
  int64_t Read(void *buffer, int64_t count) override;
  int64_t Write(const void *buffer, int64_t count) override;
  int64_t Seek(int64_t offset, int origin) override;
  void SetSize(int64_t size) override;

  // Bytes that can be read at once; -1 when no limit is known.
  virtual int64_t ReadableSize() { return -1; }
  // The format record, or nullptr without one. At least 18 bytes are addressable behind it, even
  // when the record itself is shorter.
  virtual TWaveFormatEx *Format() = 0;
  virtual int64_t FormatSize() { return 0; }
  // Bytes of wave data; -1 when unknown.
  virtual int64_t WaveSize() { return -1; }
  virtual int64_t ReadWave(void *buffer, int64_t count);
  virtual void SetFormatSize(int64_t size) = 0;
  virtual int64_t WriteWave(const void *buffer, int64_t count);

  // The format for code that computes with it: raises EWaveStreamError "Format is invalid" when
  // there is no record up to the bits per sample or its block alignment is 0, so nothing divides
  // by a missing field.
  const TWaveFormatEx &PcmFormat();

protected:
  int64_t FPosition = 0;
};
