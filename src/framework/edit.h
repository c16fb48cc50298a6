#pragma once

#include <QLineEdit>

// A one-line edit box publishing its text as Text and the framework's integer Tag, so stored
// settings name them as forms spell them ("VDVlI.Text", "VDVlI.Tag").
class TEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(QString Text READ text WRITE setText)
  Q_PROPERTY(int Tag MEMBER FTag)

public:
  using QLineEdit::QLineEdit;

  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }

private:
  int FTag = 0;
};
