#include "sound/wave_stream.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t ChunkId(const char (&id)[5]) {
  return uint32_t(uint8_t(id[0])) | uint32_t(uint8_t(id[1])) << 8 | uint32_t(uint8_t(id[2])) << 16 |
         uint32_t(uint8_t(id[3])) << 24;
}

constexpr uint32_t RiffId = ChunkId("RIFF");
constexpr uint32_t WaveId = ChunkId("WAVE");
constexpr uint32_t FmtId = ChunkId("fmt ");
constexpr uint32_t DataId = ChunkId("data");

uint32_t LittleEndian32(const uint8_t *bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

void WriteLittleEndian32(TStream &stream, uint32_t value) {
  const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
  stream.WriteBuffer(bytes, 4);
}

} // namespace

TWaveStream::TWaveStream(TStream *baseStream) : FBaseStream(baseStream) { FStartPosition = baseStream->Position(); }

TWaveStream::~TWaveStream() {
  try {
    Finish();
  } catch (...) {
    // A destructor cannot report; Finish called by the writer already has.
  }
}

void TWaveStream::Open(bool forWriting) {
  if (FOpened)
    throw EWaveStreamError("Stream has already been opened");
  if (forWriting)
    OpenForWriting();
  else
    OpenForReading();
}

void TWaveStream::OpenForReading() {
  FOpened = true;
  FReadMode = true;
  FBaseStream->SetPosition(FStartPosition);
  if (FBaseStream->Size() - FStartPosition <= 0)
    return;

  uint8_t riff[12];
  FBaseStream->ReadBuffer(riff, sizeof riff);
  if (LittleEndian32(riff) != RiffId || LittleEndian32(riff + 8) != WaveId)
    throw EWaveStreamError("Wave is invalid");

  uint8_t header[8];
  for (;;) {
    std::memset(header, 0, sizeof header);
    FBaseStream->Read(header, sizeof header);
    const uint32_t id = LittleEndian32(header);
    if (id == 0)
      break;
    const uint32_t size = LittleEndian32(header + 4);
    CheckChunkFits(size);
    if (id == FmtId) {
      SetFormatSize(size);
      FBaseStream->ReadBuffer(Format(), size);
    } else if (id == DataId) {
      FDataSize = size;
      FDataOffset = FBaseStream->Position();
      Skip(size);
    } else {
      Skip(size);
    }
  }
}

void TWaveStream::OpenForWriting() {
  if (FormatSize() == 0)
    throw EWaveStreamError("Format is invalid");
  FOpened = true;
  FBaseStream->SetPosition(FStartPosition);
  const uint8_t placeholder[12] = {};
  FBaseStream->WriteBuffer(placeholder, sizeof placeholder);
  WriteLittleEndian32(*FBaseStream, FmtId);
  WriteLittleEndian32(*FBaseStream, static_cast<uint32_t>(FormatSize()));
  FBaseStream->WriteBuffer(Format(), FormatSize());
  FDataHeaderPosition = FBaseStream->Position();
  WriteLittleEndian32(*FBaseStream, DataId);
  WriteLittleEndian32(*FBaseStream, 0);
  FDataOffset = FBaseStream->Position();
}

void TWaveStream::Finish() {
  if (!FOpened || FReadMode || FFinished)
    return;
  FFinished = true;
  const int64_t end = FBaseStream->Size();
  const int64_t waveSize = end - FDataOffset;
  // The RIFF size counts what follows its own field, including the pad byte an odd data chunk needs.
  const int64_t riffSize = end - FStartPosition - 8 + (waveSize & 1);
  FBaseStream->SetPosition(FStartPosition);
  WriteLittleEndian32(*FBaseStream, RiffId);
  WriteLittleEndian32(*FBaseStream, static_cast<uint32_t>(riffSize));
  WriteLittleEndian32(*FBaseStream, WaveId);
  FBaseStream->SetPosition(FDataHeaderPosition);
  WriteLittleEndian32(*FBaseStream, DataId);
  WriteLittleEndian32(*FBaseStream, static_cast<uint32_t>(waveSize));
  FBaseStream->Seek(0, soFromEnd);
  const uint8_t pad = 0;
  FBaseStream->WriteBuffer(&pad, 1);
}

int64_t TWaveStream::WaveSize() {
  if (!FOpened)
    return 0;
  if (FReadMode)
    return FDataSize;
  return FBaseStream->Size() - FDataOffset;
}

int64_t TWaveStream::ReadWave(void *buffer, int64_t count) {
  CheckOpened();
  FBaseStream->SetPosition(FPosition + FDataOffset);
  return FBaseStream->Read(buffer, count);
}

int64_t TWaveStream::WriteWave(const void *buffer, int64_t count) {
  CheckOpened();
  if (FReadMode)
    count = std::min(count, FDataSize - FPosition);
  FBaseStream->SetPosition(FPosition + FDataOffset);
  return FBaseStream->Write(buffer, count);
}

void TWaveStream::CheckChunkFits(uint32_t size) {
  if (int64_t(size) > FBaseStream->Size() - FBaseStream->Position())
    throw EReadError("Stream read error");
}

void TWaveStream::Skip(uint32_t size) { FBaseStream->Seek(size, soFromCurrent); }

void TWaveStream::CheckOpened() const {
  if (!FOpened)
    throw EWaveStreamError("Stream not opend");
}
