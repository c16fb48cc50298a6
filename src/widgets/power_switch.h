#pragma once

#include "framework/events.h"
#include "widgets/control.h"
#include "widgets/shortcut.h"

#include <QImage>

// A two-state switch drawn as one of two pictures. A left press flips it (on the press, not
// the release), and so does its toggle key; each change fires OnOn or OnOff.
class TRxSwitch : public TControl {
  Q_OBJECT
  Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(QImage GlyphOff READ GlyphOff WRITE SetGlyphOff)
  Q_PROPERTY(QImage GlyphOn READ GlyphOn WRITE SetGlyphOn)
  Q_PROPERTY(bool ShowFocus READ ShowFocus WRITE SetShowFocus)
  Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
  Q_PROPERTY(uint ToggleKey READ ToggleKey WRITE SetToggleKey)
  Q_PROPERTY(bool StateOn READ StateOn WRITE SetStateOn)
  Q_PROPERTY(TTextPos TextPosition READ TextPosition WRITE SetTextPosition)

public:
  enum TBorderStyle { bsNone, bsSingle };
  Q_ENUM(TBorderStyle)
  enum TTextPos { tpNone, tpLeft, tpRight, tpAbove, tpBelow };
  Q_ENUM(TTextPos)
  // Bits of CustomGlyphs: which pictures the user assigned.
  enum TCustomGlyph : uint8_t { cgOff = 1, cgOn = 2 };

  explicit TRxSwitch(QWidget *parent = nullptr);

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle style);
  const QString &Caption() const { return FCaption; }
  void SetCaption(const QString &caption);
  // Assigning a null picture goes back to the built-in one.
  const QImage &GlyphOff() const { return FGlyphs[0]; }
  void SetGlyphOff(const QImage &glyph) { SetGlyph(0, glyph); }
  const QImage &GlyphOn() const { return FGlyphs[1]; }
  void SetGlyphOn(const QImage &glyph) { SetGlyph(1, glyph); }
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool showFocus);
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool tabStop) { setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus); }
  uint ToggleKey() const { return FToggleKey; }
  void SetToggleKey(uint key) { FToggleKey = static_cast<TShortCut>(key); }
  bool StateOn() const { return FStateOn; }
  void SetStateOn(bool stateOn);
  TTextPos TextPosition() const { return FTextPosition; }
  void SetTextPosition(TTextPos position);

  // Only pictures the user assigned are stored with the form.
  uint8_t CustomGlyphs() const { return FCustomGlyphs; }
  void Toggle() { SetStateOn(!FStateOn); }

  TNotifyEvent OnOn;
  TNotifyEvent OnOff;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void AcceleratorPressed() override;
  void Paint(QPainter &painter) override;

  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;

private:
  void SetGlyph(int index, const QImage &glyph);
  void GlyphChanged(int index);
  void FocusChanged(bool focused);
  QRect ClientArea() const;

  QImage FGlyphs[2];
  // Per picture: its transparent pixels cleared, and its disabled look, made on each change.
  QImage FMasked[2];
  QImage FDisabled[2];
  QString FCaption;
  TBorderStyle FBorderStyle = bsNone;
  TTextPos FTextPosition = tpNone;
  TShortCut FToggleKey = 32;
  uint8_t FCustomGlyphs = 0;
  bool FShowFocus = true;
  bool FStateOn = false;
  bool FFocused = false;
};
