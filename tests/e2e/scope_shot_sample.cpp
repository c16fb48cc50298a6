// scope_shot_sample OUT GRATICULE PERIOD AMPLITUDE: draws the window image a correct scope shows
// for a sine tone (the graticule picture at the display's place, channel I in aqua around row 200
// and channel II in blue around row 300), so that the screenshot check can be shown to pass on a
// good picture and to fail on a wrong one. GRATICULE "none" leaves the display black.
#include <QImage>
#include <QPainter>
#include <QString>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

int main(int argc, char **argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: scope_shot_sample OUT GRATICULE PERIOD AMPLITUDE\n");
    return 2;
  }
  const double period = std::atof(argv[3]);
  const double amplitude = std::atof(argv[4]);
  QImage image(693, 585, QImage::Format_RGB32);
  image.fill(QColor(240, 240, 240));
  QPainter painter(&image);
  painter.fillRect(37, 15, 504, 504, Qt::black);
  if (QString(argv[2]) != "none")
    painter.drawImage(37, 15, QImage(QString::fromLocal8Bit(argv[2])));
  auto trace = [&](const QColor &colour, int zeroRow) {
    painter.setPen(colour);
    auto row = [&](int x) { return zeroRow + std::lround(amplitude * std::sin(2 * std::numbers::pi * x / period)); };
    for (int x = 1; x < 504; ++x)
      painter.drawLine(37 + x, 15 + int(row(x)), 37 + x + 1, 15 + int(row(x + 1)));
  };
  trace(QColor(0, 255, 255), 200);
  trace(QColor(0, 0, 255), 300);
  painter.end();
  return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
