#pragma once

#include <QImage>
#include <QString>
#include <vector>

// Every picture the panel shows, with the file it is kept in under resources/ and the shape its
// control expects.
struct TPictureFile {
  QString FileName;
  int Width = 0;
  int Height = 0;
  int Frames = 1;   // equal frames side by side
  int BitCount = 0; // 24, or 4 for 16 colours
  QImage (*Draw)() = nullptr;
};

const std::vector<TPictureFile> &PictureFiles();
