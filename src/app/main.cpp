#include "app/about_box.h"
#include "app/vexilo_frm.h"
#include "display/library_cache.h"
#include "framework/application.h"

int main(int argc, char **argv) {
  TApplication application(argc, argv);
  int status = 0;
  {
    TVexiloFrm scope;
    TAboutBox aboutBox;
    scope.SetAboutBox(&aboutBox);
    scope.show();
    scope.activateWindow();
    status = application.exec();
  }
  ReleaseLibraries();
  return status;
}
