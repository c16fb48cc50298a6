#include "pictures/small_pictures.h"

#include "pictures/pixel_painter.h"

#include <QPainter>
#include <QPolygon>
#include <QTransform>

QImage DrawPowerOffPicture() {
  QImage picture(32, 48, QImage::Format_RGB32);
  picture.fill(FaceColour);
  QPainter painter(&picture);
  painter.setPen(QColor(0, 0, 0));
  painter.setBrush(QColor(128, 128, 128));
  painter.drawRect(4, 3, 23, 41); // the plate
  painter.setPen(QColor(255, 255, 255));
  painter.drawLine(5, 4, 26, 4);
  painter.drawLine(5, 4, 5, 43);
  painter.fillRect(12, 9, 8, 30, QColor(0, 0, 0));        // the slot
  painter.fillRect(14, 24, 4, 12, QColor(192, 192, 192)); // the lever, pointing down
  painter.setPen(QColor(0, 0, 0));
  painter.setBrush(QColor(192, 192, 192));
  painter.drawRect(10, 33, 11, 7); // its handle
  painter.setPen(QColor(255, 255, 255));
  painter.drawLine(11, 34, 20, 34);
  painter.fillRect(14, 6, 4, 2, QColor(128, 0, 0)); // the unlit lamp
  painter.end();
  return ToSixteenColours(picture);
}

QImage DrawHorizontalArrow() {
  QImage arrow(21, 6, QImage::Format_RGB32);
  arrow.fill(FaceColour);
  QPainter painter(&arrow);
  const QColor ink(0, 0, 0);
  painter.fillRect(3, 2, 15, 2, ink); // the shaft
  for (int i = 0; i < 3; ++i) {       // a head at each end, widening inwards
    painter.fillRect(i, 2 - i, 1, 2 + 2 * i, ink);
    painter.fillRect(20 - i, 2 - i, 1, 2 + 2 * i, ink);
  }
  painter.end();
  return arrow;
}

QImage DrawVerticalArrow() {
  // The horizontal arrow turned upright.
  return DrawHorizontalArrow().transformed(QTransform().rotate(90));
}

QImage DrawSmallScope() {
  QImage picture(16, 15, QImage::Format_RGB32);
  picture.fill(FaceColour);
  QPainter painter(&picture);
  painter.setPen(QColor(64, 64, 64));
  painter.setBrush(QColor(0, 64, 0));
  painter.drawRect(0, 0, 15, 14);
  painter.setPen(QColor(0, 128, 0));
  painter.drawLine(1, 7, 14, 7);
  painter.drawLine(8, 1, 8, 13);
  painter.setPen(QColor(0, 255, 0));
  painter.drawPolyline(QPolygon{{1, 7},
                                {2, 4},
                                {3, 3},
                                {4, 4},
                                {5, 7},
                                {6, 10},
                                {7, 11},
                                {8, 10},
                                {9, 7},
                                {10, 4},
                                {11, 3},
                                {12, 4},
                                {13, 7},
                                {14, 10}});
  painter.end();
  return picture;
}
