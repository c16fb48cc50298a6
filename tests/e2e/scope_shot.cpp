// scope_shot IMAGE PERIOD AMPLITUDE: checks a screenshot of the scope window showing a sine tone of
// AMPLITUDE sample units on both channels. The display area must show the graticule, and each
// channel's trace must sit at its zero line with the given period in pixels. Prints one line per
// check ("PASS ..." or "FAIL ...") and exits with the number of failed checks.
// scope_shot IMAGE measure: prints what the screenshot shows of each channel's trace, one line
// each: "I columns=N first=X height=H period=P" (period 0 when it cannot be told), for scripts to
// compare.
#include <QColor>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
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
  void Measure(const char *name, const QColor &colour) const;
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

// What a screenshot shows of one trace: the middle row of its pixels in each column, its extent,
// and the period as the mean distance between rising crossings of its centre, found with
// hysteresis so that noise does not count.
struct TTraceShape {
  std::vector<double> Middle = std::vector<double>(DisplaySize, NAN);
  int Pixels = 0, Top = DisplaySize, Bottom = -1;
  long Covered = 0;
  std::vector<double> Rising;

  int Height() const { return Bottom - Top; }
  double Period() const { return Rising.size() < 3 ? 0 : (Rising.back() - Rising.front()) / double(Rising.size() - 1); }
};

TTraceShape ShapeOf(const TShotChecks &shot, const QColor &colour) {
  TTraceShape shape;
  for (int x = 0; x < DisplaySize; ++x) {
    int low = DisplaySize, high = -1;
    for (int y = 0; y < DisplaySize; ++y) {
      if (!shot.Is(x, y, colour))
        continue;
      ++shape.Pixels;
      low = std::min(low, y);
      high = std::max(high, y);
    }
    if (high >= 0) {
      shape.Middle[x] = (low + high) / 2.0;
      shape.Top = std::min(shape.Top, low);
      shape.Bottom = std::max(shape.Bottom, high);
    }
  }
  const auto &middle = shape.Middle;
  shape.Covered = std::count_if(middle.begin(), middle.end(), [](double m) { return !std::isnan(m); });
  if (shape.Covered == 0)
    return shape;
  const double centre = (shape.Top + shape.Bottom) / 2.0, margin = shape.Height() / 4.0;
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
      shape.Rising.push_back(candidate);
      below = false;
    }
  }
  return shape;
}

void TShotChecks::Trace(const char *name, const QColor &colour, int zeroRow, double period, int amplitude) {
  const TTraceShape shape = ShapeOf(*this, colour);
  QString what = QString("%1 trace").arg(name);
  Check(shape.Covered > DisplaySize * 9 / 10, qPrintable(what + " across the display"),
        QString("%1 of %2 columns").arg(shape.Covered).arg(DisplaySize));
  if (shape.Covered == 0)
    return;
  int outside = 0;
  for (int x = 0; x < DisplaySize; ++x)
    for (int y = 0; y < DisplaySize; ++y)
      outside += Is(x, y, colour) && std::abs(y - zeroRow) > amplitude + 8 ? 1 : 0;
  Check(outside <= shape.Pixels / 100, qPrintable(what + " around its zero line"),
        QString("rows %1..%2, zero line %3").arg(shape.Top).arg(shape.Bottom).arg(zeroRow));
  Check(shape.Height() >= amplitude * 3 / 2 && shape.Height() <= amplitude * 5 / 2 + 4, qPrintable(what + " height"),
        QString("%1 pixels for a tone of amplitude %2").arg(shape.Height()).arg(amplitude));
  if (shape.Rising.size() < 3) {
    Check(false, qPrintable(what + " period"), QString("only %1 rising crossings").arg(shape.Rising.size()));
    return;
  }
  Check(std::abs(shape.Period() - period) <= 3, qPrintable(what + " period"),
        QString("%1 pixels, expected %2").arg(shape.Period(), 0, 'f', 2).arg(period, 0, 'f', 2));
}

void TShotChecks::Measure(const char *name, const QColor &colour) const {
  const TTraceShape shape = ShapeOf(*this, colour);
  const auto first = std::find_if(shape.Middle.begin(), shape.Middle.end(), [](double m) { return !std::isnan(m); });
  std::printf("%s columns=%ld first=%ld height=%d period=%.2f\n", name, shape.Covered,
              static_cast<long>(first - shape.Middle.begin()), shape.Covered ? shape.Height() : 0, shape.Period());
}

} // namespace

int main(int argc, char **argv) {
  const bool measure = argc == 3 && std::string(argv[2]) == "measure";
  if (argc != 4 && !measure) {
    std::fprintf(stderr, "usage: scope_shot IMAGE PERIOD AMPLITUDE\n       scope_shot IMAGE measure\n");
    return 100;
  }
  const QImage image(QString::fromLocal8Bit(argv[1]));
  TShotChecks checks(image);
  if (measure) {
    checks.Measure("I", ChannelI);
    checks.Measure("II", ChannelII);
    return 0;
  }
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
