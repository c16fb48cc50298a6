#pragma once

#include <cstdint>

// A millisecond clock that wraps at 2^32, like the multimedia clock the frame timer reads.
uint32_t TimeGetTime();

// Milliseconds from `earlier` to `later`, taken modulo 2^32 and read as a signed number, so
// differences stay right across the wrap.
inline int32_t ClockDiff(uint32_t later, uint32_t earlier) { return static_cast<int32_t>(later - earlier); }
