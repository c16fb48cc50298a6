#include "widgets/image_control.h"

TRxImageControl::TRxImageControl(QWidget *parent) : TControl(parent) { resize(105, 105); }

void TRxImageControl::PictureChanged() {
  if (!FDrawing)
    update();
}

void TRxImageControl::Paint(QPainter &painter) {
  struct TDrawingScope {
    bool &Flag;
    explicit TDrawingScope(bool &flag) : Flag(flag) { Flag = true; }
    ~TDrawingScope() { Flag = false; }
  } scope(FDrawing);
  PaintImage(painter);
}
