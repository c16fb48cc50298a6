#pragma once

#include "widgets/button_glyph.h"
#include "widgets/control.h"
#include "widgets/control_timer.h"

#include <QMenu>
#include <QPointer>
#include <memory>

// A windowless push button that can repeat its click while held, latch down in a group of
// siblings, and draw flat until the pointer is over it. Its clicks come only from its own
// release handling, its repeat timer and its accelerator.
class TRxSpeedButton : public TControl {
  Q_OBJECT
  Q_PROPERTY(TextFormat::TAlignment Alignment READ Alignment WRITE SetAlignment)
  Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
  Q_PROPERTY(bool AllowTimer READ AllowTimer WRITE SetAllowTimer)
  Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
  Q_PROPERTY(bool Down READ Down WRITE SetDown)
  Q_PROPERTY(QMenu *DropDownMenu READ DropDownMenu WRITE SetDropDownMenu)
  Q_PROPERTY(TRxDropDownMenuPos MenuPosition READ MenuPosition WRITE SetMenuPosition)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
  Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
  Q_PROPERTY(bool GrayedInactive READ GrayedInactive WRITE SetGrayedInactive)
  Q_PROPERTY(uint InitPause READ InitPause WRITE SetInitPause)
  Q_PROPERTY(TextFormat::TButtonLayout Layout READ Layout WRITE SetLayout)
  Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
  Q_PROPERTY(bool MarkDropDown READ MarkDropDown WRITE SetMarkDropDown)
  Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
  Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
  Q_PROPERTY(uint RepeatInterval READ RepeatInterval WRITE SetRepeatInterval)
  Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
  Q_PROPERTY(TButtonStyle Style READ Style WRITE SetStyle)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

public:
  enum TRxDropDownMenuPos { dmpBottom, dmpRight };
  Q_ENUM(TRxDropDownMenuPos)
  enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
  Q_ENUM(TButtonStyle)

  explicit TRxSpeedButton(QWidget *parent = nullptr);
  ~TRxSpeedButton() override;

  TextFormat::TAlignment Alignment() const { return FText.Alignment; }
  void SetAlignment(TextFormat::TAlignment alignment);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool allowAllUp);
  bool AllowTimer() const { return FAllowTimer; }
  void SetAllowTimer(bool allowTimer);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int groupIndex);
  bool Down() const { return FDown; }
  void SetDown(bool down);
  QMenu *DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(QMenu *menu);
  TRxDropDownMenuPos MenuPosition() const { return FMenuPosition; }
  void SetMenuPosition(TRxDropDownMenuPos position) { FMenuPosition = position; }
  const QString &Caption() const { return FText.Caption; }
  void SetCaption(const QString &caption);
  bool Flat() const { return FFlat; }
  void SetFlat(bool flat);
  const QImage &Glyph() const { return FGlyph.Glyph(); }
  void SetGlyph(const QImage &glyph);
  bool GrayedInactive() const { return FGrayedInactive; }
  void SetGrayedInactive(bool grayed);
  uint InitPause() const { return FInitPause; }
  void SetInitPause(uint pause) { FInitPause = static_cast<uint16_t>(pause); }
  TextFormat::TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TextFormat::TButtonLayout layout);
  int Margin() const { return FMargin; }
  void SetMargin(int margin);
  bool MarkDropDown() const { return FMarkDropDown; }
  void SetMarkDropDown(bool mark);
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int result) { FModalResult = result; }
  int NumGlyphs() const { return FGlyph.NumGlyphs(); }
  void SetNumGlyphs(int numGlyphs);
  uint RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(uint interval) { FRepeatInterval = static_cast<uint16_t>(interval); }
  int Spacing() const { return FSpacing; }
  void SetSpacing(int spacing);
  TButtonStyle Style() const { return FStyle; }
  void SetStyle(TButtonStyle style);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  bool WordWrap() const { return FText.WordWrap; }
  void SetWordWrap(bool wordWrap);

  TRxButtonState ButtonState() const { return FState; }
  using TControl::MouseInside;
  // The look a paint would use now.
  TRxButtonState PaintLook() const;

  // Copies ModalResult to the window when it is a dialog, then OnClick.
  void Click() override;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
  bool KeepsMouseInside() const override { return FTracking || !isEnabled(); }
  void MouseInsideChanged(bool inside) override;
  void AcceleratorPressed() override;
  void Paint(QPainter &painter) override;

  void changeEvent(QEvent *event) override;
  void showEvent(QShowEvent *event) override;

private:
  bool OnButton(int x, int y) const { return x >= 0 && x < width() && y >= 0 && y <= height(); }
  void ReleaseSteps(TMouseButton button, int x, int y);
  void ShowDropDown();
  void RepeatTick();
  void SyncEnabledState();
  // Tells the siblings of the group that this one went down, or shares AllowAllUp with them.
  void UpdateExclusive();
  void ButtonPressed(int groupIndex, TRxSpeedButton *sender);

  TRxButtonGlyph FGlyph;
  TRxButtonGlyph::TTextStyle FText;
  std::unique_ptr<TControlTimer> FRepeatTimer;
  QPointer<QMenu> FDropDownMenu;
  TRxButtonState FState = rbsUp;
  TRxDropDownMenuPos FMenuPosition = dmpBottom;
  TextFormat::TButtonLayout FLayout = TextFormat::blGlyphTop;
  TButtonStyle FStyle = bsAutoDetect;
  int FGroupIndex = 0;
  int FMargin = -1;
  int FSpacing = 1;
  int FModalResult = 0;
  uint16_t FInitPause = 500;
  uint16_t FRepeatInterval = 100;
  bool FAllowAllUp = false;
  bool FAllowTimer = false;
  bool FDown = false;
  bool FFlat = false;
  bool FGrayedInactive = true;
  bool FMarkDropDown = true;
  bool FTransparent = false;
  bool FTracking = false;
  bool FMenuTracking = false;
  // Any mouse button is held after a press on the button.
  bool FCaptured = false;
  bool FInTick = false;
};
