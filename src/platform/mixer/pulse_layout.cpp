#include "platform/mixer/pulse_layout.h"

#include <algorithm>
#include <cctype>
#include <pulse/def.h>
#include <pulse/volume.h>

namespace {

bool Contains(std::string text, const char *part) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text.find(part) != std::string::npos;
}

} // namespace

uint32_t PortComponentType(const std::string &name, int serverPortType) {
  switch (serverPortType) {
  case PA_DEVICE_PORT_TYPE_MIC:
  case PA_DEVICE_PORT_TYPE_HEADSET:
  case PA_DEVICE_PORT_TYPE_HANDSET:
    return MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE;
  case PA_DEVICE_PORT_TYPE_LINE:
    return MIXERLINE_COMPONENTTYPE_SRC_LINE;
  default:
    break;
  }
  // "analog-input-front-mic", "analog-input-linein" and the like
  if (Contains(name, "mic"))
    return MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE;
  if (Contains(name, "line"))
    return MIXERLINE_COMPONENTTYPE_SRC_LINE;
  return MIXERLINE_COMPONENTTYPE_SRC_ANALOG;
}

uint32_t MixerToPulseVolume(uint32_t value) {
  return uint32_t((uint64_t(std::min<uint32_t>(value, 0xFFFF)) * PA_VOLUME_NORM + 0x7FFF) / 0xFFFF);
}

uint32_t PulseToMixerVolume(uint32_t volume) {
  return uint32_t(std::min<uint64_t>((uint64_t(volume) * 0xFFFF + PA_VOLUME_NORM / 2) / PA_VOLUME_NORM, 0xFFFF));
}

TMixerLayout PulseLayout(const TPulseSource &source) {
  TMixerDestination destination;
  destination.Line = TMixerLine{PulseDestinationLineId, MIXERLINE_COMPONENTTYPE_DST_WAVEIN, source.Description, {}};
  const uint32_t volume = PulseToMixerVolume(source.Volume);
  for (size_t i = 0; i < source.InputCount(); ++i) {
    TMixerLine line;
    line.Id = PulseSourceLineId(i);
    if (source.Ports.empty()) {
      line.ComponentType = MIXERLINE_COMPONENTTYPE_SRC_LINE;
      line.Name = source.Description;
    } else {
      line.ComponentType = source.Ports[i].ComponentType;
      line.Name = source.Ports[i].Description;
    }
    const bool active = i == source.Active;
    TMixerControl level;
    level.Id = PulseVolumeId(i);
    level.Type = MIXERCONTROL_CONTROLTYPE_VOLUME;
    level.Name = "Volume";
    const std::optional<uint16_t> kept = i < source.Kept.size() ? source.Kept[i] : std::nullopt;
    level.Values = {active || !kept ? volume : *kept};
    TMixerControl select;
    select.Id = PulseSwitchId(i);
    select.Type = MIXERCONTROL_CONTROLTYPE_MUTE;
    select.Name = "Record";
    select.Maximum = 1;
    select.Values = {uint32_t(active)};
    select.RecordSelect = true;
    line.Controls = {level, select};
    destination.Sources.push_back(std::move(line));
  }
  TMixerLayout layout;
  layout.Destinations.push_back(std::move(destination));
  return layout;
}
