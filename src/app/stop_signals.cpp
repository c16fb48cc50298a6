#include "app/stop_signals.h"

#include "framework/application.h"
#include "rtl/exception.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int StopSignals[] = {SIGTERM, SIGINT, SIGHUP};
int WriteEnd = -1;

// All a signal handler may safely do: note the signal for the event loop.
void NoteSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(WriteEnd, &byte, 1);
}

} // namespace

TStopSignals::TStopSignals(std::function<void()> onStop) : FOnStop(std::move(onStop)) {
  if (pipe2(FPipe, O_CLOEXEC | O_NONBLOCK) != 0)
    throw Exception("The stop signals cannot be watched");
  WriteEnd = FPipe[1];
  FNotifier = new QSocketNotifier(FPipe[0], QSocketNotifier::Read, this);
  connect(FNotifier, &QSocketNotifier::activated, this, [this] { Drain(); });
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : StopSignals)
    sigaction(signal, &action, nullptr);
}

TStopSignals::~TStopSignals() {
  for (int signal : StopSignals)
    std::signal(signal, SIG_DFL);
  WriteEnd = -1;
  close(FPipe[0]);
  close(FPipe[1]);
}

void TStopSignals::Drain() {
  char bytes[16];
  while (read(FPipe[0], bytes, sizeof bytes) > 0) {
  }
  Application->Guard([this] { FOnStop(); });
}
