#pragma once

#include <QImage>

// The power switch's own off picture: a toggle with its lever down, 32 x 48 in 16 colours.
QImage DrawPowerOffPicture();

// Two-way arrows beside the position knobs: 21 x 6 horizontal, 6 x 21 vertical.
QImage DrawHorizontalArrow();
QImage DrawVerticalArrow();

// A small scope screen beside the About label, 16 x 15.
QImage DrawSmallScope();
