#include "display/library_cache.h"
#include "framework/application.h"

#include <QWidget>

int main(int argc, char **argv) {
  TApplication application(argc, argv);
  int status = 0;
  {
    // The scope panel's frame: a fixed client area and a caption with no title-bar buttons.
    QWidget panel(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    panel.setWindowTitle(QString::fromStdString(application.Title));
    panel.setFixedSize(693, 585);
    panel.show();
    status = application.exec();
  }
  ReleaseLibraries();
  return status;
}
