#include "framework/mouse_move_filter.h"

#include "framework/application.h"

#include <QMouseEvent>
#include <QWidget>

TMouseMoveFilter::TMouseMoveFilter(QWidget *widget, TMouseMoveEvent handler)
    : QObject(widget), FHandler(std::move(handler)) {
  widget->setMouseTracking(true);
  widget->installEventFilter(this);
}

bool TMouseMoveFilter::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::MouseMove) {
    const auto *move = static_cast<QMouseEvent *>(event);
    const QPoint at = move->position().toPoint();
    Application->Guard([&] { FHandler(watched, ShiftStateOf(move->modifiers(), move->buttons()), at.x(), at.y()); });
  }
  return false;
}
