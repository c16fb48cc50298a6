#include "widgets/switch_pictures.h"

#include "rtl/exception.h"

#include <QPainter>

namespace {

// Colours of the 16-colour set.
const QColor Olive(128, 128, 0);
const QColor Black(0, 0, 0);
const QColor Gray(128, 128, 128);
const QColor Silver(192, 192, 192);
const QColor White(255, 255, 255);
const QColor Lime(0, 255, 0);
const QColor Maroon(128, 0, 0);

// A toggle switch seen from the front: a plate with a slot, the lever up (on) or down (off), and
// a lamp above the slot that is lit green when on and dark red when off.
QImage DrawSwitch(bool on) {
  QImage picture(32, 48, QImage::Format_RGB32);
  picture.fill(Olive);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing, false);

  // Plate with a raised edge.
  p.fillRect(3, 1, 26, 46, Silver);
  p.setPen(White);
  p.drawLine(3, 1, 28, 1);
  p.drawLine(3, 1, 3, 46);
  p.setPen(Black);
  p.drawLine(4, 46, 28, 46);
  p.drawLine(28, 2, 28, 46);

  // Lamp.
  p.setPen(Black);
  p.setBrush(on ? Lime : Maroon);
  p.drawEllipse(12, 4, 7, 7);

  // Slot.
  p.fillRect(12, 14, 8, 28, Black);
  p.fillRect(13, 15, 6, 26, Gray);

  // Lever: a bar from the slot's middle to its top or bottom end, with a round grip.
  const int gripTop = on ? 13 : 33;
  const int barTop = on ? 19 : 28;
  p.fillRect(14, barTop, 4, 9, White);
  p.setPen(Black);
  p.drawLine(18, barTop, 18, barTop + 8);
  p.setBrush(White);
  p.drawRect(10, gripTop, 11, 8);
  p.setPen(Gray);
  p.drawLine(11, gripTop + 7, 20, gripTop + 7);

  // Position marks: a bar for on beside the top, a ring for off beside the bottom.
  p.setPen(Black);
  p.setBrush(Qt::NoBrush);
  p.drawLine(24, 16, 24, 21);
  p.drawEllipse(22, 35, 4, 4);
  return picture;
}

} // namespace

QImage BuiltinPicture(const std::string &name) {
  if (name == "SWITCH_OFF")
    return DrawSwitch(false);
  if (name == "SWITCH_ON")
    return DrawSwitch(true);
  throw Exception("Resource %s not found", name);
}
