#include "pictures/bmp_writer.h"

#include <QFile>

#include <cstdint>

namespace {

void Put16(QByteArray &out, uint16_t value) {
  out.append(static_cast<char>(value & 0xFF));
  out.append(static_cast<char>(value >> 8));
}

void Put32(QByteArray &out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.append(static_cast<char>((value >> shift) & 0xFF));
}

} // namespace

int BmpBitCount(const QImage &image) {
  return image.format() == QImage::Format_Indexed8 && image.colorCount() <= 16 ? 4 : 24;
}

QByteArray EncodeBmp(const QImage &image) {
  const int bits = BmpBitCount(image);
  const int width = image.width();
  const int height = image.height();
  const int rowBytes = (bits * width + 31) / 32 * 4;
  const int tableBytes = bits == 4 ? 16 * 4 : 0;
  const uint32_t pixelOffset = 14 + 40 + tableBytes;
  const uint32_t imageSize = static_cast<uint32_t>(rowBytes) * height;

  QByteArray out;
  out.reserve(static_cast<int>(pixelOffset + imageSize));
  out.append("BM");
  Put32(out, pixelOffset + imageSize);
  Put32(out, 0);
  Put32(out, pixelOffset);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<uint16_t>(bits));
  Put32(out, 0); // no compression
  Put32(out, imageSize);
  for (int i = 0; i < 4; ++i)
    Put32(out, 0); // resolution and colour counts
  if (bits == 4) {
    for (int i = 0; i < 16; ++i) {
      const QRgb colour = i < image.colorCount() ? image.color(i) : 0;
      out.append(static_cast<char>(qBlue(colour)));
      out.append(static_cast<char>(qGreen(colour)));
      out.append(static_cast<char>(qRed(colour)));
      out.append('\0');
    }
  }
  const QImage rgb = bits == 24 ? image.convertToFormat(QImage::Format_RGB32) : image;
  for (int y = height - 1; y >= 0; --y) {
    QByteArray row(rowBytes, '\0');
    for (int x = 0; x < width; ++x) {
      if (bits == 4) {
        const int index = rgb.pixelIndex(x, y);
        row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
      } else {
        const QRgb colour = rgb.pixel(x, y);
        row[3 * x] = static_cast<char>(qBlue(colour));
        row[3 * x + 1] = static_cast<char>(qGreen(colour));
        row[3 * x + 2] = static_cast<char>(qRed(colour));
      }
    }
    out.append(row);
  }
  return out;
}

bool SaveBmp(const QImage &image, const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    return false;
  const QByteArray bytes = EncodeBmp(image);
  return file.write(bytes) == bytes.size();
}
