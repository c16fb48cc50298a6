#pragma once

#include "widgets/control.h"
#include "widgets/shadow_text.h"
#include "widgets/text_format.h"

#include <QPointer>

// A windowless label whose caption carries a shadow copy. With AutoSize it fits its bounds to
// the text and shadow; a right-justified label keeps its right edge while doing so.
class TRxCustomLabel : public TControl {
  Q_OBJECT

public:
  explicit TRxCustomLabel(QWidget *parent = nullptr);

  TextFormat::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TextFormat::TAlignment alignment);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  const QString &Caption() const { return FCaption; }
  void SetCaption(const QString &caption);
  QWidget *FocusControl() const { return FFocusControl; }
  void SetFocusControl(QWidget *control);
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor color);
  TextFormat::TTextLayout Layout() const { return FLayout; }
  void SetLayout(TextFormat::TTextLayout layout);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor color);
  int ShadowSize() const { return FShadowSize; }
  void SetShadowSize(int size);
  TextFormat::TShadowPosition ShadowPos() const { return FShadowPos; }
  void SetShadowPos(TextFormat::TShadowPosition position);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool show);
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool show);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wordWrap);

  void Loaded() override;

protected:
  void Paint(QPainter &painter) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool KeepsMouseInside() const override { return FLeftHeld; }
  void AcceleratorPressed() override;
  void changeEvent(QEvent *event) override;
  void showEvent(QShowEvent *event) override;

private:
  // The shadowed text as it is drawn now: colours follow the enabled state.
  TShadowText ShadowedText() const;
  QRect TextArea(const QRect &client) const;
  void AdjustBounds();
  void UpdateAccelerator();
  void FocusChanged(QWidget *now);

  QString FCaption;
  QPointer<QWidget> FFocusControl;
  TextFormat::TAlignment FAlignment = TextFormat::taLeftJustify;
  TextFormat::TTextLayout FLayout = TextFormat::tlTop;
  TextFormat::TShadowPosition FShadowPos = TextFormat::spLeftTop;
  TColor FFontColor = clBtnText;
  TColor FShadowColor = clBtnHighlight;
  uint8_t FShadowSize = 1;
  bool FAutoSize = true;
  bool FShowAccelChar = true;
  bool FShowFocus = false;
  bool FTransparent = false;
  bool FWordWrap = false;
  bool FFocused = false;
  bool FLeftHeld = false;
};
