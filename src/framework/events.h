#pragma once

#include <Qt>
#include <cstdint>
#include <functional>

class QKeyEvent;
class QObject;

// Events are callbacks bound to an object (a lambda capturing it); they fire only when assigned.
using TNotifyEvent = std::function<void(QObject *Sender)>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = unsigned;

using TMouseEvent = std::function<void(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject *Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(QObject *Sender, uint16_t &Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(QObject *Sender, char &Key)>;

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
// The button a press or release names, or false when it is none of the three.
bool MouseButtonOf(Qt::MouseButton button, TMouseButton &result);

// A control's key press: `handler`, when assigned, hears the typed character (one Latin-1
// character) first and may clear it to swallow the key; otherwise the control's own handling runs.
// A character the handler heard does not go on to the controls the control sits on.
void HandleKeyPress(const TKeyPressEvent &handler, QObject *sender, QKeyEvent &event,
                    const std::function<void()> &ownHandling);
