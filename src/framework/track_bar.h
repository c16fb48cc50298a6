#pragma once

#include "framework/events.h"

#include <QSlider>

// A track bar whose OnChange hears only the user: setting Min, Max or Position from the program
// moves the thumb silently, while each new position the user moves it to fires OnChange once.
// A vertical bar has its minimum at the top.
class TTrackBar : public QSlider {
  Q_OBJECT
  Q_PROPERTY(int Min READ Min WRITE SetMin)
  Q_PROPERTY(int Max READ Max WRITE SetMax)
  Q_PROPERTY(int Position READ Position WRITE SetPosition)
  Q_PROPERTY(int Frequency READ Frequency WRITE SetFrequency)
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
  Q_PROPERTY(int Tag MEMBER FTag)

public:
  explicit TTrackBar(QWidget *parent = nullptr);

  int Min() const { return minimum(); }
  void SetMin(int value);
  int Max() const { return maximum(); }
  void SetMax(int value);
  int Position() const { return value(); }
  void SetPosition(int value);
  int Frequency() const { return tickInterval(); }
  void SetFrequency(int value) { setTickInterval(value); }
  QString Hint() const { return toolTip(); }
  void SetHint(const QString &hint) { setToolTip(hint); }
  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }

  TNotifyEvent OnChange;
  TKeyPressEvent OnKeyPress;

protected:
  void keyPressEvent(QKeyEvent *event) override;

private:
  template <class F> void Silently(F &&change);

  int FTag = 0;
  bool FSilent = false;
};
