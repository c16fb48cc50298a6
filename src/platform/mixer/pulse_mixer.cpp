#include "platform/mixer/pulse_mixer.h"

#include "platform/mixer/mixer_back_ends.h"

#include <algorithm>
#include <chrono>
#include <pulse/error.h>

namespace {

// Longer than a healthy server ever takes; short enough that a hung one does not freeze the scope.
constexpr auto ServerWait = std::chrono::milliseconds(1500);

// The loop lock is held for the scope of one of these.
class TLoopLock {
public:
  explicit TLoopLock(pa_threaded_mainloop *loop) : FLoop(loop) { pa_threaded_mainloop_lock(FLoop); }
  ~TLoopLock() { pa_threaded_mainloop_unlock(FLoop); }
  TLoopLock(const TLoopLock &) = delete;
  TLoopLock &operator=(const TLoopLock &) = delete;

private:
  pa_threaded_mainloop *FLoop;
};

bool Gone(pa_context *context) {
  const pa_context_state_t state = pa_context_get_state(context);
  return state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED;
}

} // namespace

std::unique_ptr<TMixerDevice> ConnectPulseMixer() { return TPulseMixer::Connect(); }

std::unique_ptr<TPulseMixer> TPulseMixer::Connect() {
  std::unique_ptr<TPulseMixer> mixer(new TPulseMixer);
  mixer->FLoop = pa_threaded_mainloop_new();
  if (!mixer->FLoop || pa_threaded_mainloop_start(mixer->FLoop) < 0)
    return nullptr;
  TLoopLock lock(mixer->FLoop);
  if (!mixer->Start())
    return nullptr;
  return mixer;
}

TPulseMixer::~TPulseMixer() {
  if (!FLoop)
    return;
  {
    TLoopLock lock(FLoop);
    Drop();
  }
  pa_threaded_mainloop_stop(FLoop);
  pa_threaded_mainloop_free(FLoop);
}

bool TPulseMixer::Start() {
  Drop();
  FContext = pa_context_new(pa_threaded_mainloop_get_api(FLoop), "vexilo mixer");
  if (!FContext)
    return false;
  pa_context_set_state_callback(FContext, &TPulseMixer::OnState, this);
  pa_context_set_subscribe_callback(FContext, &TPulseMixer::OnEvent, this);
  if (pa_context_connect(FContext, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
    return false;
  if (!WaitFor([this] { return pa_context_get_state(FContext) == PA_CONTEXT_READY || Gone(FContext); }) ||
      Gone(FContext))
    return false;
  const auto mask = pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SOURCE | PA_SUBSCRIPTION_MASK_SERVER);
  pa_operation_unref(pa_context_subscribe(FContext, mask, nullptr, nullptr));
  Refresh();
  return WaitFor([this] { return FReady || Gone(FContext); }) && FReady;
}

void TPulseMixer::Drop() {
  FReady = false;
  if (!FContext)
    return;
  pa_context_set_state_callback(FContext, nullptr, nullptr);
  pa_context_set_subscribe_callback(FContext, nullptr, nullptr);
  pa_context_disconnect(FContext);
  pa_context_unref(FContext);
  FContext = nullptr;
}

// The loop lock is let go while waiting, so the loop's callbacks can run and wake us.
bool TPulseMixer::WaitFor(const std::function<bool()> &done) {
  const auto deadline = std::chrono::steady_clock::now() + ServerWait;
  while (!done()) {
    uint64_t seen;
    {
      std::lock_guard lock(FWakeLock);
      seen = FWakes;
    }
    pa_threaded_mainloop_unlock(FLoop);
    {
      std::unique_lock lock(FWakeLock);
      FWakeUp.wait_until(lock, deadline, [&] { return FWakes != seen; });
    }
    pa_threaded_mainloop_lock(FLoop);
    if (std::chrono::steady_clock::now() >= deadline)
      return done();
  }
  return true;
}

bool TPulseMixer::WaitForOperation(pa_operation *operation) {
  if (!operation)
    return false;
  const bool done =
      WaitFor([&] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING || Gone(FContext); });
  const bool finished = done && pa_operation_get_state(operation) == PA_OPERATION_DONE;
  pa_operation_unref(operation);
  return finished;
}

void TPulseMixer::Wake() {
  {
    std::lock_guard lock(FWakeLock);
    ++FWakes;
  }
  FWakeUp.notify_all();
}

MMRESULT TPulseMixer::Reach(bool) {
  TLoopLock lock(FLoop);
  if (FReady && !Gone(FContext))
    return MMSYSERR_NOERROR;
  return Start() ? MMSYSERR_NOERROR : MMSYSERR_NODRIVER;
}

MMRESULT TPulseMixer::Read(const std::function<MMRESULT(const TMixerLayout &)> &query) {
  TLoopLock lock(FLoop);
  if (!FReady)
    return MMSYSERR_NODRIVER;
  return query(FLayout);
}

pa_operation *TPulseMixer::SetVolume() {
  pa_cvolume volume;
  pa_cvolume_set(&volume, FSource.Channels, FSource.Volume);
  return pa_context_set_source_volume_by_name(FContext, FSource.Name.c_str(), &volume, &TPulseMixer::OnDone, this);
}

