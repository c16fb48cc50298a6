#pragma once

#include <QColor>
#include <QImage>

// Glyph strips of the panel's speed buttons.

// Channel on/off: a switch symbol in four 32 x 36 frames, aqua when up, black when down.
inline const QColor SwitchUpInk{0, 255, 255};
inline const QColor SwitchDownInk{0, 0, 0};
QImage DrawChannelSwitchGlyph();

// Calibration test: a signal generator labelled "1 kHz", four 37 x 35 frames.
QImage DrawTestGlyph();

// Picture hold: a camera inside a window frame, four 37 x 35 frames.
QImage DrawHoldGlyph();

// Sync: a peaked curve over a pair of axes, two 16 x 16 frames (up, disabled) in 16 colours.
QImage DrawSyncGlyph();
