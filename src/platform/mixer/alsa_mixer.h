#pragma once

#include "platform/mixer/mixer_device.h"

#include <alsa/asoundlib.h>
#include <atomic>
#include <mutex>
#include <thread>

// The component type of a capture input by its name on the card ("Front Mic", "Line", "CD").
uint32_t AlsaInputComponentType(const std::string &name);

// The first card's mixer, for systems without a sound server. The inputs are the items of the
// card's capture-source choice, or else its elements with capture switches; the record-select
// switches choose among them and the capture volumes are their VOLUME controls. A thread waits
// for the card's element events and turns them into change notices.
class TAlsaMixer : public TMixerDevice {
public:
  // nullptr when there is no card or it has no capture inputs.
  static std::unique_ptr<TAlsaMixer> Open(const char *card = "hw:0");
  ~TAlsaMixer() override;
  TAlsaMixer(const TAlsaMixer &) = delete;
  TAlsaMixer &operator=(const TAlsaMixer &) = delete;

  MMRESULT Read(const std::function<MMRESULT(const TMixerLayout &)> &query) override;
  MMRESULT Write(uint32_t controlId, const std::vector<uint32_t> &values) override;
  MMRESULT Reach(bool) override { return MMSYSERR_NOERROR; }

private:
  struct TInput {
    std::string Name;
    snd_mixer_elem_t *Select = nullptr; // the capture-source element, or the input's own switch element
    unsigned Item = 0;                  // its item in the capture-source element
    bool Enumerated = false;
    snd_mixer_elem_t *Volume = nullptr;
  };

  explicit TAlsaMixer(snd_mixer_t *mixer) : FMixer(mixer) {}
  void FindInputs();
  TMixerLayout Layout() const;
  void WatchEvents();

  snd_mixer_t *FMixer;
  std::vector<TInput> FInputs;
  std::mutex FLock;
  TMixerLayout FLayout;
  std::atomic<bool> FStopping{false};
  std::thread FEvents;
};
