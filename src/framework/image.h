#pragma once

#include <QLabel>

// A picture on a form, with the framework's integer Tag that the program may keep state in.
class TImage : public QLabel {
  Q_OBJECT
  Q_PROPERTY(int Tag MEMBER FTag)

public:
  using QLabel::QLabel;

  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }

private:
  int FTag = 0;
};
