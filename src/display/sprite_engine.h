#pragma once

#include "display/sprite.h"

class TDirectDrawSurface;

// The root of a sprite tree, drawing onto one surface (not owned).
class TSpriteEngine : public TSprite {
public:
  TSpriteEngine() : TSprite(nullptr) {}
  // The children go while the counters they update still exist.
  ~TSpriteEngine() override { Clear(); }

  int AllCount = 0;  // sprites below the engine
  int DrawCount = 0; // sprites drawn by the last Draw

  TDirectDrawSurface *Surface() const { return FSurface; }
  void SetSurface(TDirectDrawSurface *value);
  // The surface's client rectangle as it is now, so a resized surface needs no new assignment.
  TRect SurfaceRect() const;

  void Draw();

private:
  TDirectDrawSurface *FSurface = nullptr;
};
