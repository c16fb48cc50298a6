#pragma once

#include "widgets/system_colors.h"

#include <QImage>

// Pixel services the picture controls share. Pictures are QImages; a transparent colour says
// which pixels let the background show.

// The colour of a picture's lower-left pixel: a picture's transparent colour by default.
TColor LowerLeftColor(const QImage &picture);

// A 32-bit copy with alpha in which pixels of `transparent` are see-through. clNone keeps
// every pixel.
QImage MaskedImage(const QImage &picture, TColor transparent);

// The disabled look: the picture's dark pixels as a grey shape over a white copy one pixel to
// the lower right, on a ground of the transparent colour so it stays transparent.
QImage DisabledImage(const QImage &picture, TColor transparent);

// A grey copy: each pixel becomes grey of level (77 red + 150 green + 29 blue) / 256, except
// pixels of the transparent colour and of `keep`, which stay.
QImage GrayImage(const QImage &picture, TColor transparent, TColor keep);
