#include "widgets/speed_button.h"

#include "framework/application.h"
#include "widgets/button_frame.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMenu>
#include <QPainter>

TRxSpeedButton::TRxSpeedButton(QWidget *parent) : TControl(parent) {
  resize(25, 25);
  SetClickEvents(false);
  // A press that closes the drop-down menu on this button is not delivered to it again.
  setAttribute(Qt::WA_NoMouseReplay);
}

TRxSpeedButton::~TRxSpeedButton() = default;

void TRxSpeedButton::SetAlignment(TextFormat::TAlignment alignment) {
  if (alignment == FText.Alignment)
    return;
  FText.Alignment = alignment;
  update();
}

void TRxSpeedButton::SetAllowAllUp(bool allowAllUp) {
  if (allowAllUp == FAllowAllUp)
    return;
  FAllowAllUp = allowAllUp;
  UpdateExclusive();
}

void TRxSpeedButton::SetAllowTimer(bool allowTimer) {
  FAllowTimer = allowTimer;
  if (!allowTimer && FRepeatTimer) {
    FRepeatTimer->SetEnabled(false);
    // A click handler may switch the timer off from inside its own tick: the tick frees it.
    if (!FInTick)
      FRepeatTimer.reset();
  }
}

void TRxSpeedButton::SetGroupIndex(int groupIndex) {
  if (groupIndex == FGroupIndex)
    return;
  FGroupIndex = groupIndex;
  UpdateExclusive();
}

void TRxSpeedButton::SetDown(bool down) {
  if (FGroupIndex == 0)
    down = false;
  if (down == FDown || (FDown && !FAllowAllUp))
    return;
  FDown = down;
  if (down) {
    FState = rbsExclusive;
    update();
    UpdateExclusive();
  } else {
    FState = rbsUp;
    repaint();
  }
}

void TRxSpeedButton::SetDropDownMenu(QMenu *menu) {
  if (menu == FDropDownMenu)
    return;
  FDropDownMenu = menu;
  update();
}

void TRxSpeedButton::SetCaption(const QString &caption) {
  if (caption == FText.Caption)
    return;
  FText.Caption = caption;
  SetAccelerator(caption);
  update();
}

void TRxSpeedButton::SetFlat(bool flat) {
  if (flat == FFlat)
    return;
  FFlat = flat;
  update();
}

void TRxSpeedButton::SetGlyph(const QImage &glyph) {
  FGlyph.SetGlyph(glyph);
  update();
}

void TRxSpeedButton::SetGrayedInactive(bool grayed) {
  if (grayed == FGrayedInactive)
    return;
  FGrayedInactive = grayed;
  update();
}

void TRxSpeedButton::SetLayout(TextFormat::TButtonLayout layout) {
  if (layout == FLayout)
    return;
  FLayout = layout;
  update();
}

void TRxSpeedButton::SetMargin(int margin) {
  if (margin == FMargin || margin < -1)
    return;
  FMargin = margin;
  update();
}

void TRxSpeedButton::SetMarkDropDown(bool mark) {
  if (mark == FMarkDropDown)
    return;
  FMarkDropDown = mark;
  update();
}

void TRxSpeedButton::SetNumGlyphs(int numGlyphs) {
  FGlyph.SetNumGlyphs(numGlyphs);
  update();
}

void TRxSpeedButton::SetSpacing(int spacing) {
  if (spacing == FSpacing)
    return;
  FSpacing = spacing;
  update();
}

void TRxSpeedButton::SetStyle(TButtonStyle style) {
  if (style == FStyle)
    return;
  FStyle = style;
  update();
}

void TRxSpeedButton::SetTransparent(bool transparent) {
  if (transparent == FTransparent)
    return;
  FTransparent = transparent;
  update();
}

void TRxSpeedButton::SetWordWrap(bool wordWrap) {
  if (wordWrap == FText.WordWrap)
    return;
  FText.WordWrap = wordWrap;
  update();
}

void TRxSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !parentWidget())
    return;
  const auto siblings = parentWidget()->findChildren<TRxSpeedButton *>(Qt::FindDirectChildrenOnly);
  for (TRxSpeedButton *sibling : siblings)
    if (sibling != this)
      sibling->ButtonPressed(FGroupIndex, this);
}

void TRxSpeedButton::ButtonPressed(int groupIndex, TRxSpeedButton *sender) {
  if (groupIndex != FGroupIndex)
    return;
  if (sender->FDown && FDown) {
    FDown = false;
    FState = rbsUp;
    update();
  }
  FAllowAllUp = sender->FAllowAllUp;
}

void TRxSpeedButton::Click() {
  if (auto *dialog = qobject_cast<QDialog *>(window()); dialog && FModalResult != 0)
    dialog->done(FModalResult);
  TControl::Click();
}

void TRxSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (FMenuTracking)
    return;
  FCaptured = true;
  TControl::MouseDown(button, shift, x, y);
  if (!MouseInside() && isEnabled()) {
    SetMouseInsideFlag(true);
    repaint();
  }
  if (button != mbLeft) {
    CheckMouseInside();
    return;
  }
  if (!isEnabled() || (shift & ssDouble))
    return;
  if (!FDown) {
    FState = rbsDown;
    repaint();
  }
  FTracking = true;
  FMenuTracking = true;
  struct TMenuTrackingScope {
    bool &Flag;
    ~TMenuTrackingScope() { Flag = false; }
  } scope{FMenuTracking};
  ShowDropDown();
  FMenuTracking = false;
  if (FAllowTimer) {
    if (!FRepeatTimer)
      FRepeatTimer = std::make_unique<TControlTimer>();
    FRepeatTimer->SetInterval(FInitPause);
    FRepeatTimer->OnTimer = [this] { RepeatTick(); };
    FRepeatTimer->SetEnabled(true);
  }
}

