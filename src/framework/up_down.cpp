#include "framework/up_down.h"

#include "framework/application.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

TUpDown::TUpDown(QWidget *parent) : QWidget(parent) {}

void TUpDown::SetMin(int value) {
  FMin = value;
  FPosition = std::clamp(FPosition, FMin, std::max(FMin, FMax));
}

void TUpDown::SetMax(int value) {
  FMax = value;
  FPosition = std::clamp(FPosition, std::min(FMin, FMax), FMax);
}

void TUpDown::SetPosition(int value) { FPosition = std::clamp(value, FMin, std::max(FMin, FMax)); }

void TUpDown::Step(bool up) {
  int next = FPosition + (up ? 1 : -1);
  if (next > FMax)
    next = FWrap ? FMin : FMax;
  else if (next < FMin)
    next = FWrap ? FMax : FMin;
  if (next == FPosition)
    return;
  bool allow = true;
  if (OnChanging)
    OnChanging(this, allow);
  if (allow)
    FPosition = next;
}

void TUpDown::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  const int half = height() / 2;
  for (int part = 0; part < 2; ++part) {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = QRect(0, part * half, width(), part ? height() - half : half);
    const bool pressed = FPressed == (part ? -1 : 1);
    button.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &button, &painter, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = button.rect.adjusted(3, 2, -3, -2);
    style()->drawPrimitive(part ? QStyle::PE_IndicatorArrowDown : QStyle::PE_IndicatorArrowUp, &arrow, &painter, this);
  }
}

void TUpDown::mousePressEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton)
    return;
  const bool up = event->position().y() < height() / 2;
  FPressed = up ? 1 : -1;
  update();
  Application->Guard([&] { Step(up); });
}

void TUpDown::mouseReleaseEvent(QMouseEvent *) {
  FPressed = 0;
  update();
}
