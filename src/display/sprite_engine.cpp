#include "display/sprite_engine.h"

#include "display/direct_draw_surface.h"

void TSpriteEngine::SetSurface(TDirectDrawSurface *value) {
  FSurface = value;
  Width = SurfaceRect().Width();
  Height = SurfaceRect().Height();
}

TRect TSpriteEngine::SurfaceRect() const { return FSurface ? FSurface->ClientRect() : TRect{}; }

void TSpriteEngine::Draw() {
  DrawCount = 0;
  TSprite::Draw();
}
