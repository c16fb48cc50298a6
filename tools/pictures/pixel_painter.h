#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QVector>

// Shared helpers of the picture generators: the 16-colour table, reduction to it, a tiny pixel
// font (so labels look the same on every machine, whatever fonts are installed) and the frame
// looks of a speed button's glyph strip.

// The standard 16 colours, in the usual order (black ... white).
const QVector<QRgb> &SixteenColours();

// An image drawn only in the 16 colours, turned into an indexed image over SixteenColours().
QImage ToSixteenColours(const QImage &image);

// The panel's face colour; glyphs use it as background so it shows as the button behind them.
extern const QColor FaceColour;

// Draws `text` (digits, space and the letters k, H, z, x) in 3 x 5 pixel glyphs, one column apart.
void DrawPixelText(QImage &image, int x, int y, const QString &text, QColor colour);

// A strip of `frames` frames of `width` x `height`, filled with the face colour.
QImage NewStrip(int frames, int width, int height);

// A speed button's four glyph frames: up, disabled, pressed and held down. `draw` paints the
// symbol into the frame rectangle with the given ink; the disabled frame is drawn in grey and
// the pressed ones one pixel to the lower right.
template <class Draw> QImage FourFrameGlyph(int width, int height, QColor upInk, QColor downInk, Draw &&draw) {
  QImage strip = NewStrip(4, width, height);
  QPainter painter(&strip);
  const QColor inks[] = {upInk, QColor(128, 128, 128), downInk, downInk};
  for (int frame = 0; frame < 4; ++frame) {
    const int shift = frame >= 2 ? 1 : 0;
    draw(painter, QRect(frame * width + shift, shift, width, height), inks[frame]);
  }
  return strip;
}
