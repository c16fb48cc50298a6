#pragma once

#include "platform/audio/ring_sound_buffer.h"
#include "platform/audio/virtual_playback.h"

#include <vector>

// A secondary buffer of the virtual playback device: it plays only when the test advances it, and
// keeps everything it played.
class TVirtualPlaybackBuffer : public TRingSoundBuffer {
public:
  TVirtualPlaybackBuffer(TVirtualPlayback &device, const TWaveFormatEx &format, uint32_t bytes, uint32_t flags);
  ~TVirtualPlaybackBuffer() override;

  HRESULT Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2, uint32_t *bytes2,
               uint32_t flags) override;
  HRESULT Play(uint32_t reserved1, uint32_t priority, uint32_t flags) override;
  HRESULT Stop() override;

  uint32_t Flags() const { return FFlags; }
  const std::vector<uint8_t> &PlayedBytes() const { return FPlayed; }
  int PlayCalls() const { return FPlayCalls; }

  void Advance(uint32_t bytes);
  void Lose() { MarkLost(); }

private:
  TVirtualPlayback &FDevice;
  uint32_t FFlags;
  std::vector<uint8_t> FPlayed;
  int FPlayCalls = 0;
};
