// Captures from the real default device for a number of seconds, as the scope does (44100 Hz,
// 16 bits, stereo, 300 ms buffer, a handler that reads what is waiting), and reports the bytes
// delivered per second against the nominal rate and the intervals between notifications.
#include "device/library_cache.h"
#include "framework/application.h"
#include "sound/capture_stream.h"

#include "scope_capture_format.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  TApplication application(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  int result = 0;
  application.Guard([&] {
    TSoundCaptureStream stream;
    UseScopeCaptureFormat(stream);
    static uint8_t staging[192000];
    std::vector<double> intervals;
    intervals.reserve(size_t(seconds) * 100);
    QElapsedTimer clock;
    bool measuring = false;
    double last = 0;
    int64_t bytes = 0;
    stream.SetOnDataAvailable([&](TSoundCaptureStream *sender) {
      const int64_t readable = sender->ReadableSize();
      sender->ReadBuffer(staging, readable);
      if (!measuring) { // the first block ends the device's start-up; measuring begins there
        measuring = true;
        clock.start();
        QTimer::singleShot(seconds * 1000, &application, &QCoreApplication::quit);
        return;
      }
      const double now = double(clock.nsecsElapsed()) / 1e6;
      intervals.push_back(now - last);
      last = now;
      bytes += readable;
    });
    stream.StartCapture();
    application.exec();
    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
    stream.StopCapture();
    if (intervals.empty()) {
      std::printf("no data captured\n");
      result = 1;
      return;
    }
    std::sort(intervals.begin(), intervals.end());
    const double median = intervals[intervals.size() / 2];
    const double p99 = intervals[std::min(intervals.size() - 1, intervals.size() * 99 / 100)];
    std::printf("capture 44100/16/2, 300 ms buffer, %.1f s: %.0f bytes/s delivered (nominal 176400, %.1f %%)\n",
                elapsed, double(bytes) / elapsed, 100.0 * double(bytes) / elapsed / 176400.0);
    std::printf("notifications: %zu, interval median %.1f ms, 99th percentile %.1f ms, max %.1f ms\n", intervals.size(),
                median, p99, intervals.back());
  });
  ReleaseLibraries();
  return result;
}
