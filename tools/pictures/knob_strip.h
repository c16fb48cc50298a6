#pragma once

#include <QImage>

// A knob's four frames side by side, 45 pixels high: a grey ribbed knob, plain in frame 0, with a
// red two-way arrow in frame 1 (pointer over it), a red arrow turning clockwise in frame 2 (left
// button) and anticlockwise in frame 3 (right button). Frames are stripWidth / 4 pixels wide;
// columns left over at the right stay background.
constexpr int KnobFrames = 4;
constexpr int KnobHeight = 45;

QImage DrawKnobStrip(int stripWidth);
