#include "widgets/custom_label.h"

#include "framework/application.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

TRxCustomLabel::TRxCustomLabel(QWidget *parent) : TControl(parent) {
  resize(65, 17);
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget *, QWidget *now) { Application->Guard([this, now] { FocusChanged(now); }); });
}

void TRxCustomLabel::SetAlignment(TextFormat::TAlignment alignment) {
  if (alignment == FAlignment)
    return;
  FAlignment = alignment;
  update();
}

void TRxCustomLabel::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize)
    return;
  FAutoSize = autoSize;
  AdjustBounds();
}

void TRxCustomLabel::SetCaption(const QString &caption) {
  if (caption == FCaption)
    return;
  FCaption = caption;
  UpdateAccelerator();
  AdjustBounds();
  update();
}

void TRxCustomLabel::SetFocusControl(QWidget *control) {
  FFocusControl = control;
  FocusChanged(QApplication::focusWidget());
}

void TRxCustomLabel::SetFontColor(TColor color) {
  if (color == FFontColor)
    return;
  FFontColor = color;
  update();
}

void TRxCustomLabel::SetLayout(TextFormat::TTextLayout layout) {
  if (layout == FLayout)
    return;
  FLayout = layout;
  update();
}

void TRxCustomLabel::SetShadowColor(TColor color) {
  if (color == FShadowColor)
    return;
  FShadowColor = color;
  update();
}

void TRxCustomLabel::SetShadowSize(int size) {
  const auto value = static_cast<uint8_t>(std::clamp(size, 0, 255));
  if (value == FShadowSize)
    return;
  FShadowSize = value;
  AdjustBounds();
  update();
}

void TRxCustomLabel::SetShadowPos(TextFormat::TShadowPosition position) {
  if (position == FShadowPos)
    return;
  FShadowPos = position;
  update();
}

void TRxCustomLabel::SetShowAccelChar(bool show) {
  if (show == FShowAccelChar)
    return;
  FShowAccelChar = show;
  UpdateAccelerator();
  AdjustBounds();
  update();
}

void TRxCustomLabel::SetShowFocus(bool show) {
  if (show == FShowFocus)
    return;
  FShowFocus = show;
  update();
}

void TRxCustomLabel::SetTransparent(bool transparent) {
  if (transparent == FTransparent)
    return;
  FTransparent = transparent;
  update();
}

void TRxCustomLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == FWordWrap)
    return;
  FWordWrap = wordWrap;
  AdjustBounds();
  update();
}

TShadowText TRxCustomLabel::ShadowedText() const {
  TShadowText text;
  text.Caption = FCaption;
  text.Flags = static_cast<int>(TextFormat::HorizontalFlag(FAlignment)) | Qt::TextExpandTabs;
  if (FWordWrap)
    text.Flags |= Qt::TextWordWrap;
  if (FShowAccelChar)
    text.Flags |= Qt::TextShowMnemonic;
  text.Size = FShadowSize;
  text.Position = FShadowPos;
  if (isEnabled()) {
    text.TextColor = ColorToQColor(FFontColor);
    text.ShadowColor = ColorToQColor(FShadowColor);
  } else {
    text.TextColor = ColorToQColor(clGrayText);
    text.ShadowColor = ColorToQColor(clBtnHighlight);
    // Without a shadow offset a disabled label would lose its engraved look.
    if (FShadowSize == 0 && NewStyleControls) {
      text.Size = 1;
      text.Position = TextFormat::spRightBottom;
    }
  }
  return text;
}

QRect TRxCustomLabel::TextArea(const QRect &client) const { return client.adjusted(1, 0, -1, 0); }

void TRxCustomLabel::Paint(QPainter &painter) {
  if (!FTransparent)
    painter.fillRect(rect(), BrushColor());
  painter.setFont(font());
  const TShadowText text = ShadowedText();
  QRect area = TextArea(rect());
  if (FLayout != TextFormat::tlTop) {
    QRect measured = area;
    text.Measure(painter.fontMetrics(), measured);
    const int free = height() - (measured.top() + measured.height());
    area.translate(0, FLayout == TextFormat::tlBottom ? free : free / 2);
  }
  text.Draw(painter, area);
  if (FShowFocus && FFocused) {
    painter.setPen(QPen(ColorToQColor(clBtnText), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(-1, 0, 0, -1));
  }
}

void TRxCustomLabel::AdjustBounds() {
  if (!FAutoSize || Loading())
    return;
  QRect area = TextArea(rect());
  ShadowedText().Measure(QFontMetrics(font()), area);
  area.adjust(-1, 0, 1, 0);
  // Sizes reach from the control's origin to the measured right and bottom edges.
  const int newWidth = area.left() + area.width();
  const int newHeight = area.top() + area.height();
  int x = this->x();
  if (FAlignment == TextFormat::taRightJustify)
    x += width() - newWidth;
  setGeometry(x, y(), newWidth, newHeight);
}

void TRxCustomLabel::Loaded() {
  TControl::Loaded();
  AdjustBounds();
}

void TRxCustomLabel::UpdateAccelerator() { SetAccelerator(FShowAccelChar ? FCaption : QString()); }

void TRxCustomLabel::AcceleratorPressed() {
  if (isEnabled() && FShowAccelChar && FFocusControl && FFocusControl->isEnabled() &&
      FFocusControl->focusPolicy() != Qt::NoFocus && FFocusControl->isVisible())
    FFocusControl->setFocus(Qt::ShortcutFocusReason);
}

void TRxCustomLabel::FocusChanged(QWidget *now) {
  const bool focused = FFocusControl && now == FFocusControl;
  if (focused == FFocused)
    return;
  FFocused = focused;
  if (FShowFocus)
    update();
}

void TRxCustomLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft)
    FLeftHeld = true;
  TControl::MouseDown(button, shift, x, y);
  if (button == mbRight)
    CheckMouseInside();
}

void TRxCustomLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft)
    FLeftHeld = false;
  TControl::MouseUp(button, shift, x, y);
  CheckMouseInside();
}

void TRxCustomLabel::changeEvent(QEvent *event) {
  if (event->type() == QEvent::EnabledChange)
    Application->Guard([this] { CheckMouseInside(); });
  else if (event->type() == QEvent::FontChange)
    Application->Guard([this] { AdjustBounds(); });
  TControl::changeEvent(event);
}

void TRxCustomLabel::showEvent(QShowEvent *) {
  Application->Guard([this] { CheckMouseInside(); });
}
