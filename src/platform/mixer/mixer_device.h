#pragma once

#include "platform/mixer/mixer_layout.h"

#include <functional>

// A back end of the mixer: it holds the layout and carries writes to wherever the values live.
// Its methods may be called from any thread; a back end guards its layout itself.
class TMixerDevice {
public:
  virtual ~TMixerDevice();

  // Runs `query` on the current layout, or fails without running it while the mixer is out of reach.
  virtual MMRESULT Read(const std::function<MMRESULT(const TMixerLayout &)> &query) = 0;
  // The details of one control; by default read from the layout.
  virtual MMRESULT ReadDetails(MIXERCONTROLDETAILS &details);
  // Writes the values of one control (already checked to fit it) and posts the change notices.
  virtual MMRESULT Write(uint32_t controlId, const std::vector<uint32_t> &values) = 0;
  // Makes sure the mixer can be reached, reconnecting to one that went away; mixerOpen
  // (`opening`) and the handle-less calls ask before they go on.
  virtual MMRESULT Reach(bool opening) = 0;

protected:
  // Posts the change notice of `controlId` to every window that opened this mixer; any thread.
  void Notify(uint32_t controlId) const;
  // Notify for what changed from `before` to `after`, `written` first (and always, for a write).
  void NotifyChanges(const TMixerLayout &before, const TMixerLayout &after, uint32_t written = 0) const;
};
