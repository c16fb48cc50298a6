#include "sound/custom_wave_stream.h"

#include <algorithm>

int64_t TCustomWaveStream::Read(void *buffer, int64_t count) {
  const int64_t waveSize = WaveSize();
  if (waveSize >= 0) {
    FPosition = std::min(FPosition, waveSize);
    count = std::min(count, waveSize - FPosition);
  }
  const int64_t result = ReadWave(buffer, count);
  FPosition += result;
  return result;
}

int64_t TCustomWaveStream::Write(const void *buffer, int64_t count) {
  const int64_t waveSize = WaveSize();
  if (waveSize >= 0)
    FPosition = std::min(FPosition, waveSize);
  const int64_t result = WriteWave(buffer, count);
  FPosition += result;
  return result;
}

int64_t TCustomWaveStream::Seek(int64_t offset, int origin) {
  FPosition = std::max<int64_t>(SeekTarget(FPosition, WaveSize(), offset, origin), 0);
  const int64_t waveSize = WaveSize();
  if (waveSize >= 0)
    FPosition = std::min(FPosition, waveSize);
  return FPosition;
}

void TCustomWaveStream::SetSize(int64_t) {}

int64_t TCustomWaveStream::ReadWave(void *, int64_t) { return 0; }

int64_t TCustomWaveStream::WriteWave(const void *, int64_t) { return 0; }

const TWaveFormatEx &TCustomWaveStream::PcmFormat() {
  const TWaveFormatEx *format = Format();
  if (!format || FormatSize() < WAVE_FORMAT_PCM_SIZE || format->nBlockAlign == 0)
    throw EWaveStreamError("Format is invalid");
  return *format;
}
