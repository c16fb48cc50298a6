#pragma once

#include <cstdint>

// Byte streams with a position. Seek origins: 0 from the beginning, 1 from the current position,
// 2 from the end.
class TStream {
public:
  enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

  virtual ~TStream() = default;

  virtual int64_t Read(void *buffer, int64_t count) = 0;
  virtual int64_t Write(const void *buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, int origin) = 0;
  virtual void SetSize(int64_t size) = 0;

  int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t position) { Seek(position, soFromBeginning); }
  int64_t Size();

  // Where a seek from `position` in a stream of `size` bytes lands, before any limits; an
  // unknown origin leaves the position where it is.
  static int64_t SeekTarget(int64_t position, int64_t size, int64_t offset, int origin);

  // Exact transfers: anything short raises "Stream read error" / "Stream write error".
  void ReadBuffer(void *buffer, int64_t count);
  void WriteBuffer(const void *buffer, int64_t count);
};

// A stream over a growable block of memory.
class TMemoryStream : public TStream {
public:
  ~TMemoryStream() override;

  int64_t Read(void *buffer, int64_t count) override;
  int64_t Write(const void *buffer, int64_t count) override;
  int64_t Seek(int64_t offset, int origin) override;
  void SetSize(int64_t size) override;

  const uint8_t *Memory() const { return FMemory; }
  uint8_t *Memory() { return FMemory; }
  void Clear() { SetSize(0); }

private:
  void Reserve(int64_t capacity);

  uint8_t *FMemory = nullptr;
  int64_t FSize = 0;
  int64_t FCapacity = 0;
  int64_t FPosition = 0;
};

// A stream over a file. Modes: fmCreate makes a new, empty file; otherwise the file must exist.
class TFileStream : public TStream {
public:
  enum TFileMode : uint16_t { fmOpenRead = 0, fmOpenWrite = 1, fmOpenReadWrite = 2, fmCreate = 0xFFFF };

  TFileStream(const char *fileName, uint16_t mode); // EFOpenError / EFCreateError
  ~TFileStream() override;
  TFileStream(const TFileStream &) = delete;
  TFileStream &operator=(const TFileStream &) = delete;

  int64_t Read(void *buffer, int64_t count) override;
  int64_t Write(const void *buffer, int64_t count) override;
  int64_t Seek(int64_t offset, int origin) override;
  void SetSize(int64_t size) override;

private:
  int FHandle = -1;
};
