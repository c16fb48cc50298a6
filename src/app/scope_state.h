#pragma once

#include "app/channel_state.h"
#include "app/sample_frame.h"
#include "rtl/real48.h"

#include <array>
#include <cstdint>

// Everything the scope panel keeps between events. Touched on the GUI thread only, so it takes no
// locks. Large: the panel allocates it once and never again.
struct TScopeState {
  TScopeState();

  int32_t SampleRate = 44100;
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
