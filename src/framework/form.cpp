#include "framework/form.h"

#include "framework/application.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

TForm::TForm(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags) { setMouseTracking(true); }

TForm::~TForm() {
  if (OnDestroy)
    Application->Guard([this] { OnDestroy(this); });
}

TFormBorderStyle TForm::BorderStyle() const {
  const Qt::WindowFlags flags = windowFlags();
  if (flags.testFlag(Qt::FramelessWindowHint))
    return bsNone;
  const bool tool = (flags & Qt::WindowType_Mask) == Qt::Tool;
  const bool fixed = minimumSize() == maximumSize();
  if ((flags & Qt::WindowType_Mask) == Qt::Dialog && fixed)
    return bsDialog;
  if (fixed)
    return tool ? bsToolWindow : bsSingle;
  return tool ? bsSizeToolWin : bsSizeable;
}

TWindowState TForm::WindowState() const {
  if (isMinimized())
    return wsMinimized;
  return isMaximized() ? wsMaximized : wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  Qt::WindowStates states = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  if (state == wsMinimized)
    states |= Qt::WindowMinimized;
  else if (state == wsMaximized)
    states |= Qt::WindowMaximized;
  setWindowState(states);
}

bool TForm::event(QEvent *event) {
  if (event->type() == QEvent::WindowActivate && OnActivate)
    Application->Guard([this] { OnActivate(this); });
  else if (event->type() == QEvent::WindowDeactivate && OnDeactivate)
    Application->Guard([this] { OnDeactivate(this); });
  return QWidget::event(event);
}

void TForm::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  if (OnShow && !event->spontaneous())
    Application->Guard([this] { OnShow(this); });
}

void TForm::closeEvent(QCloseEvent *event) {
  bool canClose = true;
  if (OnCloseQuery)
    Application->Guard([&] { OnCloseQuery(this, canClose); });
  if (!canClose) {
    event->ignore();
    return;
  }
  TCloseAction action = TCloseAction::caHide;
  if (OnClose)
    Application->Guard([&] { OnClose(this, action); });
  if (action == TCloseAction::caNone)
    event->ignore();
  else
    event->accept();
}

void TForm::mouseMoveEvent(QMouseEvent *event) {
  if (OnMouseMove) {
    const QPoint at = event->position().toPoint();
    Application->Guard([&] { OnMouseMove(this, ShiftStateOf(event->modifiers(), event->buttons()), at.x(), at.y()); });
  }
  QWidget::mouseMoveEvent(event);
}

void TForm::keyPressEvent(QKeyEvent *event) {
  HandleKeyPress(OnKeyPress, this, *event, [&] { QWidget::keyPressEvent(event); });
}
