#include "widgets/control.h"

#include "framework/application.h"

#include <QApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

TControl::TControl(QWidget *parent) : QWidget(parent) {}

void TControl::SetColor(TColor color) {
  if (color == FColor)
    return;
  FColor = color;
  FParentColor = false;
  update();
}

void TControl::SetParentColor(bool parentColor) {
  if (parentColor == FParentColor)
    return;
  FParentColor = parentColor;
  update();
}

QColor TControl::BrushColor() const {
  if (!FParentColor)
    return ColorToQColor(FColor);
  if (const auto *control = qobject_cast<const TControl *>(parentWidget()))
    return control->BrushColor();
  if (parentWidget())
    return parentWidget()->palette().color(QPalette::Window);
  return ColorToQColor(FColor);
}

void TControl::Loaded() { FLoading = false; }

void TControl::Click() { FireNotify(OnClick); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown)
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove)
    OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp)
    OnMouseUp(this, button, shift, x, y);
}

void TControl::DblClick() { FireNotify(OnDblClick); }

void TControl::MouseEnter() {
  if (!FMouseInside && isEnabled() && QApplication::activeWindow()) {
    FMouseInside = true;
    MouseInsideChanged(true);
  }
}

void TControl::MouseLeave() {
  if (FMouseInside && !KeepsMouseInside()) {
    FMouseInside = false;
    MouseInsideChanged(false);
  }
}

void TControl::MouseInsideChanged(bool inside) { FireNotify(inside ? OnMouseEnter : OnMouseLeave); }

void TControl::CheckMouseInside() {
  const bool inside = isEnabled() && underMouse() && QApplication::activeWindow();
  if (inside == FMouseInside)
    return;
  FMouseInside = inside;
  MouseInsideChanged(inside);
}

void TControl::AcceleratorPressed() {}

void TControl::SetAccelerator(const QString &caption) {
  const QKeySequence key = QKeySequence::mnemonic(caption);
  if (key.isEmpty()) {
    delete FAccelerator;
    FAccelerator = nullptr;
    return;
  }
  if (!FAccelerator) {
    FAccelerator = new QShortcut(this);
    FAccelerator->setContext(Qt::WindowShortcut);
    connect(FAccelerator, &QShortcut::activated, this,
            [this] { Application->Guard([this] { AcceleratorPressed(); }); });
  }
  FAccelerator->setKey(key);
}

void TControl::mousePressEvent(QMouseEvent *event) {
  TMouseButton button;
  if (!MouseButtonOf(event->button(), button))
    return;
  if (button == mbLeft)
    FClicking = FClickEvents;
  const QPoint p = event->position().toPoint();
  Application->Guard([&] { MouseDown(button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y()); });
}

void TControl::mouseMoveEvent(QMouseEvent *event) {
  const QPoint p = event->position().toPoint();
  Application->Guard([&] { MouseMove(ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y()); });
}

void TControl::mouseReleaseEvent(QMouseEvent *event) {
  TMouseButton button;
  if (!MouseButtonOf(event->button(), button))
    return;
  const QPoint p = event->position().toPoint();
  Application->Guard([&] {
    if (button == mbLeft && FClicking) {
      FClicking = false;
      if (rect().contains(p))
        Click();
    }
    MouseUp(button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  });
}

void TControl::mouseDoubleClickEvent(QMouseEvent *event) {
  // The second press of a double click: a press marked double, then the double click itself;
  // its release does not click again.
  TMouseButton button;
  if (!MouseButtonOf(event->button(), button))
    return;
  const QPoint p = event->position().toPoint();
  Application->Guard([&] {
    MouseDown(button, ShiftStateOf(event->modifiers(), event->buttons()) | ssDouble, p.x(), p.y());
    if (button == mbLeft)
      DblClick();
  });
}

void TControl::enterEvent(QEnterEvent *) {
  Application->Guard([this] { MouseEnter(); });
}

void TControl::leaveEvent(QEvent *) {
  Application->Guard([this] { MouseLeave(); });
}

void TControl::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  Application->Guard([&] { Paint(painter); });
}
