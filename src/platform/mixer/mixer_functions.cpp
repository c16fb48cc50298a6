#include "platform/mixer/mixer_functions.h"

#include "platform/mixer/mixer_back_ends.h"
#include "platform/mixer/mixer_change_event.h"

#include <QCoreApplication>
#include <QPointer>
#include <map>
#include <mutex>

namespace {

struct TOpenMixer {
  TMixerDevice *Device;
  QPointer<QObject> Window; // read on the GUI thread only
};

struct TMixerRegistry {
  std::mutex Lock;
  TMixerDevice *Installed = nullptr;
  std::unique_ptr<TMixerDevice> Chosen;
  bool ChoiceMade = false;
  std::map<HMIXER, TOpenMixer> Open;
  HMIXER NextHandle = 0x1001;
};

TMixerRegistry &Registry() {
  static TMixerRegistry registry;
  return registry;
}

// Mixer device 0: the installed virtual mixer, else the back end chosen at the first call.
TMixerDevice *DeviceZero() {
  TMixerRegistry &registry = Registry();
  std::lock_guard lock(registry.Lock);
  if (registry.Installed)
    return registry.Installed;
  if (!registry.ChoiceMade) {
    registry.ChoiceMade = true;
    registry.Chosen = ConnectPulseMixer();
    if (!registry.Chosen)
      registry.Chosen = OpenAlsaMixer();
  }
  return registry.Chosen.get();
}

// The device an object argument names, or the failure to answer.
MMRESULT Resolve(HMIXEROBJ object, uint32_t flags, TMixerDevice *&device) {
  const uint32_t kind = flags & MIXER_OBJECTF_TYPEMASK;
  if (kind != MIXER_OBJECTF_MIXER && kind != MIXER_OBJECTF_HMIXER)
    return MMSYSERR_INVALFLAG;
  if (object != 0) {
    if (kind == MIXER_OBJECTF_MIXER)
      return MMSYSERR_BADDEVICEID;
    TMixerRegistry &registry = Registry();
    std::lock_guard lock(registry.Lock);
    const auto it = registry.Open.find(object);
    if (it == registry.Open.end())
      return MMSYSERR_INVALHANDLE;
    device = it->second.Device;
    return MMSYSERR_NOERROR;
  }
  device = DeviceZero();
  if (!device)
    return MMSYSERR_NODRIVER;
  return device->Reach(false);
}

// The handles of `device` open now: a notice goes to those, if they are still open when it is posted.
std::vector<HMIXER> OpenHandles(const TMixerDevice *device) {
  TMixerRegistry &registry = Registry();
  std::lock_guard lock(registry.Lock);
  std::vector<HMIXER> handles;
  for (const auto &[handle, open] : registry.Open)
    if (open.Device == device)
      handles.push_back(handle);
  return handles;
}

void PostToWindows(const std::vector<HMIXER> &handles, uint32_t controlId) {
  std::vector<std::pair<HMIXER, QObject *>> windows;
  {
    TMixerRegistry &registry = Registry();
    std::lock_guard lock(registry.Lock);
    for (const HMIXER handle : handles)
      if (const auto it = registry.Open.find(handle); it != registry.Open.end() && it->second.Window)
        windows.emplace_back(handle, it->second.Window.data());
  }
  for (const auto &[handle, window] : windows)
    QCoreApplication::postEvent(window, new TMixerControlChangeEvent(handle, controlId));
}

} // namespace

QEvent::Type TMixerControlChangeEvent::EventType() {
  static const auto type = QEvent::Type(QEvent::registerEventType(QEvent::User + int(MM_MIXM_CONTROL_CHANGE)));
  return type;
}

TMixerDevice::~TMixerDevice() = default;

MMRESULT TMixerDevice::ReadDetails(MIXERCONTROLDETAILS &details) {
  return Read([&](const TMixerLayout &layout) { return layout.GetDetails(details); });
}

// The notice goes to the handles open now. Their windows are looked up on the GUI thread, where
// they live and die, and the notice is then posted there like any window message.
void TMixerDevice::Notify(uint32_t controlId) const {
  QCoreApplication *application = QCoreApplication::instance();
  std::vector<HMIXER> handles = OpenHandles(this);
  if (!application || handles.empty())
    return;
  QMetaObject::invokeMethod(
      application, [handles = std::move(handles), controlId] { PostToWindows(handles, controlId); },
      Qt::QueuedConnection);
}

