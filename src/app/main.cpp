#include "app/about_box.h"
#include "app/stop_signals.h"
#include "app/vexilo_frm.h"
#include "device/library_cache.h"
#include "framework/application.h"

int main(int argc, char **argv) {
  TApplication application(argc, argv);
  int status = 0;
  {
    TVexiloFrm scope;
    TAboutBox aboutBox;
    scope.SetAboutBox(&aboutBox);
    // Being told to stop (a logout, a kill) ends the scope as its power switch does.
    TStopSignals stop([&scope] { scope.PoverOff(nullptr); });
    scope.show();
    scope.activateWindow();
    status = application.exec();
  }
  ReleaseLibraries();
  return status;
}
