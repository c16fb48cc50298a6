#include "platform/draw/surface_memory.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace {
std::atomic<uint64_t> LastBufferId{0};
} // namespace

TShareableBytes::TShareableBytes(size_t size) : FSize(size) {
  if (size > 0) {
    FFd = memfd_create("vexilo-pixels", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (FFd >= 0 && ftruncate(FFd, static_cast<off_t>(size)) == 0) {
      // Whoever maps the file may rely on its size: it can no longer shrink.
      fcntl(FFd, F_ADD_SEALS, F_SEAL_SHRINK);
      void *mapped = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, FFd, 0);
      if (mapped != MAP_FAILED) {
        FData = static_cast<uint8_t *>(mapped);
        return;
      }
    }
    if (FFd >= 0)
      close(FFd);
    FFd = -1;
  }
  FData = static_cast<uint8_t *>(std::calloc(std::max<size_t>(size, 1), 1));
  if (FData == nullptr)
    throw std::bad_alloc();
}

TShareableBytes::~TShareableBytes() {
  if (FFd < 0) {
    std::free(FData);
    return;
  }
  munmap(FData, FSize);
  close(FFd);
}

TPixelBuffer::TPixelBuffer(size_t size) : Bytes(size), Id(++LastBufferId) {}

TRowSpan Difference(const TPixelBuffer &a, const TPixelBuffer &b, int rows) {
  if (a.Id == b.Id && a.Version == b.Version)
    return {};
  if (a.BaseId != 0 && a.BaseId == b.BaseId && a.BaseVersion == b.BaseVersion)
    return a.Changed.Union(b.Changed);
  return {0, rows};
}

TSurfaceMemory::TSurfaceMemory(size_t size, int rows) : FRows(rows), FPixels(std::make_shared<TPixelBuffer>(size)) {}

void TSurfaceMemory::Own(bool keep) {
  if (FPixels.use_count() > 1) {
    if (!FSpare || FSpare.use_count() > 1)
      FSpare = std::make_shared<TPixelBuffer>(FPixels->Bytes.size());
    if (keep) {
      std::memcpy(FSpare->Bytes.data(), FPixels->Bytes.data(), FPixels->Bytes.size());
      FSpare->BaseId = FPixels->BaseId;
      FSpare->BaseVersion = FPixels->BaseVersion;
      FSpare->Changed = FPixels->Changed;
    }
    std::swap(FPixels, FSpare);
  }
  ++FPixels->Version;
}

uint8_t *TSurfaceMemory::Write(TRowSpan rows) {
  Own(true);
  Wrote(rows);
  return FPixels->Bytes.data();
}

uint8_t *TSurfaceMemory::Replace() {
  Own(false);
  FPixels->BaseId = 0;
  return FPixels->Bytes.data();
}

uint8_t *TSurfaceMemory::CopyOf(const TSurfaceMemory &source, TRowSpan &rows) {
  Own(false);
  TPixelBuffer &pixels = *FPixels;
  const TPixelBuffer &from = *source.FPixels;
  const bool holdsTheRest = pixels.BaseId == from.Id && pixels.BaseVersion == from.Version;
  rows = holdsTheRest ? pixels.Changed : TRowSpan{0, FRows};
  pixels.BaseId = from.Id;
  pixels.BaseVersion = from.Version;
  pixels.Changed = {};
  return pixels.Bytes.data();
}

void TSurfaceMemory::Wrote(TRowSpan rows) {
  FPixels->Changed = FPixels->Changed.Union(rows);
  ++FPixels->Version;
}
