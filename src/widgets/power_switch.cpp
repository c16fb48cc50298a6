#include "widgets/power_switch.h"

#include "framework/application.h"
#include "widgets/picture_tools.h"
#include "widgets/switch_pictures.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

const char *const BuiltinNames[2] = {"SWITCH_OFF", "SWITCH_ON"};

} // namespace

TRxSwitch::TRxSwitch(QWidget *parent) : TControl(parent) {
  resize(50, 60);
  setFocusPolicy(Qt::TabFocus);
  for (int index = 0; index < 2; ++index)
    SetGlyph(index, QImage());
}

void TRxSwitch::SetGlyph(int index, const QImage &glyph) {
  const auto flag = static_cast<uint8_t>(index == 0 ? cgOff : cgOn);
  if (glyph.isNull()) {
    FGlyphs[index] = BuiltinPicture(BuiltinNames[index]);
    FCustomGlyphs &= static_cast<uint8_t>(~flag);
  } else {
    FGlyphs[index] = glyph;
    FCustomGlyphs |= flag;
  }
  GlyphChanged(index);
}

void TRxSwitch::GlyphChanged(int index) {
  const TColor transparent = LowerLeftColor(FGlyphs[index]);
  FMasked[index] = MaskedImage(FGlyphs[index], transparent);
  FDisabled[index] = MaskedImage(DisabledImage(FGlyphs[index], transparent), transparent);
  update();
}

void TRxSwitch::SetBorderStyle(TBorderStyle style) {
  if (style == FBorderStyle)
    return;
  FBorderStyle = style;
  update();
}

void TRxSwitch::SetCaption(const QString &caption) {
  if (caption == FCaption)
    return;
  FCaption = caption;
  SetAccelerator(caption);
  update();
}

void TRxSwitch::SetShowFocus(bool showFocus) {
  if (showFocus == FShowFocus)
    return;
  FShowFocus = showFocus;
  update();
}

void TRxSwitch::SetTextPosition(TTextPos position) {
  if (position == FTextPosition)
    return;
  FTextPosition = position;
  update();
}

void TRxSwitch::SetStateOn(bool stateOn) {
  if (stateOn == FStateOn)
    return;
  FStateOn = stateOn;
  update();
  FireNotify(stateOn ? OnOn : OnOff);
}

void TRxSwitch::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    if (TabStop() && isEnabled() && isVisible())
      setFocus(Qt::MouseFocusReason);
    Toggle();
  }
  TControl::MouseDown(button, shift, x, y);
}

void TRxSwitch::keyPressEvent(QKeyEvent *event) {
  Application->Guard([&] {
    uint16_t key = VirtualKeyOf(event->key());
    const TShiftState shift = ShiftStateOf(event->modifiers(), Qt::NoButton);
    if (OnKeyDown)
      OnKeyDown(this, key, shift);
    if (FToggleKey != 0 && ShortCutOfKey(event->key(), event->modifiers()) == FToggleKey) {
      Toggle();
      return;
    }
    if (OnKeyPress && event->text().size() == 1) {
      // The character was this control's: it does not go on to the window as well.
      char typed = event->text().at(0).toLatin1();
      OnKeyPress(this, typed);
      return;
    }
    event->ignore();
  });
}

void TRxSwitch::AcceleratorPressed() {
  // The accelerator focuses the switch; only a press or the toggle key flips it.
  if (TabStop() && isEnabled())
    setFocus(Qt::ShortcutFocusReason);
}

void TRxSwitch::focusInEvent(QFocusEvent *) {
  Application->Guard([this] { FocusChanged(true); });
}

void TRxSwitch::focusOutEvent(QFocusEvent *) {
  Application->Guard([this] { FocusChanged(false); });
}

void TRxSwitch::FocusChanged(bool focused) {
  if (focused == FFocused)
    return;
  FFocused = focused;
  if (FShowFocus)
    update();
  FireNotify(focused ? OnEnter : OnExit);
}

QRect TRxSwitch::ClientArea() const { return FBorderStyle == bsSingle ? rect().adjusted(1, 1, -1, -1) : rect(); }

void TRxSwitch::Paint(QPainter &painter) {
  if (FBorderStyle == bsSingle) {
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  const QRect client = ClientArea();
  painter.fillRect(client, BrushColor());
  painter.setFont(font());

  const int index = FStateOn ? 1 : 0;
  const QImage &picture = isEnabled() || FDisabled[index].isNull() ? FMasked[index] : FDisabled[index];
  const int w = picture.width(), h = picture.height();
  const int W = client.width(), H = client.height();
  QPoint at;
  QRect caption = client;
  switch (FTextPosition) {
  case tpNone:
    at = QPoint((W - w) / 2, (H - h) / 2);
    break;
  case tpLeft:
    at = QPoint(W - w, (H - h) / 2);
    caption.setRight(caption.right() - w);
    break;
  case tpRight:
    at = QPoint(0, (H - h) / 2);
    caption.setLeft(caption.left() + w);
    break;
  case tpAbove:
    at = QPoint((W - w) / 2, H - h);
    caption.setBottom(caption.bottom() - h);
    break;
  case tpBelow:
    at = QPoint((W - w) / 2, 0);
    caption.setTop(caption.top() + h);
    break;
  }
  at += client.topLeft();
  painter.drawImage(at, picture);

  if (FFocused && FShowFocus && TabStop()) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(at, QSize(w, h)).adjusted(-1, -1, 0, 0));
  }

  if (FTextPosition != tpNone) {
    const int lineHeight = painter.fontMetrics().height();
    const QRect line(caption.left(), caption.top() + (caption.height() - lineHeight) / 2, caption.width(), lineHeight);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(line, Qt::AlignCenter | Qt::TextExpandTabs | Qt::TextShowMnemonic, FCaption);
  }
}
