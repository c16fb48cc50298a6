#pragma once

#include "widgets/button_glyph.h"

#include <QRect>

class QPainter;

// Draws a speed button's frame for its look: one-pixel rings of a top-left and a bottom-right
// colour, then one more pixel of margin. Returns the rectangle left inside.
QRect DrawButtonFrame(QPainter &painter, QRect rect, TRxButtonState look, bool newLook, bool flat);
