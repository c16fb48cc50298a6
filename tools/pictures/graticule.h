#pragma once

#include <QColor>
#include <QImage>
#include <array>

// The grid behind the traces: 10 x 10 divisions over 504 x 504 pixels, thicker centre axes with
// minor ticks at every fifth of a division, and a small square marking the centre.
constexpr int GraticuleSize = 504;
inline const QColor GraticuleBackground{199, 214, 186};
inline const QColor GraticuleLine{128, 128, 128};

// Division lines (the centre axes are drawn apart).
constexpr std::array<int, 8> GraticuleColumns{49, 100, 151, 202, 302, 353, 404, 455};
constexpr std::array<int, 8> GraticuleRows{49, 100, 151, 202, 301, 352, 403, 454};

// Column (and row) of the k-th fifth of a division, k = 1..49 and not a multiple of 5: about
// 10.1 pixels apart, the first two of each division pulled one pixel towards its start.
constexpr int GraticuleTick(int k) { return k * GraticuleSize / 50 - (k % 5 <= 2 ? 1 : 0); }

// The graticule as a 24-bit picture.
QImage DrawGraticule();
