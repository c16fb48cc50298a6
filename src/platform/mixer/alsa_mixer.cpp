#include "platform/mixer/alsa_mixer.h"

#include "platform/mixer/mixer_back_ends.h"

#include <algorithm>
#include <cctype>
#include <poll.h>

namespace {

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string NameOf(snd_mixer_elem_t *element) { return snd_mixer_selem_get_name(element); }

uint32_t ToMixerVolume(snd_mixer_elem_t *element) {
  long minimum = 0, maximum = 0, value = 0;
  snd_mixer_selem_get_capture_volume_range(element, &minimum, &maximum);
  snd_mixer_selem_get_capture_volume(element, SND_MIXER_SCHN_FRONT_LEFT, &value);
  if (maximum <= minimum)
    return 0;
  return uint32_t(((value - minimum) * 0xFFFF + (maximum - minimum) / 2) / (maximum - minimum));
}

void SetMixerVolume(snd_mixer_elem_t *element, uint32_t value) {
  long minimum = 0, maximum = 0;
  snd_mixer_selem_get_capture_volume_range(element, &minimum, &maximum);
  snd_mixer_selem_set_capture_volume_all(element, minimum + (long(value) * (maximum - minimum) + 0x7FFF) / 0xFFFF);
}

// The element of the card's capture volume as a whole, if it has one.
snd_mixer_elem_t *MasterCapture(snd_mixer_t *mixer) {
  for (snd_mixer_elem_t *e = snd_mixer_first_elem(mixer); e; e = snd_mixer_elem_next(e))
    if (snd_mixer_selem_has_capture_volume(e) && Lowered(NameOf(e)) == "capture")
      return e;
  return nullptr;
}

snd_mixer_elem_t *CaptureVolumeNamed(snd_mixer_t *mixer, const std::string &name) {
  for (snd_mixer_elem_t *e = snd_mixer_first_elem(mixer); e; e = snd_mixer_elem_next(e))
    if (snd_mixer_selem_has_capture_volume(e) && NameOf(e) == name)
      return e;
  return MasterCapture(mixer);
}

} // namespace

uint32_t AlsaInputComponentType(const std::string &name) {
  const std::string lowered = Lowered(name);
  if (lowered.find("mic") != std::string::npos)
    return MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE;
  if (lowered.find("line") != std::string::npos)
    return MIXERLINE_COMPONENTTYPE_SRC_LINE;
  return MIXERLINE_COMPONENTTYPE_SRC_ANALOG;
}

std::unique_ptr<TMixerDevice> OpenAlsaMixer() { return TAlsaMixer::Open(); }

std::unique_ptr<TAlsaMixer> TAlsaMixer::Open(const char *card) {
  snd_mixer_t *handle = nullptr;
  if (snd_mixer_open(&handle, 0) < 0)
    return nullptr;
  std::unique_ptr<TAlsaMixer> mixer(new TAlsaMixer(handle));
  if (snd_mixer_attach(handle, card) < 0 || snd_mixer_selem_register(handle, nullptr, nullptr) < 0 ||
      snd_mixer_load(handle) < 0)
    return nullptr;
  mixer->FindInputs();
  if (mixer->FInputs.empty())
    return nullptr;
  mixer->FLayout = mixer->Layout();
  mixer->FEvents = std::thread([m = mixer.get()] { m->WatchEvents(); });
  return mixer;
}

TAlsaMixer::~TAlsaMixer() {
  FStopping = true;
  if (FEvents.joinable())
    FEvents.join();
  snd_mixer_close(FMixer);
}

// A capture-source choice ("Capture Source", "Input Source") names the inputs; without one,
// every element that can be switched into capture is an input of its own.
void TAlsaMixer::FindInputs() {
  for (snd_mixer_elem_t *e = snd_mixer_first_elem(FMixer); e && FInputs.empty(); e = snd_mixer_elem_next(e)) {
    if (!snd_mixer_selem_is_enum_capture(e))
      continue;
    const int items = snd_mixer_selem_get_enum_items(e);
    for (int i = 0; i < items; ++i) {
      char name[64] = {};
      snd_mixer_selem_get_enum_item_name(e, unsigned(i), sizeof name, name);
      FInputs.push_back(TInput{name, e, unsigned(i), true, CaptureVolumeNamed(FMixer, name)});
    }
  }
  if (!FInputs.empty())
    return;
  for (snd_mixer_elem_t *e = snd_mixer_first_elem(FMixer); e; e = snd_mixer_elem_next(e))
    if (snd_mixer_selem_has_capture_switch(e) && Lowered(NameOf(e)) != "capture") {
      snd_mixer_elem_t *volume = snd_mixer_selem_has_capture_volume(e) ? e : MasterCapture(FMixer);
      FInputs.push_back(TInput{NameOf(e), e, 0, false, volume});
    }
}

