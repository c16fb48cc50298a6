// Writes the program's icon as PNG files for the desktop's icon theme, one for each size given:
// <folder>/<size>x<size>/apps/vexilo.png, the layout of the hicolor theme's folders.
#include "pictures/program_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_icon <folder> <size>...\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (int i = 2; i < argc; ++i) {
    bool number = false;
    const int size = QString::fromLocal8Bit(argv[i]).toInt(&number);
    if (!number || size < 16 || size > 1024) {
      std::fprintf(stderr, "not an icon size: %s\n", argv[i]);
      return 2;
    }
    const QString apps = QStringLiteral("%1x%1/apps").arg(size);
    const QString path = folder.filePath(apps + "/vexilo.png");
    if (!folder.mkpath(apps) || !DrawProgramIcon(size).save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
