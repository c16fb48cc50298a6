#pragma once

#include "rtl/real48.h"

#include <array>
#include <cstdint>

enum TChannel { chI = 0, chII = 1 };

// Where the traces start out: both from the first column, channel I's zero line above channel II's.
constexpr int32_t InitialXStart = 1;
constexpr std::array<int32_t, 2> InitialVertOffsets{200, 300};

// Pen colours as colour values (red in the low byte). Drawn inverted, they show as aqua and blue.
constexpr uint32_t TraceRed = 0x0000FF;
constexpr uint32_t TraceYellow = 0x00FFFF;

// The fields every channel has a copy of.
struct TChannelState {
  int32_t PendingFrames = 0;      // captured and not yet consumed by this channel's traces
  int32_t ReadIndex = 0;          // ring index where the next trace starts
  int32_t DcLevel = 0;            // mean sample value, subtracted before scaling
  int32_t SyncRef = 0;            // first sample of the previous trace
  int32_t VertOffset = 0;         // screen row of the zero line
  int32_t VoltShift = 0;          // one pixel = 2^VoltShift sample units, 0..15
  TReal48 VoltFactor{0.1};        // volts per division at VoltShift 0
  int32_t SampleStep = 1;         // ring frames between two drawn points
  int32_t PixelStep = 1;          // pixels between two drawn points
  int32_t ZoomFactor = 1;         // 2 while x2 is down
  int32_t SpanWidth = 504;        // trace width in pixels
  int32_t XStart = InitialXStart; // column of the first point
  int32_t XEnd = 505;             // only persisted
  int32_t SkipFactor = 1;         // raised when the renderer falls a ring behind
  TReal48 MsPerDiv{0.0};          // last computed milliseconds per division
  uint32_t TraceColor = 0;        // pen colour; drawn inverted
};
