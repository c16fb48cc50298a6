#pragma once

#include "sound/owned_format_wave_stream.h"

// Reads or writes a RIFF/WAVE image in another stream (not owned), starting at that stream's
// position when the wave stream is made.
//
// Reading trusts no header: a chunk that claims more bytes than the stream holds fails with
// "Stream read error" before anything is allocated or read for it.
class TWaveStream : public TCustomWaveStream2 {
public:
  explicit TWaveStream(TStream *baseStream);
  // Finishes a written image; a failure to write it is lost here, so writers call Finish first.
  ~TWaveStream() override;
  TWaveStream(const TWaveStream &) = delete;
  TWaveStream &operator=(const TWaveStream &) = delete;

  void Open(bool forWriting);
  // Writes the final RIFF and data headers of an image opened for writing (once).
  void Finish();

  int64_t WaveSize() override;
  int64_t ReadWave(void *buffer, int64_t count) override;
  int64_t WriteWave(const void *buffer, int64_t count) override;

  bool Opened() const { return FOpened; }
  bool ReadMode() const { return FReadMode; }
  int64_t DataOffset() const { return FDataOffset; }

private:
  void OpenForReading();
  void OpenForWriting();
  // Raises the stream read error when fewer than `size` bytes are left in the base stream.
  void CheckChunkFits(uint32_t size);
  void Skip(uint32_t size);
  void CheckOpened() const;

  int64_t FDataOffset = 0;
  int64_t FDataHeaderPosition = 0;
  bool FOpened = false;
  int64_t FStartPosition = 0;
  bool FReadMode = false;
  int64_t FDataSize = 0;
  bool FFinished = false;
  TStream *FBaseStream;
};
