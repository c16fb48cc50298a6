#include "display/background_sprite.h"
#include "display/dx_image_list.h"
#include "display/dx_sprite_engine.h"
#include "display_fixture.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> Counting{false};
std::atomic<int> Allocations{0};
} // namespace

// Counts what the program asks of the heap while a test looks.
void *operator new(std::size_t size) {
  if (Counting)
    ++Allocations;
  if (void *p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }

namespace {

class FrameAllocationTest : public DisplayFixture {};

TEST_F(FrameAllocationTest, AFrameAllocatesNothing) {
  auto *imageList = new TDXImageList(Form.get());
  TPictureCollectionItem *grid = imageList->Items().Add();
  grid->SetName("BrIm");
  grid->Transparent = false;
  grid->SetPicture(PatternPicture(504, 504));
  imageList->SetDXDraw(DXDraw);
  auto *engine = new TDXSpriteEngine(Form.get());
  engine->SetDXDraw(DXDraw);
  auto *background = new TBackgroundSprite(&engine->Engine());
  background->SetMapSize(1, 1);
  background->Image = grid;
  background->Tile = true;
  ShowForm();
  DXDraw->SetOptions(DXDraw->Options() & ~DXOption(doWaitVBlank));

  auto compose = [&] {
    engine->Draw();
    TDirectDrawSurfaceCanvas &canvas = DXDraw->Surface()->Canvas();
    canvas.Pen.Mode = pmNotCopy;
    canvas.Pen.Color = RGB(255, 0, 0);
    canvas.MoveTo(0, 0);
    for (int x = 1; x < 506; ++x)
      canvas.LineTo(x, (x * 13) % 600 - 50);
    canvas.Release();
  };
  // The first frames make the canvas, the window's image and the back surface's second buffer
  // (the screen shows one while the next frame is drawn into the other).
  for (int frame = 0; frame < 2; ++frame) {
    compose();
    DXDraw->Flip();
  }
  QTest::qWait(50);

  Allocations = 0;
  Counting = true;
  compose();
  Counting = false;
  EXPECT_EQ(Allocations, 0) << "composing a frame";

  // Asking the window to repaint posts an event, which is Qt's to allocate; the present itself,
  // with a repaint already asked for, allocates nothing.
  DXDraw->Flip();
  Allocations = 0;
  Counting = true;
  DXDraw->Flip();
  Counting = false;
  EXPECT_EQ(Allocations, 0) << "presenting a frame";
}

} // namespace
