#pragma once

#include "widgets/control.h"

// A windowless picture control: it paints through PaintImage and, while it paints, takes
// picture changes without asking for another paint.
class TRxImageControl : public TControl {
  Q_OBJECT

public:
  explicit TRxImageControl(QWidget *parent = nullptr);

protected:
  virtual void PaintImage(QPainter &painter) = 0;
  // The picture changed: repaint, unless this comes from the painting itself.
  void PictureChanged();
  bool Drawing() const { return FDrawing; }

  void Paint(QPainter &painter) override;

private:
  bool FDrawing = false;
};
