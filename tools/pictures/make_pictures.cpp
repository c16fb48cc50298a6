// Draws the panel's pictures into the folder given on the command line.
#include "pictures/bmp_writer.h"
#include "pictures/picture_set.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures <folder>\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (const TPictureFile &file : PictureFiles()) {
    const QString path = folder.filePath(file.FileName);
    if (!SaveBmp(file.Draw(), path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
