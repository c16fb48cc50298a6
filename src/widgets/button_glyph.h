#pragma once

#include "widgets/system_colors.h"
#include "widgets/text_format.h"

#include <QImage>
#include <QString>
#include <array>

class QPainter;

// How a speed button looks: the order of the images in its glyph strip, and the fifth look
// of a flat button without the pointer over it.
enum TRxButtonState { rbsUp, rbsDisabled, rbsDown, rbsExclusive, rbsInactive };

// Lays out and draws a speed button's glyph and caption. The glyph strip holds up to five
// equal images; images the strip lacks are derived from the first, once, on first use.
class TRxButtonGlyph {
public:
  const QImage &Glyph() const { return FGlyph; }
  void SetGlyph(const QImage &glyph);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int numGlyphs);
  TColor TransparentColor() const { return FTransparentColor; }

  // The image shown for a look, with its transparent pixels cleared; null without a glyph.
  const QImage &Image(TRxButtonState look);

  struct TTextStyle {
    QString Caption;
    TextFormat::TAlignment Alignment = TextFormat::taCenter;
    bool WordWrap = false;
  };
  // Draws glyph and caption into `client` as the layout places them.
  void Draw(QPainter &painter, const QRect &client, const TTextStyle &text, TextFormat::TButtonLayout layout,
            int margin, int spacing, TRxButtonState look);

private:
  void Invalidate();
  QImage Derive(TRxButtonState look) const;

  QImage FGlyph;
  int FNumGlyphs = 1;
  TColor FTransparentColor = clFuchsia;
  std::array<QImage, 5> FImages;
  std::array<bool, 5> FPrepared{};
};
