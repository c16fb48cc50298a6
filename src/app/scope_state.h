#pragma once

#include "rtl/real48.h"

#include <array>
#include <cstdint>

// Ring and staging sizes are fixed: the ring keeps one second at 48 kHz, and the staging area
// holds as many bytes as the ring holds frames, so one pass never copies more than the ring.
constexpr int RingFrames = 48000;
constexpr int RingLastIndex = RingFrames - 1;
constexpr int FrameBytes = 4;
constexpr int StagingBytes = RingFrames * FrameBytes;

// One captured frame: channel I (left) first, then channel II (right), signed 16-bit.
struct TSampleFrame {
  int16_t Left = 0;
  int16_t Right = 0;
};
static_assert(sizeof(TSampleFrame) == FrameBytes);

enum TChannel { chI = 0, chII = 1 };

// Pen colours as colour values (red in the low byte). Drawn inverted, they show as aqua and blue.
constexpr uint32_t TraceRed = 0x0000FF;
constexpr uint32_t TraceYellow = 0x00FFFF;

// The fields every channel has a copy of.
struct TChannelState {
  int32_t PendingFrames = 0; // captured and not yet consumed by this channel's traces
  int32_t ReadIndex = 0;     // ring index where the next trace starts
  int32_t DcLevel = 0;       // mean sample value, subtracted before scaling
  int32_t SyncRef = 0;       // first sample of the previous trace
  int32_t VertOffset = 0;    // screen row of the zero line
  int32_t VoltShift = 0;     // one pixel = 2^VoltShift sample units, 0..15
  TReal48 VoltFactor{0.1};   // volts per division at VoltShift 0
  int32_t SampleStep = 1;    // ring frames between two drawn points
  int32_t PixelStep = 1;     // pixels between two drawn points
  int32_t ZoomFactor = 1;    // 2 while x2 is down
  int32_t SpanWidth = 504;   // trace width in pixels
  int32_t XStart = 1;        // column of the first point
  int32_t XEnd = 505;        // only persisted
  int32_t SkipFactor = 1;    // raised when the renderer falls a ring behind
  TReal48 MsPerDiv{0.0};     // last computed milliseconds per division
  uint32_t TraceColor = 0;   // pen colour; drawn inverted
};

// Everything the scope panel keeps between events. Touched on the GUI thread only, so it takes no
// locks. Large: the panel allocates it once and never again.
struct TScopeState {
  TScopeState();

  int32_t SampleRate = 44100;
  int32_t FormatsPerStep = 1;
  static constexpr std::array<const char *, 2> ChannelNames{"Mono", "Stereo"};
  int32_t LastIndex = 0; // RingLastIndex once capture has started
  int32_t WriteIndex = 0;
  // Frames captured since WriteIndex last went back to 0, at most a ring: the frames just before
  // a read position are only worth reading while they are among these.
  int32_t FilledFrames = 0;
  int32_t LastBlockFrames = 0; // 0 means nothing captured yet
  std::array<uint8_t, StagingBytes> StagingArea{};
  std::array<TSampleFrame, RingFrames> FrameRing{};

  std::array<TChannelState, 2> Channels;
  TChannelState &operator[](TChannel channel) { return Channels[channel]; }
  const TChannelState &operator[](TChannel channel) const { return Channels[channel]; }

  int32_t PenWidth = 1;
  uint32_t RepeatAction = 0;
  int32_t RepeatStep = 1;

  TReal48 LineFactor{0.1};
  TReal48 MicFactor{0.005};
  int32_t LineShift = 0;
  int32_t MicShift = 0;
  uint16_t MicVolume = 0x8000;
  uint16_t LineVolume = 0x8000;
  uint16_t MicVolumeAtStart = 0;
  uint16_t LineVolumeAtStart = 0;
  // Only volumes that were really read at activation are given back when the scope ends.
  bool MicVolumeAtStartRead = false;
  bool LineVolumeAtStartRead = false;

  uintptr_t MixerHandle = 0; // 0: no mixer open
  uint32_t CurrentControl = 0;
  uint32_t MicControl = 0;
  uint32_t LineControl = 0;
  uint32_t MicMuteControl = 0;
  uint32_t LineMuteControl = 0;
  uint32_t SelectControl = 0; // the source selector found at activation, 0 for none
  int32_t MicItem = 0;
  int32_t LineItem = 0;
  int32_t ItemCount = 0;
  bool SelectIsMux = false;
  bool HasMute = false;
  bool IgnoreMixerNotify = false;
};

// The name of a channel count in format hints; empty for counts the device list never holds.
const char *ChannelName(int channels);
