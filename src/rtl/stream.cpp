#include "rtl/stream.h"

#include "rtl/exception.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <unistd.h>

int64_t TStream::Size() {
  const int64_t position = Seek(0, soFromCurrent);
  const int64_t size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

int64_t TStream::SeekTarget(int64_t position, int64_t size, int64_t offset, int origin) {
  switch (origin) {
  case soFromBeginning:
    return offset;
  case soFromCurrent:
    return position + offset;
  case soFromEnd:
    return size + offset;
  default:
    return position;
  }
}

void TStream::ReadBuffer(void *buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count)
    throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void *buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count)
    throw EWriteError("Stream write error");
}

TMemoryStream::~TMemoryStream() { std::free(FMemory); }

void TMemoryStream::Reserve(int64_t capacity) {
  if (capacity <= FCapacity)
    return;
  // Grow in steps so that a series of small writes does not copy the block each time.
  const int64_t grown = std::max(capacity, FCapacity + FCapacity / 2 + 256);
  auto *memory = static_cast<uint8_t *>(std::realloc(FMemory, static_cast<size_t>(grown)));
  if (!memory)
    throw std::bad_alloc();
  FMemory = memory;
  FCapacity = grown;
}

int64_t TMemoryStream::Read(void *buffer, int64_t count) {
  if (count <= 0 || FPosition >= FSize)
    return 0;
  const int64_t n = std::min(count, FSize - FPosition);
  std::memcpy(buffer, FMemory + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int64_t TMemoryStream::Write(const void *buffer, int64_t count) {
  if (count <= 0)
    return 0;
  const int64_t end = FPosition + count;
  if (end > FSize) {
    Reserve(end);
    if (FPosition > FSize) // writing after a seek past the end: the gap reads as zeros
      std::memset(FMemory + FSize, 0, static_cast<size_t>(FPosition - FSize));
    FSize = end;
  }
  std::memcpy(FMemory + FPosition, buffer, static_cast<size_t>(count));
  FPosition = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, int origin) {
  FPosition = std::max<int64_t>(SeekTarget(FPosition, FSize, offset, origin), 0);
  return FPosition;
}

void TMemoryStream::SetSize(int64_t size) {
  size = std::max<int64_t>(size, 0);
  Reserve(size);
  if (size > FSize)
    std::memset(FMemory + FSize, 0, static_cast<size_t>(size - FSize));
  FSize = size;
  FPosition = std::min(FPosition, FSize);
}

TFileStream::TFileStream(const char *fileName, uint16_t mode) {
  if (mode == fmCreate) {
    FHandle = ::open(fileName, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (FHandle < 0)
      throw EFCreateError("Cannot create file %s", fileName);
    return;
  }
  static constexpr int access[] = {O_RDONLY, O_WRONLY, O_RDWR};
  FHandle = ::open(fileName, access[std::min<int>(mode & 3, 2)] | O_CLOEXEC);
  if (FHandle < 0)
    throw EFOpenError("Cannot open file %s", fileName);
}

TFileStream::~TFileStream() {
  if (FHandle >= 0)
    ::close(FHandle);
}

namespace {

// Moves count bytes with read(2) or write(2), resuming after a signal and after a partial
// transfer; the bytes moved, fewer at the end of the file or on an error.
template <class Byte, class Call> int64_t TransferAll(int handle, Byte *buffer, int64_t count, Call call) {
  int64_t done = 0;
  while (done < count) {
    const ssize_t n = call(handle, buffer + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    done += n;
  }
  return done;
}

} // namespace

int64_t TFileStream::Read(void *buffer, int64_t count) {
  return TransferAll(FHandle, static_cast<char *>(buffer), count, ::read);
}

int64_t TFileStream::Write(const void *buffer, int64_t count) {
  return TransferAll(FHandle, static_cast<const char *>(buffer), count, ::write);
}

int64_t TFileStream::Seek(int64_t offset, int origin) {
  static constexpr int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (origin < 0 || origin > 2)
    return ::lseek(FHandle, 0, SEEK_CUR);
  const off_t result = ::lseek(FHandle, offset, whence[origin]);
  return result < 0 ? ::lseek(FHandle, 0, SEEK_CUR) : result;
}

void TFileStream::SetSize(int64_t size) {
  if (::ftruncate(FHandle, std::max<int64_t>(size, 0)) != 0)
    throw EWriteError("Stream write error");
  if (Position() > size)
    Seek(0, soFromEnd);
}
