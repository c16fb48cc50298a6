#pragma once

#include "platform/mixer/mixer_device.h"

#include <mutex>
#include <set>

// A mixer for tests: mixer device 0 while it exists (make it before the first mixer call; it
// takes the place of the real back ends for as long as it lives). A test builds any layout of
// destinations, source lines and controls, makes calls fail and changes values from outside,
// which posts the change notices as a real mixer does.
class TVirtualMixer : public TMixerDevice {
public:
  TVirtualMixer();
  ~TVirtualMixer() override;
  TVirtualMixer(const TVirtualMixer &) = delete;
  TVirtualMixer &operator=(const TVirtualMixer &) = delete;

  // Each answers the new line's or control's identifier; identifiers are never reused.
  uint32_t AddDestination(uint32_t componentType, const std::string &name);
  uint32_t AddSource(uint32_t destinationLineId, uint32_t componentType, const std::string &name);
  // `items` > 0 makes a MUX or MIXER selector with that many entries.
  uint32_t AddControl(uint32_t lineId, uint32_t controlType, uint32_t items = 0);
  // A MUTE-type record-select switch on a source line (see TMixerControl::RecordSelect).
  uint32_t AddRecordSwitch(uint32_t lineId);

  // Every call fails, mixerOpen included.
  bool NoDevice = false;
  // Only mixerOpen fails.
  bool FailOpen = false;
  // Details calls on these controls fail.
  std::set<uint32_t> FailingControls;

  // A change made elsewhere: the values are set as they are and the notice is posted.
  void SetValues(uint32_t controlId, const std::vector<uint32_t> &values);
  void SetValue(uint32_t controlId, uint32_t value) { SetValues(controlId, {value}); }
  std::vector<uint32_t> Values(uint32_t controlId) const;
  uint32_t Value(uint32_t controlId) const { return Values(controlId).at(0); }
  // Successful sets made through mixerSetControlDetails.
  int WriteCount() const { return FWrites; }

  MMRESULT Read(const std::function<MMRESULT(const TMixerLayout &)> &query) override;
  MMRESULT ReadDetails(MIXERCONTROLDETAILS &details) override;
  MMRESULT Write(uint32_t controlId, const std::vector<uint32_t> &values) override;
  MMRESULT Reach(bool opening) override;

private:
  TMixerLine &Line(uint32_t id);

  mutable std::mutex FLock;
  TMixerLayout FLayout;
  uint32_t FNextLine = 0x10000;
  uint32_t FNextControl = 1;
  int FWrites = 0;
};
