#include "widgets/animated_image.h"

#include "widgets/picture_tools.h"

#include "framework/application.h"

#include <QPainter>

TAnimatedImage::TAnimatedImage(QWidget *parent) : TRxImageControl(parent) {
  resize(32, 32);
  FTimer.SetInterval(100);
}

TAnimatedImage::~TAnimatedImage() {
  OnFrameChanged = nullptr;
  OnStart = nullptr;
  OnStop = nullptr;
  FTimer.SetEnabled(false);
}

void TAnimatedImage::SetGlyph(const QImage &glyph) {
  FGlyph = glyph;
  StripChanged();
}

void TAnimatedImage::StripChanged() {
  FTransparentColor = LowerLeftColor(FGlyph);
  RecountFrames();
  UpdateMask();
  AdjustSize();
  PictureChanged();
}

void TAnimatedImage::RecountFrames() {
  FNumGlyphs = 1;
  FGlyphNum = 0;
  FFrameWidth = 0;
  FFrameHeight = 0;
  const int w = FGlyph.width();
  const int h = FGlyph.height();
  if (FOrientation == goHorizontal) {
    if (h > 0 && w % h == 0)
      FNumGlyphs = w / h;
  } else if (w > 0 && h % w == 0) {
    FNumGlyphs = h / w;
  }
  UpdateFrameSize();
}

void TAnimatedImage::UpdateFrameSize() {
  if (FNumGlyphs <= 0)
    FNumGlyphs = 1;
  if (FOrientation == goHorizontal) {
    FFrameWidth = FGlyph.width() / FNumGlyphs;
    FFrameHeight = FGlyph.height();
  } else {
    FFrameWidth = FGlyph.width();
    FFrameHeight = FGlyph.height() / FNumGlyphs;
  }
}

void TAnimatedImage::AdjustSize() {
  if (!Loading() && FAutoSize && FFrameWidth > 0 && FFrameHeight > 0)
    resize(FFrameWidth, FFrameHeight);
}

void TAnimatedImage::ApplyInactiveFrame() {
  if (!FActive && InactiveValid() && FInactiveGlyph != FGlyphNum)
    FGlyphNum = FInactiveGlyph;
}

void TAnimatedImage::UpdateMask() { FMasked = MaskedImage(FGlyph, FTransparentColor); }

void TAnimatedImage::SetNumGlyphs(int numGlyphs) {
  // Runs even for the same value: it re-derives the frame size.
  FNumGlyphs = numGlyphs;
  if (FInactiveGlyph < numGlyphs) {
    ApplyInactiveFrame();
  } else {
    FInactiveGlyph = -1;
    FGlyphNum = 0;
  }
  FireNotify(OnFrameChanged);
  UpdateFrameSize();
  AdjustSize();
  PictureChanged();
}

void TAnimatedImage::SetGlyphNum(int glyphNum) {
  if (glyphNum == FGlyphNum || glyphNum >= FNumGlyphs || glyphNum < 0)
    return;
  FGlyphNum = glyphNum;
  ApplyInactiveFrame();
  FireNotify(OnFrameChanged);
  PictureChanged();
}

void TAnimatedImage::SetInactiveGlyph(int inactiveGlyph) {
  if (inactiveGlyph < 0)
    inactiveGlyph = -1;
  // While loading, NumGlyphs may still follow, so any frame is taken.
  if (inactiveGlyph == FInactiveGlyph || (inactiveGlyph >= FNumGlyphs && !Loading()))
    return;
  FInactiveGlyph = inactiveGlyph;
  ApplyInactiveFrame();
  FireNotify(OnFrameChanged);
  PictureChanged();
}

void TAnimatedImage::SetOrientation(TGlyphOrientation orientation) {
  if (orientation == FOrientation)
    return;
  FOrientation = orientation;
  RecountFrames();
  AdjustSize();
  update();
}

void TAnimatedImage::SetStretch(bool stretch) {
  if (stretch == FStretch)
    return;
  FStretch = stretch;
  PictureChanged();
  if (FActive)
    repaint();
}

void TAnimatedImage::SetCenter(bool center) {
  if (center == FCenter)
    return;
  FCenter = center;
  PictureChanged();
  if (FActive)
    repaint();
}

void TAnimatedImage::SetOpaque(bool opaque) {
  if (opaque == FOpaque)
    return;
  FOpaque = opaque;
  PictureChanged();
}

void TAnimatedImage::SetTransparentColor(TColor color) {
  if ((color & 0xFF000000u) == clPaletteFlag)
    color &= 0xFFFFFFu;
  if (color == FTransparentColor)
    return;
  FTransparentColor = color;
  UpdateMask();
  PictureChanged();
}

void TAnimatedImage::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize)
    return;
  FAutoSize = autoSize;
  AdjustSize();
  PictureChanged();
}

void TAnimatedImage::SetActive(bool active) {
  if (active == FActive)
    return;
  if (active) {
    FTimer.OnTimer = [this] { Step(); };
    FTimer.SetEnabled(true);
    FActive = FTimer.Enabled();
    if (!Loading())
      FireNotify(OnStart);
  } else {
    FTimer.SetEnabled(false);
    FTimer.OnTimer = nullptr;
    FActive = false;
    ApplyInactiveFrame();
    FireNotify(OnFrameChanged);
    if (!Loading())
      FireNotify(OnStop);
    PictureChanged();
  }
}

void TAnimatedImage::Step() {
  if (isHidden() || FNumGlyphs <= 1)
    return;
  const auto advance = [this] { FGlyphNum = FGlyphNum + 1 < FNumGlyphs ? FGlyphNum + 1 : 0; };
  advance();
  if (FGlyphNum == FInactiveGlyph)
    advance();
  FireNotify(OnFrameChanged);
  repaint();
}

int TAnimatedImage::ShownFrame() const { return !FActive && InactiveValid() ? FInactiveGlyph : FGlyphNum; }

void TAnimatedImage::Loaded() {
  TRxImageControl::Loaded();
  UpdateFrameSize();
  ApplyInactiveFrame();
}

void TAnimatedImage::resizeEvent(QResizeEvent *) {
  // An auto-sized control snaps back to the frame size.
  Application->Guard([this] { AdjustSize(); });
}

void TAnimatedImage::PaintImage(QPainter &painter) {
  // Behind a see-through control Qt has already painted the parent and the siblings below.
  if (FOpaque || !parentWidget())
    painter.fillRect(rect(), BrushColor());
  if (FFrameWidth <= 0 || FFrameHeight <= 0)
    return;
  const int frame = ShownFrame();
  const QRect source = FOrientation == goHorizontal ? QRect(frame * FFrameWidth, 0, FFrameWidth, FFrameHeight)
                                                    : QRect(0, frame * FFrameHeight, FFrameWidth, FFrameHeight);
  if (FStretch) {
    painter.drawImage(rect(), FMasked, source);
  } else if (FCenter) {
    painter.drawImage(QPoint((width() - FFrameWidth) / 2, (height() - FFrameHeight) / 2), FMasked, source);
  } else {
    painter.drawImage(QPoint(0, 0), FMasked, source);
  }
}
