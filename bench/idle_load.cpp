// A program whose idle handler always asks to be called again, for a few seconds; the
// measurement script reads the CPU time it used.
#include "framework/application.h"

#include <QTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
  TApplication application(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
  long passes = 0;
  application.SetOnIdle([&](QObject *, bool &done) {
    ++passes;
    done = false;
  });
  QTimer::singleShot(seconds * 1000, &application, &QCoreApplication::quit);
  application.exec();
  std::printf("idle passes: %ld in %d s (%.1f per second)\n", passes, seconds, double(passes) / seconds);
  return 0;
}
