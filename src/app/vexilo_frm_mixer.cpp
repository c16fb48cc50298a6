// The scope panel's recording input: the microphone and line inputs found on the mixer, which of
// them records, channel I's calibration kept per input, and the input volumes held while the
// scope runs.
#include "app/mixer_selection.h"
#include "app/scope_state.h"
#include "app/vexilo_frm.h"
#include "framework/application.h"
#include "framework/edit.h"
#include "platform/mixer/mixer_change_event.h"
#include "platform/mixer/mixer_functions.h"
#include "widgets/speed_button.h"

#include <QRadioButton>
#include <cstring>

namespace {

MIXERCONTROLDETAILS Details(uint32_t control, uint32_t items, uint32_t bytes, void *buffer) {
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = control;
  details.cChannels = 1;
  details.cMultipleItems = items;
  details.cbDetails = bytes;
  details.paDetails = buffer;
  return details;
}

QString ShortName(const MIXERLINEA &line) {
  return QString::fromUtf8(line.szShortName, static_cast<int>(strnlen(line.szShortName, sizeof line.szShortName)));
}

// The control of `type` on `line`; the shared record keeps what the query answered.
bool FindControl(uint32_t line, uint32_t type, MIXERCONTROLA &shared) {
  MIXERLINECONTROLSA query{};
  query.cbStruct = sizeof query;
  query.dwLineID = line;
  query.dwControlType = type;
  query.cControls = 1;
  query.cbmxctrl = sizeof shared;
  query.pamxctrl = &shared;
  return mixerGetLineControlsA(0, &query, MIXER_GETLINECONTROLSF_ONEBYTYPE) == MMSYSERR_NOERROR;
}

} // namespace

