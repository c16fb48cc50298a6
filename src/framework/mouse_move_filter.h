#pragma once

#include "framework/events.h"

#include <QObject>

class QWidget;

// Hands a plain Qt widget's pointer movements to a mouse-move event, as the framework's own
// controls do. Tracking is switched on, so movements with no button held count too. Owned by
// the widget.
class TMouseMoveFilter : public QObject {
public:
  TMouseMoveFilter(QWidget *widget, TMouseMoveEvent handler);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  TMouseMoveEvent FHandler;
};
