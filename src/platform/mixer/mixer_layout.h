#pragma once

#include "platform/mixer/mixer_records.h"

#include <string>
#include <vector>

// One control of a line. Its details are `Values`: one value, or one per item of a MUX or
// MIXER selector (item k at entry k).
struct TMixerControl {
  uint32_t Id = 0;
  uint32_t Type = 0;
  std::string Name;
  uint32_t Items = 0; // cMultipleItems: 0 for single-value controls
  uint32_t Minimum = 0;
  uint32_t Maximum = 0xFFFF;
  std::vector<uint32_t> Values{0};
  // A record-select switch: writing 1 makes its input the one that records and clears the
  // others of its destination; writing 0 changes nothing, since one input always records.
  bool RecordSelect = false;
};

struct TMixerLine {
  uint32_t Id = 0;
  uint32_t ComponentType = 0;
  std::string Name;
  std::vector<TMixerControl> Controls;
};

struct TMixerDestination {
  TMixerLine Line;
  std::vector<TMixerLine> Sources;
};

// The lines and controls of one mixer, and the filling of the mixer's records from them. Line
// and control identifiers are distinct numbers. Every back end keeps one of these.
class TMixerLayout {
public:
  std::vector<TMixerDestination> Destinations;

  // Query MIXER_GETLINEINFOF_COMPONENTTYPE (by dwComponentType) or MIXER_GETLINEINFOF_SOURCE
  // (by dwDestination and dwSource).
  MMRESULT GetLineInfo(MIXERLINEA &line, uint32_t query) const;
  // The one control of type dwControlType on line dwLineID.
  MMRESULT GetLineControl(MIXERLINECONTROLSA &controls) const;
  MMRESULT GetDetails(MIXERCONTROLDETAILS &details) const;
  // The values a set of `details` carries, once they are checked to fit the control.
  MMRESULT ValuesToSet(const MIXERCONTROLDETAILS &details, std::vector<uint32_t> &values) const;
  // Writes the values by the control's rules (bounds, switches, record select).
  MMRESULT Apply(uint32_t controlId, const std::vector<uint32_t> &values);

  const TMixerControl *FindControl(uint32_t id) const;
  TMixerControl *FindControl(uint32_t id);
  const TMixerLine *FindLine(uint32_t id) const;

  // The controls whose values differ between the two layouts, or that only one of them has.
  static std::vector<uint32_t> Changes(const TMixerLayout &before, const TMixerLayout &after);

private:
  MMRESULT CheckDetails(const MIXERCONTROLDETAILS &details, const TMixerControl *&control) const;
  TMixerDestination *DestinationOf(uint32_t controlId);
};

// Copies `text` into a record's name field of `size` characters, always terminated, cut at a
// whole UTF-8 character.
void CopyMixerName(char *field, size_t size, const std::string &text);
