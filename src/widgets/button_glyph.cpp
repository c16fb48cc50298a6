#include "widgets/button_glyph.h"

#include "widgets/picture_tools.h"

#include <QPainter>
#include <algorithm>

void TRxButtonGlyph::SetGlyph(const QImage &glyph) {
  FGlyph = glyph;
  if (!glyph.isNull()) {
    FTransparentColor = LowerLeftColor(glyph);
    if (glyph.width() % glyph.height() == 0) {
      const int count = glyph.width() / glyph.height();
      FNumGlyphs = count < 6 ? count : 1;
    }
  }
  Invalidate();
}

void TRxButtonGlyph::SetNumGlyphs(int numGlyphs) {
  numGlyphs = std::clamp(numGlyphs, 1, 5);
  if (numGlyphs == FNumGlyphs)
    return;
  FNumGlyphs = numGlyphs;
  Invalidate();
}

void TRxButtonGlyph::Invalidate() {
  FImages = {};
  FPrepared = {};
}

const QImage &TRxButtonGlyph::Image(TRxButtonState look) {
  if (!FPrepared[look]) {
    FImages[look] = FGlyph.isNull() ? QImage() : MaskedImage(Derive(look), FTransparentColor);
    FPrepared[look] = true;
  }
  return FImages[look];
}

QImage TRxButtonGlyph::Derive(TRxButtonState look) const {
  const int width = FGlyph.width() / FNumGlyphs;
  const QImage up = FGlyph.copy(0, 0, width, FGlyph.height());
  if (look < FNumGlyphs)
    return FGlyph.copy(look * width, 0, width, FGlyph.height());
  switch (look) {
  case rbsDisabled:
    return DisabledImage(up, FTransparentColor);
  case rbsInactive:
    return GrayImage(up, FTransparentColor, clBtnFace);
  default:
    return up;
  }
}

void TRxButtonGlyph::Draw(QPainter &painter, const QRect &client, const TTextStyle &text,
                          TextFormat::TButtonLayout layout, int margin, int spacing, TRxButtonState look) {
  int flags = static_cast<int>(TextFormat::HorizontalFlag(text.Alignment)) | Qt::TextShowMnemonic;
  if (text.WordWrap)
    flags |= Qt::TextWordWrap;
  const QImage &image = Image(look);
  QRect textBounds;
  if (image.isNull()) {
    // Without a glyph the caption sits in the middle.
    textBounds = client;
    flags = (flags & ~Qt::AlignHorizontal_Mask) | Qt::AlignCenter;
  } else {
    const QSize glyphSize = image.size();
    QSize textSize;
    if (!text.Caption.isEmpty())
      textSize = painter.fontMetrics().boundingRect(QRect(0, 0, client.width(), 0), flags, text.Caption).size();
    const bool horizontal = layout == TextFormat::blGlyphLeft || layout == TextFormat::blGlyphRight;
    const QSize clientSize = client.size();
    QPoint glyphPos, textPos;
    if (horizontal) {
      glyphPos.setY((clientSize.height() - glyphSize.height() + 1) / 2);
      textPos.setY((clientSize.height() - textSize.height() + 1) / 2);
    } else {
      glyphPos.setX((clientSize.width() - glyphSize.width() + 1) / 2);
      textPos.setX((clientSize.width() - textSize.width() + 1) / 2);
    }
    if (textSize.isEmpty())
      spacing = 0;
    const int clientAxis = horizontal ? clientSize.width() : clientSize.height();
    const int glyphAxis = horizontal ? glyphSize.width() : glyphSize.height();
    const int textAxis = horizontal ? textSize.width() : textSize.height();
    if (margin == -1)
      margin = (clientAxis - (glyphAxis + spacing + textAxis) + 1) / 2;
    switch (layout) {
    case TextFormat::blGlyphLeft:
      glyphPos.setX(margin);
      textPos.setX(margin + glyphAxis + spacing);
      break;
    case TextFormat::blGlyphRight:
      glyphPos.setX(clientAxis - margin - glyphAxis);
      textPos.setX(glyphPos.x() - spacing - textAxis);
      break;
    case TextFormat::blGlyphTop:
      glyphPos.setY(margin);
      textPos.setY(margin + glyphAxis + spacing);
      break;
    case TextFormat::blGlyphBottom:
      glyphPos.setY(clientAxis - margin - glyphAxis);
      textPos.setY(glyphPos.y() - spacing - textAxis);
      break;
    }
    painter.drawImage(client.topLeft() + glyphPos, image);
    textBounds = QRect(client.topLeft() + textPos, textSize);
  }
  if (text.Caption.isEmpty())
    return;
  if (look == rbsDisabled) {
    painter.setPen(ColorToQColor(clBtnHighlight));
    painter.drawText(textBounds.translated(1, 1), flags, text.Caption);
    painter.setPen(QColor(128, 128, 128));
  } else {
    painter.setPen(ColorToQColor(clBtnText));
  }
  painter.drawText(textBounds, flags, text.Caption);
}
