#pragma once

#include <cstdint>

class QWidget;

// Show commands of a window's placement.
enum : uint32_t { SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3 };
// Placement flag: a minimized window goes back to maximized.
constexpr uint32_t WPF_RESTORETOMAXIMIZED = 2;

struct TPlacementPoint {
  int X = -1;
  int Y = -1;
};

// Right and bottom are exclusive.
struct TPlacementRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// A window's placement: its state and the frame rectangle it has when neither minimized nor
// maximized. The window system chooses where minimized and maximized windows go, so those
// positions are answered as -1,-1 and not applied.
struct TWindowPlacement {
  uint32_t Flags = 0;
  uint32_t ShowCmd = SW_HIDE;
  TPlacementPoint MinPosition;
  TPlacementPoint MaxPosition;
  TPlacementRect NormalPosition;
};

TWindowPlacement GetWindowPlacement(const QWidget *window);
// Moves and sizes the window's normal frame to the record's rectangle; the state stays.
void SetWindowPlacement(QWidget *window, const TWindowPlacement &placement);

// The primary screen's logical pixels per inch and its size in pixels.
int ScreenPixelsPerInch();
int ScreenWidth();
int ScreenHeight();
