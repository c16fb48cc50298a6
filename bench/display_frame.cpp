// The display's hot path on a real window when the test display is there, else offscreen.
#include "display/background_sprite.h"
#include "display/dib.h"
#include "display/direct_draw_surface.h"
#include "display/dx_draw.h"
#include "display/dx_image_list.h"
#include "display/dx_sprite_engine.h"
#include "framework/application.h"
#include "rtl/stream.h"

#include <QWidget>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr int Side = 504;
constexpr int TracePoints = 506;

TDIB Graticule() {
  TDIB dib;
  dib.SetSize(Side, Side, 24);
  for (int y = 0; y < Side; ++y)
    for (int x = 0; x < Side; ++x)
      dib.SetPixel(x, y, (x % 50 == 49 || y % 50 == 49) ? 0x808080 : 0xBAD6C7);
  return dib;
}

// The scope's window: a display control with the graticule as background sprite.
struct TScope {
  QWidget Form;
  TDXDraw *DXDraw;
  TDXImageList *ImageList;
  TDXSpriteEngine *SpriteEngine;
  int TraceI[TracePoints];
  int TraceII[TracePoints];

  TScope() {
    Form.setGeometry(30, 30, Side + 40, Side + 40);
    DXDraw = new TDXDraw(&Form);
    DXDraw->setGeometry(20, 20, Side, Side);
    ImageList = new TDXImageList(&Form);
    TPictureCollectionItem *grid = ImageList->Items().Add();
    grid->SetName("BrIm");
    grid->Transparent = false;
    grid->SetPicture(Graticule());
    ImageList->SetDXDraw(DXDraw);
    SpriteEngine = new TDXSpriteEngine(&Form);
    SpriteEngine->SetDXDraw(DXDraw);
    auto *background = new TBackgroundSprite(&SpriteEngine->Engine());
    background->SetMapSize(1, 1);
    background->Image = ImageList->Items().Find("BrIm");
    background->SetZ(-2);
    background->Tile = true;
    for (int i = 0; i < TracePoints; ++i) {
      TraceI[i] = 150 + static_cast<int>(100 * std::sin(i * 0.05));
      TraceII[i] = 350 + static_cast<int>(120 * std::sin(i * 0.13 + 1));
    }
    Form.show();
    for (int i = 0; i < 20; ++i)
      Application->ProcessMessages();
    // Frames are measured without the wait for the screen's blank, which would only show the
    // refresh rate.
    DXDraw->SetOptions(DXDraw->Options() & ~DXOption(doWaitVBlank));
  }

  void Trace(TDirectDrawSurfaceCanvas &canvas, const int *points) {
    canvas.MoveTo(0, points[0]);
    for (int i = 1; i < TracePoints; ++i)
      canvas.LineTo(i, points[i]);
  }

  void Frame() {
    SpriteEngine->Draw();
    TDirectDrawSurfaceCanvas &canvas = DXDraw->Surface()->Canvas();
    canvas.Pen.Style = psSolid;
    canvas.Pen.Mode = pmNotCopy;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = RGB(255, 0, 0);
    Trace(canvas, TraceI);
    canvas.Pen.Color = RGB(255, 255, 0);
    Trace(canvas, TraceII);
    canvas.Release();
    DXDraw->Flip();
  }
};

TScope *Scope = nullptr;

void BM_ScopeFrame(benchmark::State &state) {
  for (auto _ : state)
    Scope->Frame();
}
BENCHMARK(BM_ScopeFrame)->Unit(benchmark::kMicrosecond);

// The frame and the repaint of the window that shows it.
void BM_ScopeFrameShown(benchmark::State &state) {
  for (auto _ : state) {
    Scope->Frame();
    Application->processEvents();
  }
}
BENCHMARK(BM_ScopeFrameShown)->Unit(benchmark::kMicrosecond);

void BM_Flip(benchmark::State &state) {
  for (auto _ : state)
    Scope->DXDraw->Flip();
}
BENCHMARK(BM_Flip)->Unit(benchmark::kMicrosecond);

void BM_GraticuleLoad(benchmark::State &state) {
  TMemoryStream stream;
  Graticule().WriteData(stream);
  TDIB dib;
  for (auto _ : state) {
    stream.SetPosition(0);
    dib.ReadData(stream);
    benchmark::DoNotOptimize(dib.Image());
  }
}
BENCHMARK(BM_GraticuleLoad)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
  if (const char *display = std::getenv("VEXILO_TEST_DISPLAY")) {
    setenv("DISPLAY", display, 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
  } else {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  TApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  auto scope = std::make_unique<TScope>();
  Scope = scope.get();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