TMixerLayout TAlsaMixer::Layout() const {
  TMixerDestination destination;
  destination.Line = TMixerLine{0x10000, MIXERLINE_COMPONENTTYPE_DST_WAVEIN, "Capture", {}};
  for (size_t i = 0; i < FInputs.size(); ++i) {
    const TInput &input = FInputs[i];
    TMixerLine line{0x10001 + uint32_t(i), AlsaInputComponentType(input.Name), input.Name, {}};
    TMixerControl level;
    level.Id = 1 + 2 * uint32_t(i);
    level.Type = MIXERCONTROL_CONTROLTYPE_VOLUME;
    level.Name = "Volume";
    level.Values = {input.Volume ? ToMixerVolume(input.Volume) : 0};
    if (input.Volume)
      line.Controls.push_back(level);
    TMixerControl select;
    select.Id = 2 + 2 * uint32_t(i);
    select.Type = MIXERCONTROL_CONTROLTYPE_MUTE;
    select.Name = "Record";
    select.Maximum = 1;
    select.RecordSelect = true;
    unsigned item = 0;
    int on = 0;
    if (input.Enumerated)
      on = snd_mixer_selem_get_enum_item(input.Select, SND_MIXER_SCHN_FRONT_LEFT, &item) == 0 && item == input.Item;
    else
      snd_mixer_selem_get_capture_switch(input.Select, SND_MIXER_SCHN_FRONT_LEFT, &on);
    select.Values = {uint32_t(on != 0)};
    line.Controls.push_back(select);
    destination.Sources.push_back(std::move(line));
  }
  TMixerLayout layout;
  layout.Destinations.push_back(std::move(destination));
  return layout;
}

MMRESULT TAlsaMixer::Read(const std::function<MMRESULT(const TMixerLayout &)> &query) {
  std::lock_guard lock(FLock);
  return query(FLayout);
}

MMRESULT TAlsaMixer::Write(uint32_t controlId, const std::vector<uint32_t> &values) {
  TMixerLayout before;
  TMixerLayout after;
  {
    std::lock_guard lock(FLock);
    const size_t input = (controlId - 1) / 2;
    if (controlId == 0 || input >= FInputs.size() || values.size() != 1)
      return MIXERR_INVALCONTROL;
    const TInput &chosen = FInputs[input];
    if (controlId % 2 == 1) {
      SetMixerVolume(chosen.Volume, std::min<uint32_t>(values[0], 0xFFFF));
    } else if (values[0] != 0) {
      if (chosen.Enumerated)
        snd_mixer_selem_set_enum_item(chosen.Select, SND_MIXER_SCHN_FRONT_LEFT, chosen.Item);
      else
        for (const TInput &other : FInputs)
          snd_mixer_selem_set_capture_switch_all(other.Select, &other == &chosen);
    }
    before = FLayout;
    FLayout = Layout();
    after = FLayout;
  }
  NotifyChanges(before, after, controlId);
  return MMSYSERR_NOERROR;
}

// Polls with a short time-out, so the destructor's stop is seen soon.
void TAlsaMixer::WatchEvents() {
  std::vector<pollfd> descriptors;
  while (!FStopping) {
    {
      std::lock_guard lock(FLock);
      descriptors.resize(size_t(std::max(snd_mixer_poll_descriptors_count(FMixer), 0)));
      snd_mixer_poll_descriptors(FMixer, descriptors.data(), unsigned(descriptors.size()));
    }
    if (poll(descriptors.data(), descriptors.size(), 200) <= 0)
      continue;
    TMixerLayout before;
    TMixerLayout after;
    {
      std::lock_guard lock(FLock);
      if (snd_mixer_handle_events(FMixer) < 0)
        return; // the card went away: the values stay as they were
      before = FLayout;
      FLayout = Layout();
      after = FLayout;
    }
    NotifyChanges(before, after);
  }
}