void TVexiloFrm::DiscoverMixer() {
  TScopeState &s = *FState;
  MIXERLINEA destination{};
  destination.cbStruct = sizeof destination;
  destination.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
  mixerGetLineInfoA(0, &destination, MIXER_GETLINEINFOF_COMPONENTTYPE);
  s.CurrentControl = destination.dwLineID;

  bool lineFound = false, micFound = false;
  for (uint32_t i = 0; i < destination.cConnections; ++i) {
    MIXERLINEA source = destination;
    source.dwSource = i;
    if (mixerGetLineInfoA(0, &source, MIXER_GETLINEINFOF_SOURCE) != MMSYSERR_NOERROR)
      continue;
    const uint32_t type = source.dwComponentType;
    if ((type == MIXERLINE_COMPONENTTYPE_SRC_ANALOG || type == MIXERLINE_COMPONENTTYPE_SRC_LINE) && !lineFound) {
      LinMuteBt->setText(ShortName(source));
      s.LineItem = static_cast<int32_t>(i);
      s.LineControl = source.dwLineID;
      lineFound = true;
    } else if (type == MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE) {
      MicMuteBt->setText(ShortName(source)); // a later microphone replaces an earlier one
      s.MicItem = static_cast<int32_t>(i);
      s.MicControl = source.dwLineID;
      micFound = true;
    }
  }
  // An input the mixer does not have cannot be chosen: choosing it would switch calibration and
  // channel II for nothing.
  LinMuteBt->setEnabled(lineFound);
  MicMuteBt->setEnabled(micFound);
  s.CurrentControl = s.LineControl;
  s.MicMuteControl = s.MicControl;
  s.LineMuteControl = s.LineControl;

  MIXERCONTROLA shared{};
  shared.cbStruct = sizeof shared;
  uint32_t items = 0; // of the last control found
  const auto find = [&](uint32_t line, uint32_t type, uint32_t &id) {
    if (!FindControl(line, type, shared))
      return false;
    id = shared.dwControlID;
    items = shared.cMultipleItems;
    return true;
  };
  find(s.LineControl, MIXERCONTROL_CONTROLTYPE_VOLUME, s.LineControl);
  find(s.MicControl, MIXERCONTROL_CONTROLTYPE_VOLUME, s.MicControl);
  s.MicVolumeAtStartRead = GetMixerValue(s.MicControl, s.MicVolumeAtStart);
  s.LineVolumeAtStartRead = GetMixerValue(s.LineControl, s.LineVolumeAtStart);

  if (find(s.CurrentControl, MIXERCONTROL_CONTROLTYPE_MUX, s.CurrentControl)) {
    s.SelectIsMux = true;
    s.SelectControl = s.CurrentControl;
  }
  if (find(s.CurrentControl, MIXERCONTROL_CONTROLTYPE_MIXER, s.CurrentControl)) {
    s.SelectIsMux = false;
    s.SelectControl = s.CurrentControl;
  }
  if (find(s.LineMuteControl, MIXERCONTROL_CONTROLTYPE_MUTE, s.LineMuteControl))
    s.HasMute = true;
  if (find(s.MicMuteControl, MIXERCONTROL_CONTROLTYPE_MUTE, s.MicMuteControl))
    s.HasMute = true;
  s.ItemCount = static_cast<int32_t>(std::min<uint32_t>(items, SelectionEntries));

  TSelectionBuffer selection{};
  MIXERCONTROLDETAILS details =
      Details(s.CurrentControl, static_cast<uint32_t>(s.ItemCount), static_cast<uint32_t>(s.ItemCount) * 4, &selection);
  if (mixerGetControlDetailsA(0, &details, MIXER_GETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR)
    ShowSelection(selection);

  MicMuteBtClick(nullptr);
  LinMuteBtClick(nullptr);
  SetMixerValue(s.MicControl, s.MicVolume);
  SetMixerValue(s.LineControl, s.LineVolume);
}

void TVexiloFrm::OpenMixer() {
  HMIXER handle = 0;
  if (mixerOpen(&handle, 0, reinterpret_cast<uintptr_t>(static_cast<QObject *>(this)), 0, CALLBACK_WINDOW) !=
      MMSYSERR_NOERROR) {
    Application->MessageBox("yest", "", MB_OK);
    return;
  }
  FState->MixerHandle = handle;
  // A volume changed elsewhere since DiscoverMixer set ours sent its notice to no one.
  HoldVolume(FState->MicControl, FState->MicVolume);
  HoldVolume(FState->LineControl, FState->LineVolume);
}

void TVexiloFrm::CloseMixer() {
  if (FState->MixerHandle != 0)
    mixerClose(FState->MixerHandle);
  FState->MixerHandle = 0;
}

bool TVexiloFrm::GetMixerValue(uint32_t control, uint16_t &value) {
  MIXERCONTROLDETAILS_UNSIGNED detail{};
  MIXERCONTROLDETAILS details = Details(control, 0, sizeof detail, &detail);
  if (mixerGetControlDetailsA(FState->MixerHandle, &details, MIXER_OBJECTF_HMIXER) != MMSYSERR_NOERROR)
    return false;
  value = static_cast<uint16_t>(detail.dwValue);
  return true;
}

void TVexiloFrm::SetMixerValue(uint32_t control, uint16_t value) {
  MIXERCONTROLDETAILS_UNSIGNED detail{value};
  MIXERCONTROLDETAILS details = Details(control, 0, sizeof detail, &detail);
  WriteMixer(details);
}

void TVexiloFrm::WriteMixer(MIXERCONTROLDETAILS &details) {
  // The notice our own write causes is not news. A write that failed, or one made before the
  // mixer is open for notices, causes none, and must not make the scope miss the next change
  // made elsewhere.
  const bool written = mixerSetControlDetails(FState->MixerHandle, &details, MIXER_OBJECTF_HMIXER) == MMSYSERR_NOERROR;
  FState->IgnoreMixerNotify = written && FState->MixerHandle != 0;
}

void TVexiloFrm::ReadSourceSelection() {
  TScopeState &s = *FState;
  TSelectionBuffer selection{};
  MIXERCONTROLDETAILS details =
      Details(s.CurrentControl, static_cast<uint32_t>(s.ItemCount), static_cast<uint32_t>(s.ItemCount) * 4, &selection);
  // A read that failed says nothing about the selection: the buttons stay as they are.
  if (mixerGetControlDetailsA(s.MixerHandle, &details, MIXER_OBJECTF_HMIXER) == MMSYSERR_NOERROR)
    ShowSelection(selection);
}

void TVexiloFrm::ShowSelection(const TSelectionBuffer &selection) {
  const TScopeState &s = *FState;
  // Checking a button runs its click handler through its toggled notice; the other one clears
  // without running its own.
  const auto show = [&](QRadioButton *button, int item) {
    const int entry = SelectionEntry(item, s.SelectIsMux);
    if (entry >= 0)
      button->setChecked((selection[entry] & 0xFF) != 0);
  };
  if (s.SelectIsMux) {
    show(MicMuteBt, s.MicItem);
    show(LinMuteBt, s.LineItem);
  } else {
    show(LinMuteBt, s.LineItem);
    show(MicMuteBt, s.MicItem);
  }
}

void TVexiloFrm::WriteSourceSelection(uint32_t control, bool value) {
  TScopeState &s = *FState;
  TSelectionBuffer selection{};
  if (const int entry = SelectionEntry(s.MicItem, s.SelectIsMux); entry >= 0)
    selection[entry] = MicMuteBt->isChecked() ? 1 : 0;
  if (const int entry = SelectionEntry(s.LineItem, s.SelectIsMux); entry >= 0)
    selection[entry] = LinMuteBt->isChecked() ? 1 : 0;
  if (s.HasMute)
    selection[0] = value ? 1 : 0;
  const uint32_t items = static_cast<uint32_t>(s.ItemCount);
  MIXERCONTROLDETAILS details =
      Details(control, items, std::min<uint32_t>(items + 1, SelectionEntries) * 4, &selection);
  WriteMixer(details);
}

void TVexiloFrm::WriteInputSwitches(QRadioButton *chosen) {
  TScopeState &s = *FState;
  const bool mic = chosen == MicMuteBt;
  if (s.HasMute) {
    s.CurrentControl = mic ? s.MicMuteControl : s.LineMuteControl;
    WriteSourceSelection(s.CurrentControl, chosen->isChecked());
    QRadioButton *other = mic ? LinMuteBt : MicMuteBt;
    s.CurrentControl = mic ? s.LineMuteControl : s.MicMuteControl;
    WriteSourceSelection(s.CurrentControl, other->isChecked());
  } else if (s.SelectControl != 0) {
    // Without switches the selector carries the choice; the input's volume control never does.
    WriteSourceSelection(s.SelectControl, chosen->isChecked());
  }
}

void TVexiloFrm::MicMuteBtClick(QObject *) {
  TScopeState &s = *FState;
  s.CurrentControl = s.MicControl;
  WriteInputSwitches(MicMuteBt);
  s.CurrentControl = s.MicControl;
  if (!MicMuteBt->isChecked())
    return;
  if (Tag() == 1) {
    s.LineFactor = s[chI].VoltFactor;
    s.LineShift = s[chI].VoltShift;
  }
  s[chI].VoltFactor = s.MicFactor;
  s[chI].VoltShift = s.MicShift;
  UpdateVoltTexts();
  TRxSpeedButton *channelII = Channel[chII].SpBtnCntr;
  channelII->SetDown(true);
  channelII->Click();
  channelII->setEnabled(false);
}

void TVexiloFrm::LinMuteBtClick(QObject *) {
  TScopeState &s = *FState;
  s.CurrentControl = s.LineControl;
  WriteInputSwitches(LinMuteBt);
  s.CurrentControl = s.LineControl;
  if (!LinMuteBt->isChecked())
    return;
  if (Tag() == 1) {
    s.MicFactor = s[chI].VoltFactor;
    s.MicShift = s[chI].VoltShift;
  }
  s[chI].VoltFactor = s.LineFactor;
  s[chI].VoltShift = s.LineShift;
  UpdateVoltTexts();
  TRxSpeedButton *channelII = Channel[chII].SpBtnCntr;
  channelII->SetDown(false);
  channelII->Click();
  channelII->setEnabled(true);
}

void TVexiloFrm::MixerControlChange(uint32_t lParam) {
  TScopeState &s = *FState;
  if (s.IgnoreMixerNotify) {
    s.IgnoreMixerNotify = false;
    return;
  }
  if (lParam == s.CurrentControl)
    ReadSourceSelection();
  if (lParam == s.MicControl)
    HoldVolume(s.MicControl, s.MicVolume);
  if (lParam == s.LineControl)
    HoldVolume(s.LineControl, s.LineVolume);
}

// Outside the calibration test the scope holds both input volumes; a volume it cannot read is
// left alone rather than compared with a made-up one.
void TVexiloFrm::HoldVolume(uint32_t control, uint16_t wanted) {
  uint16_t now = 0;
  if (!BtTest->Down() && GetMixerValue(control, now) && now != wanted)
    SetMixerValue(control, wanted);
}

void TVexiloFrm::RestoreStartVolumes() {
  const TScopeState &s = *FState;
  if (s.MicVolumeAtStartRead)
    SetMixerValue(s.MicControl, s.MicVolumeAtStart);
  if (s.LineVolumeAtStartRead)
    SetMixerValue(s.LineControl, s.LineVolumeAtStart);
}

bool TVexiloFrm::event(QEvent *event) {
  if (event->type() == TMixerControlChangeEvent::EventType()) {
    const uint32_t control = static_cast<TMixerControlChangeEvent *>(event)->LParam;
    Application->Guard([&] { MixerControlChange(control); });
    return true;
  }
  return TForm::event(event);
}
