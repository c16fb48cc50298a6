#include "pictures/bmp_writer.h"
#include "pictures/graticule.h"
#include "pictures/picture_set.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <set>

namespace {

QString ResourcePath(const QString &name) { return QStringLiteral(VEXILO_RESOURCES_DIR "/") + name; }

// The graticule as described, pixel by pixel, written independently of the drawing code.
bool IsGraticuleLine(int x, int y) {
  static const std::set<int> columns{49, 100, 151, 202, 302, 353, 404, 455};
  static const std::set<int> rows{49, 100, 151, 202, 301, 352, 403, 454};
  static const std::set<int> ticks{9,   19,  30,  40,  59,  69,  80,  90,  109, 119, 131, 141, 160, 170,
                                   181, 191, 210, 220, 231, 241, 261, 271, 282, 292, 311, 321, 332, 342,
                                   361, 371, 383, 393, 412, 422, 433, 443, 462, 472, 483, 493};
  const bool square =
      (x >= 242 && x <= 262 && (y == 242 || y == 263)) || (y >= 242 && y <= 263 && (x == 242 || x == 262));
  return columns.count(x) || rows.count(y) || (x >= 251 && x <= 253) || (y >= 250 && y <= 251) ||
         (ticks.count(x) && y >= 241 && y <= 261) || (ticks.count(y) && x >= 242 && x <= 262) || square;
}

void ExpectDescribedGraticule(const QImage &image) {
  ASSERT_EQ(image.size(), QSize(504, 504));
  int wrong = 0;
  for (int y = 0; y < 504; ++y)
    for (int x = 0; x < 504; ++x) {
      const QRgb expected = IsGraticuleLine(x, y) ? qRgb(128, 128, 128) : qRgb(199, 214, 186);
      if ((image.pixel(x, y) & 0xFFFFFF) != (expected & 0xFFFFFF) && ++wrong <= 5)
        ADD_FAILURE() << "pixel " << x << "," << y;
    }
  EXPECT_EQ(wrong, 0);
}

TEST(Graticule, DrawnPixelForPixelAsDescribed) {
  ExpectDescribedGraticule(DrawGraticule());
  EXPECT_EQ(GraticuleTick(1), 9);
  EXPECT_EQ(GraticuleTick(7), 69);
}

TEST(Graticule, CheckedInPictureIsTheDescribedOneAsA24BitBitmap) {
  QFile file(ResourcePath("graticule.bmp"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  // File header, then the 40-byte header a form resource keeps: 504 x 504 bottom-up, one plane,
  // 24 bits, uncompressed, 762048 pixel bytes, resolution and colour counts 0.
  ASSERT_EQ(bytes.size(), 14 + 40 + 762048);
  auto u32 = [&](int at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
      v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
    return v;
  };
  EXPECT_EQ(bytes.left(2), QByteArray("BM"));
  EXPECT_EQ(u32(14), 40u);
  EXPECT_EQ(u32(18), 504u);
  EXPECT_EQ(u32(22), 504u);
  EXPECT_EQ(u32(26), 1u | (24u << 16));
  EXPECT_EQ(u32(30), 0u);
  EXPECT_EQ(u32(34), 762048u);
  for (int at = 38; at < 54; at += 4)
    EXPECT_EQ(u32(at), 0u);
  ExpectDescribedGraticule(QImage::fromData(bytes, "BMP"));
}

struct TExpectedPicture {
  const char *FileName;
  int Width, Height, Frames, BitCount;
};

// Sizes and frame counts the panel's controls are laid out for.
constexpr TExpectedPicture Expected[] = {
    {"graticule.bmp", 504, 504, 1, 24},
    {"knob_wide.bmp", 210, 45, 4, 24},
    {"knob_narrow.bmp", 100, 45, 4, 24},
    {"channel_switch.bmp", 128, 36, 4, 24},
    {"test_generator.bmp", 148, 35, 4, 24},
    {"picture_hold.bmp", 148, 35, 4, 24},
    {"sync.bmp", 32, 16, 2, 4},
    {"power_off.bmp", 32, 48, 1, 4},
    {"arrow_horizontal.bmp", 21, 6, 1, 24},
    {"arrow_vertical.bmp", 6, 21, 1, 24},
    {"small_scope.bmp", 16, 15, 1, 24},
};

QImage LoadResource(const char *name) {
  return QImage(ResourcePath(name), "BMP").convertToFormat(QImage::Format_RGB32);
}

TEST(Pictures, CheckedInFilesHaveTheirShapesAndMatchTheirDrawingCode) {
  ASSERT_EQ(PictureFiles().size(), std::size(Expected));
  for (const TExpectedPicture &expected : Expected) {
    SCOPED_TRACE(expected.FileName);
    const auto file = std::find_if(PictureFiles().begin(), PictureFiles().end(),
                                   [&](const TPictureFile &f) { return f.FileName == expected.FileName; });
    ASSERT_NE(file, PictureFiles().end());
    EXPECT_EQ(file->Frames, expected.Frames);
    QFile bytes(ResourcePath(expected.FileName));
    ASSERT_TRUE(bytes.open(QIODevice::ReadOnly));
    const QByteArray stored = bytes.readAll();
    ASSERT_GT(stored.size(), 30);
    EXPECT_EQ(static_cast<uint8_t>(stored[28]), expected.BitCount);
    const QImage drawn = file->Draw();
    EXPECT_EQ(drawn.size(), QSize(expected.Width, expected.Height));
    EXPECT_EQ(stored, EncodeBmp(drawn)) << "resources/ is stale: rebuild target pictures_in_resources";
  }
}

int CountPixels(const QImage &image, QRect area, const std::function<bool(QColor)> &match) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      count += match(image.pixelColor(x, y)) ? 1 : 0;
  return count;
}

bool IsRed(QColor c) { return c.red() > 180 && c.green() < 80 && c.blue() < 80; }

TEST(Pictures, KnobFramesShowNoArrowThenBothWaysThenEachWay) {
  for (const auto &[name, frameWidth] : {std::pair{"knob_wide.bmp", 52}, std::pair{"knob_narrow.bmp", 25}}) {
    SCOPED_TRACE(name);
    const QImage strip = LoadResource(name);
    auto frame = [&](int f) { return QRect(f * frameWidth, 0, frameWidth, 45); };
    auto rightEnd = [&](int f) { return QRect(f * frameWidth + frameWidth * 3 / 4, 0, frameWidth / 4, 45); };
    auto leftEnd = [&](int f) { return QRect(f * frameWidth, 0, frameWidth / 4, 45); };
    EXPECT_EQ(CountPixels(strip, frame(0), IsRed), 0);
    EXPECT_GT(CountPixels(strip, frame(1), IsRed), 0);
    // A head adds red at its end: clockwise on the right, anticlockwise on the left.
    EXPECT_GT(CountPixels(strip, rightEnd(2), IsRed), CountPixels(strip, rightEnd(3), IsRed));
    EXPECT_GT(CountPixels(strip, leftEnd(3), IsRed), CountPixels(strip, leftEnd(2), IsRed));
    EXPECT_EQ(strip.pixelColor(0, 44), QColor(192, 192, 192)) << "background in the lower-left corner";
  }
}

TEST(Pictures, ChannelSwitchIsAquaWhenUpAndBlackWhenDown) {
  const QImage strip = LoadResource("channel_switch.bmp");
  auto aqua = [](QColor c) { return c == QColor(0, 255, 255); };
  auto black = [](QColor c) { return c == QColor(0, 0, 0); };
  EXPECT_GT(CountPixels(strip, QRect(0, 0, 32, 36), aqua), 20);
  EXPECT_EQ(CountPixels(strip, QRect(0, 0, 32, 36), black), 0);
  for (int frame : {2, 3}) {
    EXPECT_EQ(CountPixels(strip, QRect(frame * 32, 0, 32, 36), aqua), 0);
    EXPECT_GT(CountPixels(strip, QRect(frame * 32, 0, 32, 36), black), 20);
  }
}

TEST(Pictures, SixteenColourPicturesUseOnlyTheStandardColours) {
  for (const char *name : {"sync.bmp", "power_off.bmp"}) {
    const QImage image(ResourcePath(name), "BMP");
    EXPECT_EQ(image.format(), QImage::Format_Indexed8) << name;
    EXPECT_LE(image.colorCount(), 16) << name;
  }
  const QImage sync = LoadResource("sync.bmp");
  EXPECT_GT(CountPixels(sync, QRect(0, 0, 16, 16), IsRed), 5) << "the curve of the up frame";
  EXPECT_EQ(CountPixels(sync, QRect(16, 0, 16, 16), IsRed), 0) << "the disabled frame is grey";
}

} // namespace
