#include "framework/color.h"
namespace {

QColor SystemColor(unsigned index) {
  switch (index) {
  case 0x06: // window frame
    return QColor(0, 0, 0);
  case 0x0F: // button face
    return QColor(192, 192, 192);
  case 0x10: // button shadow
    return QColor(128, 128, 128);
  case 0x11: // grey text
    return QColor(128, 128, 128);
  case 0x12: // button text
    return QColor(0, 0, 0);
  case 0x14: // button highlight
    return QColor(255, 255, 255);
  case 0x15: // 3D dark shadow
    return QColor(64, 64, 64);
  default:
    return QColor(192, 192, 192);
  }
}

} // namespace

QColor ColorToQColor(TColor color) {
  if (color & 0x80000000u)
    return SystemColor(color & 0xFFu);
  if (color == clNone || color == clDefault)
    return QColor(0, 0, 0);
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor QColorToColor(QColor color) { return RGB(color.red(), color.green(), color.blue()); }

uint32_t ColorToRGB(TColor color) { return QColorToColor(ColorToQColor(color)); }
