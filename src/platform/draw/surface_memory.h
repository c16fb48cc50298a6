#pragma once

#include "platform/draw/draw_types.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// Zeroed bytes in a memory file where the system has them, so that the display server can map
// them and show what they hold without a copy; in private memory otherwise (Fd() is then -1).
class TShareableBytes {
public:
  explicit TShareableBytes(size_t size);
  ~TShareableBytes();
  TShareableBytes(const TShareableBytes &) = delete;
  TShareableBytes &operator=(const TShareableBytes &) = delete;

  uint8_t *data() { return FData; }
  const uint8_t *data() const { return FData; }
  size_t size() const { return FSize; }
  // The memory file, open while the bytes live; -1 for private memory.
  int Fd() const { return FFd; }

private:
  uint8_t *FData = nullptr;
  size_t FSize;
  int FFd = -1;
};

// One buffer of a surface's pixels, and what is known of them: that they are a copy of another
// buffer as it stood at one version, but for some rows.
struct TPixelBuffer {
  explicit TPixelBuffer(size_t size);

  TShareableBytes Bytes;
  uint64_t Id;          // unique while the program runs
  uint64_t Version = 0; // counts the writes
  uint64_t BaseId = 0;  // 0: nothing is known
  uint64_t BaseVersion = 0;
  TRowSpan Changed; // the rows that may differ from the base
};

// The rows in which two buffers of `rows` rows may differ.
TRowSpan Difference(const TPixelBuffer &a, const TPixelBuffer &b, int rows);

// A memory surface's pixels, shared by the surface and its duplicates. A present lends them to
// the screen instead of copying them; the next write then moves to a buffer of its own, so what
// the screen shows never changes under it. Two buffers take turns: the one last lent comes back
// for reuse once the screen has let it go. A copy of all of another surface's pixels skips the
// rows the buffer already holds from the last such copy.
class TSurfaceMemory {
public:
  TSurfaceMemory(size_t size, int rows);

  const uint8_t *Read() const { return FPixels->Bytes.data(); }
  // The pixels to write `rows` of, keeping the others.
  uint8_t *Write(TRowSpan rows);
  // The pixels to write every row of, when what they held is of no use.
  uint8_t *Replace();
  // The pixels to make a copy of all of `source`'s; `rows` are the ones still to be copied.
  uint8_t *CopyOf(const TSurfaceMemory &source, TRowSpan &rows);
  // `rows` were written through pixels from an earlier Write.
  void Wrote(TRowSpan rows);
  // The pixels as they stand, for the screen to show; unchanged for as long as it holds them.
  std::shared_ptr<const TPixelBuffer> Lend() const { return FPixels; }

private:
  // A buffer that nobody else holds, with what it held (`keep`) or not.
  void Own(bool keep);

  int FRows;
  std::shared_ptr<TPixelBuffer> FPixels;
  std::shared_ptr<TPixelBuffer> FSpare;
};
