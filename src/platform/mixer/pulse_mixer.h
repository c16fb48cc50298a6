#pragma once

#include "platform/mixer/mixer_device.h"
#include "platform/mixer/pulse_layout.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/subscribe.h>
#include <pulse/thread-mainloop.h>

// The mixer on the sound server's default source. A threaded main loop keeps the connection; its
// callbacks only update the layout and post notices. The calling thread waits for the server
// only within bounds, so a server that goes away makes calls fail instead of hanging them.
class TPulseMixer : public TMixerDevice {
public:
  // nullptr when no sound server answers.
  static std::unique_ptr<TPulseMixer> Connect();
  ~TPulseMixer() override;
  TPulseMixer(const TPulseMixer &) = delete;
  TPulseMixer &operator=(const TPulseMixer &) = delete;

  MMRESULT Read(const std::function<MMRESULT(const TMixerLayout &)> &query) override;
  MMRESULT Write(uint32_t controlId, const std::vector<uint32_t> &values) override;
  MMRESULT Reach(bool opening) override;

private:
  TPulseMixer() = default;

  // These run with the main loop locked.
  bool Start();
  void Drop();
  bool WaitFor(const std::function<bool()> &done);
  bool WaitForOperation(pa_operation *operation);
  void Refresh();
  void Take(const pa_source_info &info);
  pa_operation *SetVolume();

  void Wake();
  static void OnState(pa_context *context, void *self);
  static void OnEvent(pa_context *context, pa_subscription_event_type_t type, uint32_t index, void *self);
  static void OnServerInfo(pa_context *context, const pa_server_info *info, void *self);
  static void OnSourceInfo(pa_context *context, const pa_source_info *info, int last, void *self);
  static void OnDone(pa_context *context, int success, void *self);

  pa_threaded_mainloop *FLoop = nullptr;
  pa_context *FContext = nullptr;
  bool FReady = false; // connected and the default source known
  TPulseSource FSource;
  TMixerLayout FLayout;

  std::mutex FWakeLock;
  std::condition_variable FWakeUp;
  uint64_t FWakes = 0;
};
