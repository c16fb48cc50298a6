// The time from an outside change of the default source's volume (made by a second client of the
// sound server) to the mixer's change notice on the GUI thread, over 50 changes: median and max.
#include "framework/application.h"
#include "platform/mixer/mixer_change_event.h"
#include "platform/mixer/mixer_functions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <pulse/pulseaudio.h>
#include <vector>

namespace {

class TNoticeClock : public QObject {
public:
  bool Arrived = false;

protected:
  bool event(QEvent *event) override {
    if (event->type() != TMixerControlChangeEvent::EventType())
      return QObject::event(event);
    Arrived = true;
    return true;
  }
};

// The second client: changes the volume the way another program would.
class TOutsideClient {
public:
  TOutsideClient() : FLoop(pa_threaded_mainloop_new()) {
    pa_threaded_mainloop_start(FLoop);
    pa_threaded_mainloop_lock(FLoop);
    FContext = pa_context_new(pa_threaded_mainloop_get_api(FLoop), "vexilo bench");
    pa_context_connect(FContext, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
    pa_threaded_mainloop_unlock(FLoop);
  }
  ~TOutsideClient() {
    pa_threaded_mainloop_lock(FLoop);
    pa_context_disconnect(FContext);
    pa_context_unref(FContext);
    pa_threaded_mainloop_unlock(FLoop);
    pa_threaded_mainloop_stop(FLoop);
    pa_threaded_mainloop_free(FLoop);
  }
  bool Ready() {
    pa_threaded_mainloop_lock(FLoop);
    const bool ready = pa_context_get_state(FContext) == PA_CONTEXT_READY;
    pa_threaded_mainloop_unlock(FLoop);
    return ready;
  }
  void SetVolume(pa_volume_t value) {
    pa_cvolume volume;
    pa_cvolume_set(&volume, 2, value);
    pa_threaded_mainloop_lock(FLoop);
    pa_operation_unref(pa_context_set_source_volume_by_name(FContext, "@DEFAULT_SOURCE@", &volume, nullptr, nullptr));
    pa_threaded_mainloop_unlock(FLoop);
  }

private:
  pa_threaded_mainloop *FLoop;
  pa_context *FContext = nullptr;
};

bool Serve(const std::function<bool()> &done) {
  QElapsedTimer deadline;
  deadline.start();
  while (!done() && deadline.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
  return done();
}

} // namespace

int main(int argc, char **argv) {
  TApplication application(argc, argv);
  TNoticeClock window;
  HMIXER mixer = 0;
  if (mixerOpen(&mixer, 0, reinterpret_cast<uintptr_t>(static_cast<QObject *>(&window)), 0, CALLBACK_WINDOW)) {
    std::printf("no mixer to measure\n");
    return 0;
  }
  TOutsideClient outside;
  if (!Serve([&] { return outside.Ready(); })) {
    std::printf("the second client did not connect\n");
    return 1;
  }
  std::vector<double> delays;
  QElapsedTimer clock;
  for (int i = 0; i < 50; ++i) {
    window.Arrived = false;
    clock.start();
    outside.SetVolume(PA_VOLUME_NORM / 4 + pa_volume_t(i % 2) * PA_VOLUME_NORM / 2);
    if (Serve([&] { return window.Arrived; }))
      delays.push_back(double(clock.nsecsElapsed()) / 1e6);
  }
  mixerClose(mixer);
  std::sort(delays.begin(), delays.end());
  if (delays.empty()) {
    std::printf("no notice arrived\n");
    return 1;
  }
  std::printf("outside volume change -> notice: %zu of 50 arrived, median %.2f ms, max %.2f ms\n", delays.size(),
              delays[delays.size() / 2], delays.back());
  return 0;
}
