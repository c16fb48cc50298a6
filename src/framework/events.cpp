#include "framework/events.h"

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState state = 0;
  if (modifiers & Qt::ShiftModifier)
    state |= ssShift;
  if (modifiers & Qt::AltModifier)
    state |= ssAlt;
  if (modifiers & Qt::ControlModifier)
    state |= ssCtrl;
  if (buttons & Qt::LeftButton)
    state |= ssLeft;
  if (buttons & Qt::RightButton)
    state |= ssRight;
  if (buttons & Qt::MiddleButton)
    state |= ssMiddle;
  return state;
}

bool MouseButtonOf(Qt::MouseButton button, TMouseButton &result) {
  switch (button) {
  case Qt::LeftButton:
    result = mbLeft;
    return true;
  case Qt::RightButton:
    result = mbRight;
    return true;
  case Qt::MiddleButton:
    result = mbMiddle;
    return true;
  default:
    return false;
  }
}
