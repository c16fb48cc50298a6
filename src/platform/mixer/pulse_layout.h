#pragma once

#include "platform/mixer/mixer_layout.h"

#include <optional>

// What the mixer shows of the sound server's default source, and how it becomes the layout:
// the source is the recording destination, each of its ports a source line (a source without
// ports is one line input), each line with a VOLUME control and a record-select switch.
struct TPulsePort {
  std::string Name;
  std::string Description;
  uint32_t ComponentType = MIXERLINE_COMPONENTTYPE_SRC_LINE;
};

struct TPulseSource {
  std::string Name;
  std::string Description;
  std::vector<TPulsePort> Ports;
  size_t Active = 0;   // the port that records
  uint32_t Volume = 0; // the server's volume of the source (its loudest channel)
  uint8_t Channels = 1;
  // Volumes written for inputs while they were not the active one, applied when they become it.
  std::vector<std::optional<uint16_t>> Kept;

  size_t InputCount() const { return Ports.empty() ? 1 : Ports.size(); }
};

// The component type of a port: the server's port type where it tells one, else the name.
uint32_t PortComponentType(const std::string &name, int serverPortType);

// 0 ... 0xFFFF onto 0 ... the server's normal volume, rounded, both ways.
uint32_t MixerToPulseVolume(uint32_t value);
uint32_t PulseToMixerVolume(uint32_t volume);

constexpr uint32_t PulseDestinationLineId = 0x10000;
constexpr uint32_t PulseSourceLineId(size_t input) { return 0x10001 + uint32_t(input); }
constexpr uint32_t PulseVolumeId(size_t input) { return 1 + 2 * uint32_t(input); }
constexpr uint32_t PulseSwitchId(size_t input) { return 2 + 2 * uint32_t(input); }

TMixerLayout PulseLayout(const TPulseSource &source);
