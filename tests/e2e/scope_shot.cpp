// scope_shot IMAGE PERIOD AMPLITUDE: checks a screenshot of the scope window showing a sine tone of
// AMPLITUDE sample units on both channels. The display area must show the graticule, and each
// channel's trace must sit at its zero line with the given period in pixels. Prints one line per
// check ("PASS ..." or "FAIL ...") and exits with the number of failed checks.
#include <QColor>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// Where the display control's 504 x 504 picture lies in the window's client area.
constexpr int DisplayLeft = 37;
constexpr int DisplayTop = 15;
constexpr int DisplaySize = 504;

const QColor Background(199, 214, 186);
const QColor Grid(128, 128, 128);
const QColor ChannelI(0, 255, 255); // red pen inverted
const QColor ChannelII(0, 0, 255);  // yellow pen inverted

class TShotChecks {
public:
  explicit TShotChecks(const QImage &image) : FImage(image) {}

  void Check(bool passed, const char *what, const QString &detail) {
    std::printf("%s %s%s%s\n", passed ? "PASS" : "FAIL", what, detail.isEmpty() ? "" : ": ",
                detail.toLocal8Bit().constData());
    FFailed += passed ? 0 : 1;
  }

  bool Is(int x, int y, const QColor &colour) const {
    const QColor pixel = FImage.pixelColor(DisplayLeft + x, DisplayTop + y);
    return std::abs(pixel.red() - colour.red()) <= 8 && std::abs(pixel.green() - colour.green()) <= 8 &&
           std::abs(pixel.blue() - colour.blue()) <= 8;
  }

  // Share of the display pixels in [x0, x1] x [y0, y1] that have the colour, skipping excluded columns.
  double Share(
      int x0, int x1, int y0, int y1, const QColor &colour,
      const std::function<bool(int)> &excluded = [](int) { return false; }) const {
    int hits = 0, total = 0;
    for (int x = x0; x <= x1; ++x) {
      if (excluded(x))
        continue;
      for (int y = y0; y <= y1; ++y) {
        hits += Is(x, y, colour) ? 1 : 0;
        ++total;
      }
    }
    return total ? double(hits) / total : 0;
  }

  void Graticule();
  void Trace(const char *name, const QColor &colour, int zeroRow, double period, int amplitude);
  int Failed() const { return FFailed; }

private:
  const QImage &FImage;
  int FFailed = 0;
};

const std::vector<int> LineColumns = {49, 100, 151, 202, 302, 353, 404, 455};

void TShotChecks::Graticule() {
  // Rows 420..440 lie below both traces and between the grid rows 403 and 454.
  const double background = Share(0, DisplaySize - 1, 420, 440, Background, [](int x) {
    return (x >= 240 && x <= 265) ||
           std::any_of(LineColumns.begin(), LineColumns.end(), [x](int c) { return std::abs(x - c) <= 1; });
  });
  Check(background > 0.95, "graticule background", QString("%1% of the free area").arg(background * 100, 0, 'f', 1));
  int lines = 0;
  for (int column : LineColumns)
    lines += Share(column, column, 420, 440, Grid) > 0.9 ? 1 : 0;
  for (int row : {49, 100, 403, 454})
    lines += Share(60, 90, row, row, Grid) > 0.9 ? 1 : 0;
  Check(lines == 12, "graticule lines", QString("%1 of 12 grid lines found").arg(lines));
  const double axes = (Share(251, 253, 420, 440, Grid) + Share(60, 90, 250, 251, Grid)) / 2;
  Check(axes > 0.9, "graticule centre axes", QString("%1% grey").arg(axes * 100, 0, 'f', 1));
}

// The trace's pixels per column give its middle row there; the period is the mean distance between
// rising crossings of the zero line, found with hysteresis so that noise does not count.
void TShotChecks::Trace(const char *name, const QColor &colour, int zeroRow, double period, int amplitude) {
  std::vector<double> middle(DisplaySize, NAN);
  int pixels = 0, outside = 0, top = DisplaySize, bottom = -1;
  for (int x = 0; x < DisplaySize; ++x) {
    int low = DisplaySize, high = -1;
    for (int y = 0; y < DisplaySize; ++y) {
      if (!Is(x, y, colour))
        continue;
      ++pixels;
      outside += std::abs(y - zeroRow) > amplitude + 8 ? 1 : 0;
      low = std::min(low, y);
      high = std::max(high, y);
    }
    if (high >= 0) {
      middle[x] = (low + high) / 2.0;
      top = std::min(top, low);
      bottom = std::max(bottom, high);
    }
  }
  const auto covered = std::count_if(middle.begin(), middle.end(), [](double m) { return !std::isnan(m); });
  QString what = QString("%1 trace").arg(name);
  Check(covered > DisplaySize * 9 / 10, qPrintable(what + " across the display"),
        QString("%1 of %2 columns").arg(covered).arg(DisplaySize));
  if (covered == 0)
    return;
  Check(outside <= pixels / 100, qPrintable(what + " around its zero line"),
        QString("rows %1..%2, zero line %3").arg(top).arg(bottom).arg(zeroRow));
  const int height = bottom - top;
  Check(height >= amplitude * 3 / 2 && height <= amplitude * 5 / 2 + 4, qPrintable(what + " height"),
        QString("%1 pixels for a tone of amplitude %2").arg(height).arg(amplitude));

  const double centre = (top + bottom) / 2.0, margin = amplitude / 2.0;
  std::vector<double> rising;
  bool below = false;
  double candidate = 0;
  for (int x = 1; x < DisplaySize; ++x) {
    if (std::isnan(middle[x]) || std::isnan(middle[x - 1]))
      continue;
    if (middle[x] < centre - margin)
      below = true;
    if (below && middle[x - 1] < centre && middle[x] >= centre)
      candidate = x - 1 + (centre - middle[x - 1]) / (middle[x] - middle[x - 1]);
    if (below && middle[x] > centre + margin) {
      rising.push_back(candidate);
      below = false;
    }
  }
  if (rising.size() < 3) {
    Check(false, qPrintable(what + " period"), QString("only %1 rising crossings").arg(rising.size()));
    return;
  }
  const double measured = (rising.back() - rising.front()) / double(rising.size() - 1);
  Check(std::abs(measured - period) <= 3, qPrintable(what + " period"),
        QString("%1 pixels, expected %2").arg(measured, 0, 'f', 2).arg(period, 0, 'f', 2));
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: scope_shot IMAGE PERIOD AMPLITUDE\n");
    return 100;
  }
  const QImage image(QString::fromLocal8Bit(argv[1]));
  TShotChecks checks(image);
  const bool sized = image.width() == 693 && image.height() == 585;
  checks.Check(sized, "window image size", QString("%1 x %2").arg(image.width()).arg(image.height()));
  if (!sized)
    return 1;
  checks.Graticule();
  const double period = std::atof(argv[2]);
  const int amplitude = std::atoi(argv[3]);
  checks.Trace("channel I", ChannelI, 200, period, amplitude);
  checks.Trace("channel II", ChannelII, 300, period, amplitude);
  return checks.Failed();
}
