#include "framework/edit.h"

#include "framework/application.h"

#include <QFocusEvent>
#include <QKeyEvent>

void TEdit::keyPressEvent(QKeyEvent *event) {
  HandleKeyPress(OnKeyPress, this, *event, [&] { QLineEdit::keyPressEvent(event); });
}

void TEdit::focusInEvent(QFocusEvent *event) {
  QLineEdit::focusInEvent(event);
  if (OnEnter)
    Application->Guard([this] { OnEnter(this); });
}
