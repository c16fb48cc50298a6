#include "framework/events.h"

#include "framework/application.h"

#include <QKeyEvent>

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

void HandleKeyPress(const TKeyPressEvent &handler, QObject *sender, QKeyEvent &event,
                    const std::function<void()> &ownHandling) {
  const QString text = event.text();
  const bool typed = handler && text.size() == 1 && text.at(0).unicode() < 0x100;
  char key = typed ? static_cast<char>(text.at(0).unicode()) : 0;
  if (typed)
    Application->Guard([&] { handler(sender, key); });
  if (!typed || key != 0)
    ownHandling();
  // The character was this control's: it does not go on to the controls it sits on.
  if (typed)
    event.accept();
}