void TMixerDevice::NotifyChanges(const TMixerLayout &before, const TMixerLayout &after, uint32_t written) const {
  if (written)
    Notify(written);
  for (const uint32_t id : TMixerLayout::Changes(before, after))
    if (id != written)
      Notify(id);
}

void InstallMixerDevice(TMixerDevice *device) {
  TMixerRegistry &registry = Registry();
  std::lock_guard lock(registry.Lock);
  registry.Installed = device;
}

void RemoveMixerDevice(TMixerDevice *device) {
  TMixerRegistry &registry = Registry();
  std::lock_guard lock(registry.Lock);
  if (registry.Installed == device)
    registry.Installed = nullptr;
  std::erase_if(registry.Open, [device](const auto &entry) { return entry.second.Device == device; });
}

MMRESULT mixerOpen(HMIXER *mixer, uint32_t deviceId, uintptr_t callback, uintptr_t, uint32_t flags) {
  if (!mixer)
    return MMSYSERR_INVALPARAM;
  *mixer = 0;
  const uint32_t callbackKind = flags & CALLBACK_TYPEMASK;
  if ((callbackKind != CALLBACK_NULL && callbackKind != CALLBACK_WINDOW) || (flags & ~CALLBACK_TYPEMASK))
    return MMSYSERR_INVALFLAG;
  if (callbackKind == CALLBACK_WINDOW && !callback)
    return MMSYSERR_INVALPARAM;
  if (deviceId != 0)
    return MMSYSERR_BADDEVICEID;
  TMixerDevice *device = DeviceZero();
  if (!device)
    return MMSYSERR_NODRIVER;
  if (const MMRESULT result = device->Reach(true))
    return result;
  TMixerRegistry &registry = Registry();
  std::lock_guard lock(registry.Lock);
  *mixer = registry.NextHandle++;
  QObject *window = callbackKind == CALLBACK_WINDOW ? reinterpret_cast<QObject *>(callback) : nullptr;
  registry.Open.emplace(*mixer, TOpenMixer{device, window});
  return MMSYSERR_NOERROR;
}

MMRESULT mixerClose(HMIXER mixer) {
  TMixerRegistry &registry = Registry();
  std::lock_guard lock(registry.Lock);
  return registry.Open.erase(mixer) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

MMRESULT mixerGetLineInfoA(HMIXEROBJ object, MIXERLINEA *line, uint32_t flags) {
  TMixerDevice *device = nullptr;
  if (const MMRESULT result = Resolve(object, flags, device))
    return result;
  if (!line)
    return MMSYSERR_INVALPARAM;
  return device->Read([&](const TMixerLayout &layout) { return layout.GetLineInfo(*line, flags & MIXER_QUERYMASK); });
}

MMRESULT mixerGetLineControlsA(HMIXEROBJ object, MIXERLINECONTROLSA *controls, uint32_t flags) {
  TMixerDevice *device = nullptr;
  if (const MMRESULT result = Resolve(object, flags, device))
    return result;
  if (!controls)
    return MMSYSERR_INVALPARAM;
  if ((flags & MIXER_QUERYMASK) != MIXER_GETLINECONTROLSF_ONEBYTYPE)
    return MMSYSERR_NOTSUPPORTED;
  return device->Read([&](const TMixerLayout &layout) { return layout.GetLineControl(*controls); });
}

MMRESULT mixerGetControlDetailsA(HMIXEROBJ object, MIXERCONTROLDETAILS *details, uint32_t flags) {
  TMixerDevice *device = nullptr;
  if (const MMRESULT result = Resolve(object, flags, device))
    return result;
  if (!details)
    return MMSYSERR_INVALPARAM;
  if ((flags & MIXER_QUERYMASK) != MIXER_GETCONTROLDETAILSF_VALUE)
    return MMSYSERR_NOTSUPPORTED;
  return device->ReadDetails(*details);
}

MMRESULT mixerSetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS *details, uint32_t flags) {
  TMixerDevice *device = nullptr;
  if (const MMRESULT result = Resolve(object, flags, device))
    return result;
  if (!details)
    return MMSYSERR_INVALPARAM;
  if ((flags & MIXER_QUERYMASK) != MIXER_SETCONTROLDETAILSF_VALUE)
    return MMSYSERR_NOTSUPPORTED;
  std::vector<uint32_t> values;
  if (const MMRESULT result =
          device->Read([&](const TMixerLayout &layout) { return layout.ValuesToSet(*details, values); }))
    return result;
  return device->Write(details->dwControlID, values);
}
