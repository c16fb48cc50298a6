#pragma once

#include <QColor>
#include <QImage>

// The program's icon for the desktop's menus and launchers: a small scope with a dark bezel
// round a screen in the graticule's colours, with channel I's trace in aqua over channel II's in
// blue. Drawn anew at each size, so the grid and the traces stay crisp from 16 pixels up.
inline const QColor IconBezel{64, 64, 64};
inline const QColor IconTraceI{0, 255, 255};
inline const QColor IconTraceII{0, 0, 255};

// A size x size picture; outside the rounded bezel it is transparent.
QImage DrawProgramIcon(int size);
