#include "pictures/graticule.h"

#include <QPainter>

QImage DrawGraticule() {
  QImage image(GraticuleSize, GraticuleSize, QImage::Format_RGB888);
  image.fill(GraticuleBackground);
  QPainter painter(&image);
  auto fill = [&](int left, int top, int right, int bottom) {
    painter.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), GraticuleLine);
  };
  const int last = GraticuleSize - 1;
  for (int column : GraticuleColumns)
    fill(column, 0, column, last);
  for (int row : GraticuleRows)
    fill(0, row, last, row);
  fill(251, 0, 253, last); // vertical axis
  fill(0, 250, last, 251); // horizontal axis
  for (int k = 1; k < 50; ++k) {
    if (k % 5 == 0)
      continue;
    const int at = GraticuleTick(k);
    fill(at, 241, at, 261); // ticks across the horizontal axis
    fill(242, at, 262, at); // ticks across the vertical axis
  }
  // The centre square's outline.
  fill(242, 242, 262, 242);
  fill(242, 263, 262, 263);
  fill(242, 242, 242, 263);
  fill(262, 242, 262, 263);
  return image;
}
