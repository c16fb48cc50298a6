// display_check SHOT circle RADIUS: the XY figure in a screenshot of the scope window is a circle of
// RADIUS pixels around the graticule's centre.
// display_check SHOT picture PNG: the saved picture is, pixel for pixel, the display in the shot.
// display_check SHOT export CSV: the exported traces are the ones the shot shows, with both
// channels' knobs as they start (1 pixel a sample unit, zero lines at rows 200 and 300, first point
// in column 1, one column a point).
// display_check SHOT readout: prints the measurement readout's lines the shot shows, one a line.
// Each check prints one line per check ("PASS ..." or "FAIL ...") and exits with the number of failures.
#include "app/readout.h"
#include "app/readout_font.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Where the display control's 504 x 504 picture lies in the window's client area.
constexpr int DisplayLeft = 37;
constexpr int DisplayTop = 15;
constexpr int DisplaySize = 504;
constexpr double PixelsPerDivision = 50.4;

const QColor ChannelColours[] = {QColor(0, 255, 255), QColor(0, 0, 255)};
const char *const ChannelNames[] = {"I", "II"};
constexpr int ZeroRows[] = {200, 300};

int failed = 0;

void Check(bool passed, const char *what, const QString &detail) {
  std::printf("%s %s%s%s\n", passed ? "PASS" : "FAIL", what, detail.isEmpty() ? "" : ": ",
              detail.toLocal8Bit().constData());
  failed += passed ? 0 : 1;
}

QImage Display(const QImage &shot) {
  return shot.copy(DisplayLeft, DisplayTop, DisplaySize, DisplaySize).convertToFormat(QImage::Format_RGB32);
}

bool Is(const QImage &display, int x, int y, const QColor &colour) {
  return display.rect().contains(x, y) && display.pixelColor(x, y) == colour;
}

void Circle(const QImage &display, double radius) {
  std::vector<QPoint> lit;
  for (int y = 0; y < DisplaySize; ++y)
    for (int x = 0; x < DisplaySize; ++x)
      if (Is(display, x, y, ChannelColours[0]))
        lit.emplace_back(x, y);
  Check(lit.size() > 4 * radius, "the figure is drawn in channel I's colour", QString("%1 pixels").arg(lit.size()));
  if (lit.empty())
    return;
  int left = DisplaySize, right = 0, top = DisplaySize, bottom = 0;
  for (const QPoint &p : lit)
    left = std::min(left, p.x()), right = std::max(right, p.x()), top = std::min(top, p.y()),
    bottom = std::max(bottom, p.y());
  const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  Check(std::abs(cx - 252) <= 2 && std::abs(cy - 251) <= 2, "the figure lies around the graticule's centre",
        QString("%1, %2").arg(cx).arg(cy));
  Check(std::abs(right - left - 2 * radius) <= 4 && std::abs(bottom - top - 2 * radius) <= 4,
        "the figure is as wide and as tall as the two sines are large",
        QString("%1 x %2").arg(right - left).arg(bottom - top));
  int off = 0;
  for (const QPoint &p : lit)
    off += std::abs(std::hypot(p.x() - cx, p.y() - cy) - radius) > 2.5 ? 1 : 0;
  Check(off == 0, "every pixel of the figure lies on the circle", QString("%1 of %2 off it").arg(off).arg(lit.size()));
}

void Picture(const QImage &display, const QString &png) {
  const QImage saved(png);
  Check(saved.size() == display.size(), "the saved picture is the display's size",
        QString("%1 x %2").arg(saved.width()).arg(saved.height()));
  if (saved.size() != display.size())
    return;
  const QImage picture = saved.convertToFormat(QImage::Format_RGB32);
  int different = 0;
  for (int y = 0; y < DisplaySize; ++y)
    for (int x = 0; x < DisplaySize; ++x)
      different += (picture.pixel(x, y) & 0xFFFFFF) != (display.pixel(x, y) & 0xFFFFFF) ? 1 : 0;
  Check(different == 0, "the saved picture is what the display shows", QString("%1 pixels differ").arg(different));
}

void Export(const QImage &display, const QString &csvPath) {
  QFile file(csvPath);
  Check(file.open(QIODevice::ReadOnly), "the exported file can be read", csvPath);
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  Check(lines.size() > 4 && lines[0] == "# vexilo traces, CSV 1, traces over time", "the export names its format",
        lines.value(0));
  Check(lines.value(3) == "I time (ms),I (V),II time (ms),II (V)", "both channels are exported", lines.value(3));
  if (lines.size() < 5)
    return;
  for (int ch = 0; ch < 2; ++ch) {
    // "# I: 0.1 V/div, 0.525 ms/div"
    const QStringList scale = lines[1 + ch].split(' ');
    const double voltsPerDiv = scale.value(2).toDouble(), msPerDiv = scale.value(4).toDouble();
    Check(scale.value(1) == QString(ChannelNames[ch]) + ":" && voltsPerDiv > 0 && msPerDiv > 0,
          "the export gives each channel's volts/div and time base", lines[1 + ch]);
    int points = 0, onScreen = 0, timed = 0;
    for (int row = 4; row < lines.size(); ++row) {
      const QStringList cells = lines[row].split(',');
      if (cells.size() != 4 || cells[2 * ch].isEmpty())
        continue;
      const int i = row - 4;
      const double ms = cells[2 * ch].toDouble(), volts = cells[2 * ch + 1].toDouble();
      timed += std::abs(ms - i * msPerDiv * 10 / DisplaySize) < 1e-6 ? 1 : 0;
      const int x = 1 + i;
      if (x >= DisplaySize)
        continue;
      const long level = std::lround(volts / voltsPerDiv * PixelsPerDivision);
      ++points;
      onScreen += Is(display, x, ZeroRows[ch] + static_cast<int>(level), ChannelColours[ch]) ? 1 : 0;
    }
    Check(timed == lines.size() - 4, "each point's time follows the time base",
          QString("channel %1: %2 of %3").arg(ChannelNames[ch]).arg(timed).arg(lines.size() - 4));
    Check(points > 500 && onScreen == points, "each exported point is where the trace shows it",
          QString("channel %1: %2 of %3").arg(ChannelNames[ch]).arg(onScreen).arg(points));
  }
}

void Readout(const QImage &display) {
  for (int ch = 0; ch < 2; ++ch) {
    const auto lit = [&](int x, int y) { return Is(display, x, y, ChannelColours[ch]); };
    std::printf("%s\n", ReadReadoutText(lit, ReadoutLeft, ReadoutTop + ch * ReadoutCellHeight, ReadoutChars).c_str());
  }
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 4 && !(argc == 3 && std::string(argv[2]) == "readout")) {
    std::fprintf(stderr, "usage: display_check SHOT circle RADIUS | picture PNG | export CSV | readout\n");
    return 100;
  }
  const QImage shot(QString::fromLocal8Bit(argv[1]));
  if (shot.width() < DisplayLeft + DisplaySize || shot.height() < DisplayTop + DisplaySize) {
    Check(false, "the screenshot shows the window", argv[1]);
    return 1;
  }
  const QImage display = Display(shot);
  const std::string mode = argv[2];
  if (mode == "circle")
    Circle(display, std::atof(argv[3]));
  else if (mode == "picture")
    Picture(display, QString::fromLocal8Bit(argv[3]));
  else if (mode == "export")
    Export(display, QString::fromLocal8Bit(argv[3]));
  else if (mode == "readout")
    Readout(display);
  else
    return 100;
  return failed;
}