void TRxSpeedButton::ShowDropDown() {
  if (!FDropDownMenu)
    return;
  const QPoint at = FMenuPosition == dmpRight ? QPoint(width(), 0) : QPoint(0, height());
  FDropDownMenu->exec(mapToGlobal(at));
  const QPoint pointer = mapFromGlobal(QCursor::pos());
  ReleaseSteps(mbLeft, pointer.x(), pointer.y());
}

void TRxSpeedButton::RepeatTick() {
  FRepeatTimer->SetInterval(FRepeatInterval);
  if (FState != rbsDown || !FCaptured)
    return;
  FInTick = true;
  struct TTickScope {
    TRxSpeedButton &Button;
    ~TTickScope() {
      Button.FInTick = false;
      if (!Button.FAllowTimer)
        Button.FRepeatTimer.reset();
    }
  } scope{*this};
  try {
    Click();
  } catch (...) {
    if (FRepeatTimer)
      FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TRxSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TControl::MouseMove(shift, x, y);
  if (!FTracking)
    return;
  const TRxButtonState state = FDown ? rbsExclusive : OnButton(x, y) ? rbsDown : rbsUp;
  if (state != FState) {
    FState = state;
    repaint();
  }
}

void TRxSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (!(shift & (ssLeft | ssRight | ssMiddle)))
    FCaptured = false;
  TControl::MouseUp(button, shift, x, y);
  ReleaseSteps(button, x, y);
  CheckMouseInside();
  if (FRepeatTimer)
    FRepeatTimer->SetEnabled(false);
}

void TRxSpeedButton::ReleaseSteps(TMouseButton button, int x, int y) {
  if (!FTracking || button != mbLeft)
    return;
  FTracking = false;
  const bool on = OnButton(x, y);
  if (FGroupIndex == 0) {
    FState = rbsUp;
    SetMouseInsideFlag(false);
    if (on)
      repaint();
    else
      update();
  } else if (on) {
    SetDown(!FDown);
    if (FDown)
      repaint();
  } else {
    if (FDown)
      FState = rbsExclusive;
    repaint();
  }
  if (on && !FMenuTracking)
    Click();
}

void TRxSpeedButton::DblClick() {
  if (FMenuTracking)
    return;
  if (FDown)
    TControl::DblClick();
}

void TRxSpeedButton::MouseInsideChanged(bool inside) {
  if (FFlat) {
    if (inside)
      repaint();
    else
      update();
  }
  TControl::MouseInsideChanged(inside);
}

void TRxSpeedButton::AcceleratorPressed() {
  if (isEnabled())
    Click();
}

void TRxSpeedButton::changeEvent(QEvent *event) {
  if (event->type() == QEvent::EnabledChange)
    Application->Guard([this] {
      SyncEnabledState();
      CheckMouseInside();
      repaint();
    });
  TControl::changeEvent(event);
}

void TRxSpeedButton::showEvent(QShowEvent *) {
  Application->Guard([this] { CheckMouseInside(); });
}

void TRxSpeedButton::SyncEnabledState() {
  // A disabled button ends any press it was tracking, so no repeated click comes from it.
  if (!isEnabled()) {
    FState = rbsDisabled;
    FTracking = false;
    FCaptured = false;
    if (FRepeatTimer)
      FRepeatTimer->SetEnabled(false);
  } else if (FState == rbsDisabled) {
    FState = FDown && FGroupIndex != 0 ? rbsExclusive : rbsUp;
  }
}

TRxButtonState TRxSpeedButton::PaintLook() const {
  if (FFlat && !MouseInside() && FState != rbsExclusive)
    return rbsInactive;
  return FState;
}

void TRxSpeedButton::Paint(QPainter &painter) {
  SyncEnabledState();
  const TRxButtonState look = PaintLook();
  if (!FTransparent)
    painter.fillRect(rect(), ColorToQColor(clBtnFace));
  QRect content = rect();
  if (look == rbsInactive) {
    content.adjust(2, 2, -2, -2);
  } else {
    const bool newLook = FStyle == bsNew || (FStyle == bsAutoDetect && NewStyleControls);
    content = DrawButtonFrame(painter, content, look, newLook, FFlat);
  }
  if (look == rbsExclusive && !FFlat) {
    const QRect dither = content.adjusted(-1, -1, 1, 1);
    painter.fillRect(dither, ColorToQColor(clBtnFace));
    painter.fillRect(dither, QBrush(ColorToQColor(clBtnHighlight), Qt::Dense4Pattern));
  }
  if (look == rbsDown || look == rbsExclusive)
    content.translate(1, 1);
  if (FDropDownMenu && FMarkDropDown) {
    // A small downward triangle at the right edge marks the menu.
    const int x = content.right() - 6, y = content.center().y() - 1;
    for (int row = 0; row < 3; ++row)
      painter.fillRect(x + row, y + row, 5 - 2 * row, 1, ColorToQColor(clBtnText));
    content.setRight(x - 2);
  }
  const TRxButtonState glyphLook = !isEnabled() ? rbsDisabled : FGrayedInactive ? look : FState;
  painter.setFont(font());
  FGlyph.Draw(painter, content, FText, FLayout, FMargin, FSpacing, glyphLook);
}
