#pragma once

#include "framework/events.h"
#include "widgets/system_colors.h"

#include <QWidget>

class QShortcut;

// A control of a form as a Qt widget: the integer Tag, the colour with its parent-colour rule,
// the framework's mouse events and click, and the caption accelerator. Every entry from Qt
// (mouse, enter/leave, paint, accelerator) runs inside the application's guard, so a handler's
// exception is reported rather than unwinding through Qt.
class TControl : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)
  Q_PROPERTY(TColor Color READ Color WRITE SetColor)
  Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)

public:
  explicit TControl(QWidget *parent = nullptr);

  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }

  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool parentColor);
  // The colour the control fills with: its own, or its parent's while ParentColor is on.
  QColor BrushColor() const;

  // While a form builds its controls, setters only store; Loaded ends that.
  bool Loading() const { return FLoading; }
  void BeginLoading() { FLoading = true; }
  virtual void Loaded();

  // Runs the click: OnClick when assigned.
  virtual void Click();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

protected:
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void DblClick();
  // The framework's pointer notices: entering sets MouseInside when enabled and the application
  // is active; leaving clears it unless KeepsMouseInside.
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual bool KeepsMouseInside() const { return false; }
  // Fires OnMouseEnter or OnMouseLeave.
  virtual void MouseInsideChanged(bool inside);
  virtual void Paint(QPainter &painter) = 0;
  // The caption's accelerator character was typed.
  virtual void AcceleratorPressed();

  // Installs (or removes) the accelerator of a caption: the character after a single "&".
  void SetAccelerator(const QString &caption);
  // A press and release of the left button on the control clicks, unless a control makes its
  // own clicks.
  void SetClickEvents(bool clickEvents) { FClickEvents = clickEvents; }
  bool MouseInside() const { return FMouseInside; }
  // Sets the flag without notice, for a control's own press and release handling.
  void SetMouseInsideFlag(bool inside) { FMouseInside = inside; }
  // Re-evaluates MouseInside from where the pointer is now, with the notice on a change.
  void CheckMouseInside();
  void FireNotify(const TNotifyEvent &event) {
    if (event)
      event(this);
  }

  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;
  void paintEvent(QPaintEvent *event) override;

private:
  int FTag = 0;
  TColor FColor = clBtnFace;
  bool FParentColor = true;
  bool FLoading = false;
  bool FClickEvents = true;
  bool FClicking = false;
  bool FMouseInside = false;
  QShortcut *FAccelerator = nullptr;
};
