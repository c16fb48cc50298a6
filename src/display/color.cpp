#include "display/color.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QPalette::ColorRole RoleOf(uint32_t index) {
  switch (index) {
  case 5: // window
    return QPalette::Base;
  case 8: // window text
    return QPalette::Text;
  case 13: // highlight
    return QPalette::Highlight;
  case 14: // highlighted text
    return QPalette::HighlightedText;
  case 16: // button shadow
    return QPalette::Dark;
  case 18: // button text
    return QPalette::ButtonText;
  case 20: // button highlight
    return QPalette::Light;
  case 0:  // scroll bar
  case 15: // button face
    return QPalette::Button;
  default:
    return QPalette::Window;
  }
}

} // namespace

uint32_t ColorToRGB(TColor color) {
  if (!(color & 0x80000000u))
    return color & 0xFFFFFF;
  const QColor system = QGuiApplication::palette().color(RoleOf(color & 0xFF));
  return RGB(system.red(), system.green(), system.blue());
}
