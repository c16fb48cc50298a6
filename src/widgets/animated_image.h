#pragma once

#include "widgets/control_timer.h"
#include "widgets/image_control.h"

#include <QImage>

// A knob or any other picture that shows one frame of a strip of equal frames, side by side or
// stacked. Not animating, it shows InactiveGlyph when that names a frame, else GlyphNum;
// animating, it steps GlyphNum on its timer and skips the inactive frame.
class TAnimatedImage : public TRxImageControl {
  Q_OBJECT
  Q_PROPERTY(bool Active READ Active WRITE SetActive)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
  Q_PROPERTY(bool Center READ Center WRITE SetCenter)
  Q_PROPERTY(TGlyphOrientation Orientation READ Orientation WRITE SetOrientation)
  Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
  Q_PROPERTY(int GlyphNum READ GlyphNum WRITE SetGlyphNum)
  Q_PROPERTY(uint Interval READ Interval WRITE SetInterval)
  Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
  Q_PROPERTY(int InactiveGlyph READ InactiveGlyph WRITE SetInactiveGlyph)
  Q_PROPERTY(TColor TransparentColor READ TransparentColor WRITE SetTransparentColor)
  Q_PROPERTY(bool Opaque READ Opaque WRITE SetOpaque)
  Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)

public:
  enum TGlyphOrientation { goHorizontal, goVertical };
  Q_ENUM(TGlyphOrientation)

  explicit TAnimatedImage(QWidget *parent = nullptr);
  ~TAnimatedImage() override;

  bool Active() const { return FActive; }
  void SetActive(bool active);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  bool Center() const { return FCenter; }
  void SetCenter(bool center);
  TGlyphOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TGlyphOrientation orientation);
  const QImage &Glyph() const { return FGlyph; }
  void SetGlyph(const QImage &glyph);
  int GlyphNum() const { return FGlyphNum; }
  void SetGlyphNum(int glyphNum);
  uint Interval() const { return FTimer.Interval(); }
  void SetInterval(uint interval) { FTimer.SetInterval(interval); }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int numGlyphs);
  int InactiveGlyph() const { return FInactiveGlyph; }
  void SetInactiveGlyph(int inactiveGlyph);
  TColor TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(TColor color);
  bool Opaque() const { return FOpaque; }
  void SetOpaque(bool opaque);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool stretch);

  // The frame that painting shows now.
  int ShownFrame() const;
  QSize FrameSize() const { return {FFrameWidth, FFrameHeight}; }

  void Loaded() override;

  TNotifyEvent OnFrameChanged;
  TNotifyEvent OnStart;
  TNotifyEvent OnStop;

protected:
  void PaintImage(QPainter &painter) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  void StripChanged();
  void RecountFrames();
  void UpdateFrameSize();
  void AdjustSize();
  void ApplyInactiveFrame();
  bool InactiveValid() const { return FInactiveGlyph >= 0 && FInactiveGlyph < FNumGlyphs; }
  void UpdateMask();
  void Step();

  QImage FGlyph;
  QImage FMasked; // the strip with its transparent pixels cleared, made once per change
  TControlTimer FTimer;
  bool FActive = false;
  bool FAutoSize = true;
  bool FCenter = false;
  bool FOpaque = false;
  bool FStretch = true;
  TGlyphOrientation FOrientation = goHorizontal;
  int FGlyphNum = 0;
  int FNumGlyphs = 1;
  int FInactiveGlyph = -1;
  int FFrameWidth = 0;
  int FFrameHeight = 0;
  TColor FTransparentColor = clNone;
};
