#include "platform/mixer/virtual_mixer.h"

#include "platform/mixer/mixer_back_ends.h"

#include <algorithm>
#include <stdexcept>

TVirtualMixer::TVirtualMixer() { InstallMixerDevice(this); }

TVirtualMixer::~TVirtualMixer() { RemoveMixerDevice(this); }

uint32_t TVirtualMixer::AddDestination(uint32_t componentType, const std::string &name) {
  std::lock_guard lock(FLock);
  TMixerDestination destination;
  destination.Line = TMixerLine{FNextLine++, componentType, name, {}};
  FLayout.Destinations.push_back(std::move(destination));
  return FLayout.Destinations.back().Line.Id;
}

uint32_t TVirtualMixer::AddSource(uint32_t destinationLineId, uint32_t componentType, const std::string &name) {
  std::lock_guard lock(FLock);
  for (TMixerDestination &destination : FLayout.Destinations)
    if (destination.Line.Id == destinationLineId) {
      destination.Sources.push_back(TMixerLine{FNextLine++, componentType, name, {}});
      return destination.Sources.back().Id;
    }
  throw std::invalid_argument("no such destination");
}

uint32_t TVirtualMixer::AddControl(uint32_t lineId, uint32_t controlType, uint32_t items) {
  std::lock_guard lock(FLock);
  TMixerControl control;
  control.Id = FNextControl++;
  control.Type = controlType;
  control.Items = items;
  control.Values.assign(std::max<size_t>(items, 1), 0);
  if (controlType != MIXERCONTROL_CONTROLTYPE_VOLUME)
    control.Maximum = 1;
  control.Name = controlType == MIXERCONTROL_CONTROLTYPE_VOLUME ? "Volume" : "Switch";
  Line(lineId).Controls.push_back(control);
  return control.Id;
}

uint32_t TVirtualMixer::AddRecordSwitch(uint32_t lineId) {
  const uint32_t id = AddControl(lineId, MIXERCONTROL_CONTROLTYPE_MUTE);
  std::lock_guard lock(FLock);
  FLayout.FindControl(id)->RecordSelect = true;
  return id;
}

void TVirtualMixer::SetValues(uint32_t controlId, const std::vector<uint32_t> &values) {
  {
    std::lock_guard lock(FLock);
    TMixerControl *control = FLayout.FindControl(controlId);
    if (!control || control->Values.size() != values.size())
      throw std::invalid_argument("no such control or not that many values");
    control->Values = values;
  }
  Notify(controlId);
}

std::vector<uint32_t> TVirtualMixer::Values(uint32_t controlId) const {
  std::lock_guard lock(FLock);
  const TMixerControl *control = FLayout.FindControl(controlId);
  if (!control)
    throw std::invalid_argument("no such control");
  return control->Values;
}

MMRESULT TVirtualMixer::Read(const std::function<MMRESULT(const TMixerLayout &)> &query) {
  std::lock_guard lock(FLock);
  if (NoDevice)
    return MMSYSERR_NODRIVER;
  return query(FLayout);
}

MMRESULT TVirtualMixer::ReadDetails(MIXERCONTROLDETAILS &details) {
  {
    std::lock_guard lock(FLock);
    if (FailingControls.count(details.dwControlID))
      return MMSYSERR_ERROR;
  }
  return TMixerDevice::ReadDetails(details);
}

MMRESULT TVirtualMixer::Write(uint32_t controlId, const std::vector<uint32_t> &values) {
  TMixerLayout before;
  TMixerLayout after;
  {
    std::lock_guard lock(FLock);
    if (NoDevice)
      return MMSYSERR_NODRIVER;
    if (FailingControls.count(controlId))
      return MMSYSERR_ERROR;
    before = FLayout;
    if (const MMRESULT result = FLayout.Apply(controlId, values))
      return result;
    after = FLayout;
    ++FWrites;
  }
  NotifyChanges(before, after, controlId);
  return MMSYSERR_NOERROR;
}

MMRESULT TVirtualMixer::Reach(bool opening) {
  if (NoDevice)
    return MMSYSERR_NODRIVER;
  return opening && FailOpen ? MMSYSERR_ERROR : MMSYSERR_NOERROR;
}

TMixerLine &TVirtualMixer::Line(uint32_t id) {
  for (TMixerDestination &destination : FLayout.Destinations) {
    if (destination.Line.Id == id)
      return destination.Line;
    for (TMixerLine &source : destination.Sources)
      if (source.Id == id)
        return source;
  }
  throw std::invalid_argument("no such line");
}
