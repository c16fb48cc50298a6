#include "pictures/pixel_painter.h"

#include <array>
#include <cstdint>

const QColor FaceColour(192, 192, 192);

const QVector<QRgb> &SixteenColours() {
  static const QVector<QRgb> colours{qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                                     qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                                     qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                                     qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
  return colours;
}

QImage ToSixteenColours(const QImage &image) {
  return image.convertToFormat(QImage::Format_Indexed8, SixteenColours(), Qt::ThresholdDither | Qt::AvoidDither);
}

namespace {

// Rows of 3 bits, top row first.
struct TGlyph {
  char Letter;
  std::array<uint8_t, 5> Rows;
};

constexpr TGlyph Glyphs[] = {{'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}},
                             {'3', {7, 1, 3, 1, 7}}, {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}},
                             {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}}, {'8', {7, 5, 7, 5, 7}},
                             {'9', {7, 5, 7, 1, 7}}, {'k', {4, 5, 6, 5, 5}}, {'H', {5, 5, 7, 5, 5}},
                             {'z', {0, 7, 1, 2, 7}}, {'x', {0, 5, 2, 2, 5}}, {' ', {0, 0, 0, 0, 0}}};

} // namespace

void DrawPixelText(QImage &image, int x, int y, const QString &text, QColor colour) {
  for (const QChar c : text) {
    for (const TGlyph &glyph : Glyphs) {
      if (glyph.Letter != c.toLatin1())
        continue;
      for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
          if (glyph.Rows[row] & (4 >> column) && image.rect().contains(x + column, y + row))
            image.setPixelColor(x + column, y + row, colour);
    }
    x += 4;
  }
}

QImage NewStrip(int frames, int width, int height) {
  QImage strip(frames * width, height, QImage::Format_RGB32);
  strip.fill(FaceColour);
  return strip;
}
