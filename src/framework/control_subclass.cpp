#include "framework/control_subclass.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

TControlSubClass::TControlSubClass(QWidget *control, QSet<int> eventTypes, THook hook)
    : FControl(control), FEventTypes(std::move(eventTypes)), FHook(std::move(hook)) {
  control->installEventFilter(this);
}

TControlSubClass::~TControlSubClass() { FControl->removeEventFilter(this); }

bool TControlSubClass::eventFilter(QObject *watched, QEvent *event) {
  if (watched != FControl || FInDefault || !FEventTypes.contains(event->type()))
    return false;
  // The window's own handling is the event sent again while this filter lets it pass.
  FHook(event, [this, event] {
    FInDefault = true;
    QCoreApplication::sendEvent(FControl, event);
    FInDefault = false;
  });
  return true;
}
