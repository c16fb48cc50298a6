#include "platform/mixer/mixer_layout.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace {

bool IsSwitch(uint32_t type) {
  return type == MIXERCONTROL_CONTROLTYPE_MUTE || type == MIXERCONTROL_CONTROLTYPE_MUX ||
         type == MIXERCONTROL_CONTROLTYPE_MIXER;
}

void FillLine(MIXERLINEA &record, uint32_t destination, uint32_t source, const TMixerLine &line, bool isSource,
              uint32_t connections) {
  record.dwDestination = destination;
  record.dwSource = isSource ? source : 0;
  record.dwLineID = line.Id;
  record.fdwLine = MIXERLINE_LINEF_ACTIVE | (isSource ? MIXERLINE_LINEF_SOURCE : 0);
  record.dwComponentType = line.ComponentType;
  record.cChannels = 1;
  record.cConnections = connections;
  record.cControls = uint32_t(line.Controls.size());
  CopyMixerName(record.szShortName, sizeof record.szShortName, line.Name);
  CopyMixerName(record.szName, sizeof record.szName, line.Name);
}

} // namespace

void CopyMixerName(char *field, size_t size, const std::string &text) {
  size_t length = std::min(text.size(), size - 1);
  // A cut inside a multi-byte character drops that character's leading bytes too.
  if (length < text.size())
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
      --length;
  std::memset(field, 0, size);
  std::memcpy(field, text.data(), length);
}

MMRESULT TMixerLayout::GetLineInfo(MIXERLINEA &line, uint32_t query) const {
  if (line.cbStruct != sizeof(MIXERLINEA))
    return MMSYSERR_INVALPARAM;
  if (query == MIXER_GETLINEINFOF_COMPONENTTYPE) {
    for (size_t d = 0; d < Destinations.size(); ++d)
      if (Destinations[d].Line.ComponentType == line.dwComponentType) {
        FillLine(line, uint32_t(d), 0, Destinations[d].Line, false, uint32_t(Destinations[d].Sources.size()));
        return MMSYSERR_NOERROR;
      }
    return MIXERR_INVALLINE;
  }
  if (query == MIXER_GETLINEINFOF_SOURCE) {
    if (line.dwDestination >= Destinations.size())
      return MMSYSERR_INVALPARAM;
    const TMixerDestination &destination = Destinations[line.dwDestination];
    if (line.dwSource >= destination.Sources.size())
      return MMSYSERR_INVALPARAM;
    FillLine(line, line.dwDestination, line.dwSource, destination.Sources[line.dwSource], true, 0);
    return MMSYSERR_NOERROR;
  }
  return MMSYSERR_NOTSUPPORTED;
}

MMRESULT TMixerLayout::GetLineControl(MIXERLINECONTROLSA &controls) const {
  if (controls.cbStruct != sizeof(MIXERLINECONTROLSA) || controls.cControls != 1 ||
      controls.cbmxctrl != sizeof(MIXERCONTROLA) || !controls.pamxctrl)
    return MMSYSERR_INVALPARAM;
  const TMixerLine *line = FindLine(controls.dwLineID);
  if (!line)
    return MIXERR_INVALLINE;
  const auto it = std::find_if(line->Controls.begin(), line->Controls.end(),
                               [&](const TMixerControl &c) { return c.Type == controls.dwControlType; });
  if (it == line->Controls.end())
    return MIXERR_INVALCONTROL;
  MIXERCONTROLA &record = *controls.pamxctrl;
  record = MIXERCONTROLA{};
  record.cbStruct = sizeof(MIXERCONTROLA);
  record.dwControlID = it->Id;
  record.dwControlType = it->Type;
  record.fdwControl = MIXERCONTROL_CONTROLF_UNIFORM | (it->Items ? MIXERCONTROL_CONTROLF_MULTIPLE : 0);
  record.cMultipleItems = it->Items;
  CopyMixerName(record.szShortName, sizeof record.szShortName, it->Name);
  CopyMixerName(record.szName, sizeof record.szName, it->Name);
  record.Bounds.dwMinimum = it->Minimum;
  record.Bounds.dwMaximum = it->Maximum;
  record.Metrics.cSteps = it->Maximum - it->Minimum;
  return MMSYSERR_NOERROR;
}

