#pragma once

#include "app/scope_state.h"

#include <algorithm>

// Copies the first `bytes` bytes of the staging area into the ring as whole frames from
// WriteIndex on, wrapping at the ring's end, and counts them as pending for both channels. A
// trailing partial frame is left out. `bytes` is at most StagingBytes. Returns the frames copied.
int CopyStagedFrames(TScopeState &state, int bytes);

// Hands one captured block of `readable` bytes to the ring. `read(buffer, count)` must copy the
// next `count` captured bytes into `buffer` and return how many it copied. The block is read in
// passes no larger than the staging area, so a block larger than the ring never overruns
// anything: later passes simply overwrite the oldest frames, as the ring would anyway.
// LastBlockFrames becomes the block's whole frames (0 for a block under one frame).
// Allocates nothing.
template <class Read> void HandOffBlock(TScopeState &state, int readable, Read &&read) {
  int frames = 0;
  while (readable > 0) {
    const int pass = std::min(readable, StagingBytes);
    const int got = std::clamp(static_cast<int>(read(state.StagingArea.data(), pass)), 0, pass);
    frames += CopyStagedFrames(state, got);
    if (got < pass)
      break; // the stream ran dry; what it did not give cannot be framed
    readable -= pass;
  }
  state.LastBlockFrames = frames;
}
