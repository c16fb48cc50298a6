#include "widgets/picture_tools.h"

namespace {

QRgb Rgb(TColor color) { return ColorToQColor(color).rgb() | 0xFF000000u; }

// Pixels darker than this take part in the disabled shape.
constexpr int DisabledThreshold = 192;

int Level(QRgb pixel) { return (77 * qRed(pixel) + 150 * qGreen(pixel) + 29 * qBlue(pixel)) / 256; }

} // namespace

TColor LowerLeftColor(const QImage &picture) {
  if (picture.isNull())
    return clNone;
  return QColorToColor(QColor(picture.pixel(0, picture.height() - 1)));
}

QImage MaskedImage(const QImage &picture, TColor transparent) {
  QImage result = picture.convertToFormat(QImage::Format_ARGB32);
  if (transparent == clNone || result.isNull())
    return result;
  const QRgb key = Rgb(transparent) & 0xFFFFFFu;
  for (int y = 0; y < result.height(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x)
      if ((line[x] & 0xFFFFFFu) == key)
        line[x] = 0;
  }
  return result;
}

QImage DisabledImage(const QImage &picture, TColor transparent) {
  const QImage source = picture.convertToFormat(QImage::Format_RGB32);
  QImage result(source.size(), QImage::Format_RGB32);
  const QRgb ground = transparent == clNone ? Rgb(clBtnFace) : Rgb(transparent);
  result.fill(ground);
  const QRgb key = ground & 0xFFFFFFu;
  const QRgb white = Rgb(clBtnHighlight);
  const QRgb grey = Rgb(clBtnShadow);
  const auto dark = [&](int x, int y) {
    const QRgb pixel = source.pixel(x, y);
    return (pixel & 0xFFFFFFu) != key && Level(pixel) < DisabledThreshold;
  };
  for (int y = 0; y + 1 < source.height(); ++y)
    for (int x = 0; x + 1 < source.width(); ++x)
      if (dark(x, y))
        result.setPixel(x + 1, y + 1, white);
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x)
      if (dark(x, y))
        result.setPixel(x, y, grey);
  return result;
}

QImage GrayImage(const QImage &picture, TColor transparent, TColor keep) {
  QImage result = picture.convertToFormat(QImage::Format_RGB32);
  const QRgb key = transparent == clNone ? 0xFFFFFFFFu : (Rgb(transparent) & 0xFFFFFFu);
  const QRgb kept = Rgb(keep) & 0xFFFFFFu;
  for (int y = 0; y < result.height(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      const QRgb rgb = line[x] & 0xFFFFFFu;
      if (rgb == key || rgb == kept)
        continue;
      const int level = Level(line[x]);
      line[x] = qRgb(level, level, level);
    }
  }
  return result;
}