// One channel; the item count of the control; and a buffer that holds all its values, given
// either as the size of one 4-byte entry or as the size of the whole buffer.
MMRESULT TMixerLayout::CheckDetails(const MIXERCONTROLDETAILS &details, const TMixerControl *&control) const {
  if (details.cbStruct != sizeof(MIXERCONTROLDETAILS) || !details.paDetails)
    return MMSYSERR_INVALPARAM;
  control = FindControl(details.dwControlID);
  if (!control)
    return MIXERR_INVALCONTROL;
  const size_t bytes = 4 * control->Values.size();
  if (details.cChannels != 1 || details.cMultipleItems != control->Items ||
      (details.cbDetails != 4 && details.cbDetails < bytes))
    return MMSYSERR_INVALPARAM;
  return MMSYSERR_NOERROR;
}

MMRESULT TMixerLayout::GetDetails(MIXERCONTROLDETAILS &details) const {
  const TMixerControl *control = nullptr;
  if (const MMRESULT result = CheckDetails(details, control))
    return result;
  std::memcpy(details.paDetails, control->Values.data(), 4 * control->Values.size());
  return MMSYSERR_NOERROR;
}

MMRESULT TMixerLayout::ValuesToSet(const MIXERCONTROLDETAILS &details, std::vector<uint32_t> &values) const {
  const TMixerControl *control = nullptr;
  if (const MMRESULT result = CheckDetails(details, control))
    return result;
  values.resize(control->Values.size());
  std::memcpy(values.data(), details.paDetails, 4 * values.size());
  return MMSYSERR_NOERROR;
}

MMRESULT TMixerLayout::Apply(uint32_t controlId, const std::vector<uint32_t> &values) {
  TMixerControl *control = FindControl(controlId);
  if (!control)
    return MIXERR_INVALCONTROL;
  if (values.size() != control->Values.size())
    return MMSYSERR_INVALPARAM;
  if (control->RecordSelect) {
    if (values[0] == 0)
      return MMSYSERR_NOERROR;
    for (TMixerLine &source : DestinationOf(controlId)->Sources)
      for (TMixerControl &other : source.Controls)
        if (other.RecordSelect)
          other.Values[0] = 0;
    control->Values[0] = 1;
    return MMSYSERR_NOERROR;
  }
  for (size_t i = 0; i < values.size(); ++i)
    control->Values[i] =
        IsSwitch(control->Type) ? uint32_t(values[i] != 0) : std::clamp(values[i], control->Minimum, control->Maximum);
  return MMSYSERR_NOERROR;
}

const TMixerLine *TMixerLayout::FindLine(uint32_t id) const {
  for (const TMixerDestination &destination : Destinations) {
    if (destination.Line.Id == id)
      return &destination.Line;
    for (const TMixerLine &source : destination.Sources)
      if (source.Id == id)
        return &source;
  }
  return nullptr;
}

const TMixerControl *TMixerLayout::FindControl(uint32_t id) const {
  return const_cast<TMixerLayout *>(this)->FindControl(id);
}

TMixerControl *TMixerLayout::FindControl(uint32_t id) {
  const auto inLine = [id](TMixerLine &line) -> TMixerControl * {
    for (TMixerControl &control : line.Controls)
      if (control.Id == id)
        return &control;
    return nullptr;
  };
  for (TMixerDestination &destination : Destinations) {
    if (TMixerControl *control = inLine(destination.Line))
      return control;
    for (TMixerLine &source : destination.Sources)
      if (TMixerControl *control = inLine(source))
        return control;
  }
  return nullptr;
}

TMixerDestination *TMixerLayout::DestinationOf(uint32_t controlId) {
  for (TMixerDestination &destination : Destinations) {
    for (const TMixerLine &source : destination.Sources)
      for (const TMixerControl &control : source.Controls)
        if (control.Id == controlId)
          return &destination;
  }
  return nullptr;
}

std::vector<uint32_t> TMixerLayout::Changes(const TMixerLayout &before, const TMixerLayout &after) {
  std::map<uint32_t, std::vector<uint32_t>> old;
  const auto each = [](const TMixerLayout &layout, auto &&visit) {
    for (const TMixerDestination &destination : layout.Destinations) {
      for (const TMixerControl &control : destination.Line.Controls)
        visit(control);
      for (const TMixerLine &source : destination.Sources)
        for (const TMixerControl &control : source.Controls)
          visit(control);
    }
  };
  each(before, [&](const TMixerControl &control) { old[control.Id] = control.Values; });
  std::vector<uint32_t> changed;
  each(after, [&](const TMixerControl &control) {
    const auto it = old.find(control.Id);
    if (it == old.end() || it->second != control.Values)
      changed.push_back(control.Id);
    if (it != old.end())
      old.erase(it);
  });
  for (const auto &[id, values] : old)
    changed.push_back(id);
  return changed;
}
