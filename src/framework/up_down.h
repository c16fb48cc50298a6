#pragma once

#include "framework/events.h"

#include <QWidget>
#include <functional>

using TUDChangingEvent = std::function<void(QObject *Sender, bool &AllowChange)>;

// A pair of arrow buttons stepping a position between Min and Max: the upper one up, the lower
// one down. OnChanging hears each step before it is made and may refuse it; the position is
// already the old one then.
class TUpDown : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Min READ Min WRITE SetMin)
  Q_PROPERTY(int Max READ Max WRITE SetMax)
  Q_PROPERTY(int Position READ Position WRITE SetPosition)
  Q_PROPERTY(bool Wrap MEMBER FWrap)
  Q_PROPERTY(int Tag MEMBER FTag)

public:
  explicit TUpDown(QWidget *parent = nullptr);

  int Min() const { return FMin; }
  void SetMin(int value);
  int Max() const { return FMax; }
  void SetMax(int value);
  int Position() const { return FPosition; }
  void SetPosition(int value);

  TUDChangingEvent OnChanging;

  // One step as a click on the upper (true) or lower arrow makes it.
  void Step(bool up);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  bool FWrap = false;
  int FTag = 0;
  int FPressed = 0; // 1 upper arrow, -1 lower arrow
};
