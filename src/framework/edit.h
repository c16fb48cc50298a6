#pragma once

#include "framework/events.h"

#include <QLineEdit>

// A one-line text box with the names a form's description and its stored settings use ("VDVlI.Text",
// "VDVlI.Tag"), the typed character before the box takes it, and the notice of receiving the focus.
class TEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(QString Text READ text WRITE setText)
  Q_PROPERTY(int Tag MEMBER FTag)

public:
  using QLineEdit::QLineEdit;

  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }

  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;

private:
  int FTag = 0;
};