// Ids are odd for an input's VOLUME and even for its switch (see PulseVolumeId, PulseSwitchId).
MMRESULT TPulseMixer::Write(uint32_t controlId, const std::vector<uint32_t> &values) {
  TMixerLayout before;
  TMixerLayout after;
  {
    TLoopLock lock(FLoop);
    if (!FReady)
      return MMSYSERR_NODRIVER;
    const size_t input = (controlId - 1) / 2;
    if (controlId == 0 || input >= FSource.InputCount() || values.size() != 1)
      return MIXERR_INVALCONTROL;
    FSource.Kept.resize(FSource.InputCount());
    before = FLayout;
    bool done = true;
    if (controlId == PulseVolumeId(input)) {
      const uint16_t value = uint16_t(std::min<uint32_t>(values[0], 0xFFFF));
      if (input == FSource.Active) {
        FSource.Volume = MixerToPulseVolume(value);
        done = WaitForOperation(SetVolume());
      } else {
        FSource.Kept[input] = value;
      }
    } else if (values[0] != 0 && input != FSource.Active) {
      FSource.Active = input;
      done = WaitForOperation(pa_context_set_source_port_by_name(
          FContext, FSource.Name.c_str(), FSource.Ports[input].Name.c_str(), &TPulseMixer::OnDone, this));
      if (done && FSource.Kept[input]) {
        FSource.Volume = MixerToPulseVolume(*FSource.Kept[input]);
        FSource.Kept[input].reset();
        done = WaitForOperation(SetVolume());
      }
    }
    FLayout = PulseLayout(FSource);
    after = FLayout;
    if (!done) {
      // The server did not take it: what it has is fetched again rather than guessed.
      if (FContext && !Gone(FContext))
        Refresh();
      return MMSYSERR_ERROR;
    }
  }
  NotifyChanges(before, after, controlId);
  return MMSYSERR_NOERROR;
}

void TPulseMixer::Refresh() {
  if (pa_operation *operation = pa_context_get_server_info(FContext, &TPulseMixer::OnServerInfo, this))
    pa_operation_unref(operation);
}

// Main loop thread from here on.

void TPulseMixer::OnState(pa_context *context, void *self) {
  auto *mixer = static_cast<TPulseMixer *>(self);
  if (Gone(context))
    mixer->FReady = false; // no more notices; calls fail until a reconnect
  mixer->Wake();
}

void TPulseMixer::OnEvent(pa_context *, pa_subscription_event_type_t type, uint32_t, void *self) {
  const auto facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
  if (facility == PA_SUBSCRIPTION_EVENT_SOURCE || facility == PA_SUBSCRIPTION_EVENT_SERVER)
    static_cast<TPulseMixer *>(self)->Refresh();
}

void TPulseMixer::OnServerInfo(pa_context *context, const pa_server_info *info, void *self) {
  if (!info || !info->default_source_name)
    return;
  pa_operation *operation =
      pa_context_get_source_info_by_name(context, info->default_source_name, &TPulseMixer::OnSourceInfo, self);
  if (operation)
    pa_operation_unref(operation);
}

void TPulseMixer::OnSourceInfo(pa_context *, const pa_source_info *info, int, void *self) {
  auto *mixer = static_cast<TPulseMixer *>(self);
  if (!info)
    return;
  try {
    mixer->Take(*info);
  } catch (...) {
    // Nothing may unwind into libpulse. Without the new layout the mixer counts as gone: calls
    // fail, and the next one connects afresh.
    mixer->FReady = false;
    mixer->Wake();
  }
}

void TPulseMixer::OnDone(pa_context *, int, void *self) { static_cast<TPulseMixer *>(self)->Wake(); }

void TPulseMixer::Take(const pa_source_info &info) {
  TPulseSource source;
  source.Name = info.name ? info.name : "";
  source.Description = info.description ? info.description : source.Name;
  for (uint32_t i = 0; i < info.n_ports; ++i) {
    const pa_source_port_info &port = *info.ports[i];
    source.Ports.push_back(TPulsePort{port.name, port.description ? port.description : port.name,
                                      PortComponentType(port.name, port.type)});
    if (&port == info.active_port)
      source.Active = i;
  }
  source.Volume = pa_cvolume_max(&info.volume);
  source.Channels = info.volume.channels ? info.volume.channels : 1;
  // Kept volumes stay with the same inputs of the same source.
  if (source.Name == FSource.Name && source.InputCount() == FSource.InputCount())
    source.Kept = FSource.Kept;
  source.Kept.resize(source.InputCount());
  FSource = std::move(source);
  if (FSource.Kept[FSource.Active] && FContext) {
    // The input was chosen elsewhere; the volume written for it while it waited now applies.
    FSource.Volume = MixerToPulseVolume(*FSource.Kept[FSource.Active]);
    FSource.Kept[FSource.Active].reset();
    if (pa_operation *operation = SetVolume())
      pa_operation_unref(operation);
  }
  TMixerLayout layout = PulseLayout(FSource);
  if (FReady)
    NotifyChanges(FLayout, layout);
  FLayout = std::move(layout);
  FReady = true;
  Wake();
}
