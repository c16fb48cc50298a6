// How long one paint of each control widget takes. Knobs repaint on every mouse move over them
// and the repeat buttons ten times a second while held, so these bound the panel's UI load.
#include "offscreen_benchmarks.h"
#include "widgets/animated_image.h"
#include "widgets/shadow_label.h"
#include "widgets/speed_button.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

// Paints `control` into a preallocated image, as a repaint of its area would.
void PaintLoop(benchmark::State &state, QWidget &control) {
  QImage target(control.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    control.render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
}

void BM_KnobFrame(benchmark::State &state) {
  QWidget parent;
  TAnimatedImage knob(&parent);
  QImage strip(210, 45, QImage::Format_RGB32);
  strip.fill(Qt::gray);
  knob.SetGlyph(strip);
  knob.SetNumGlyphs(4);
  int frame = 0;
  QImage target(knob.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    knob.SetInactiveGlyph(frame = (frame + 1) % 4);
    knob.render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_KnobFrame);

void BM_StretchedKnobFrame(benchmark::State &state) {
  QWidget parent;
  TAnimatedImage knob(&parent);
  QImage strip(100, 45, QImage::Format_RGB32);
  strip.fill(Qt::gray);
  knob.SetGlyph(strip);
  knob.SetNumGlyphs(4);
  knob.SetAutoSize(false);
  knob.resize(24, 45);
  PaintLoop(state, knob);
}
BENCHMARK(BM_StretchedKnobFrame);

void BM_RepeatButton(benchmark::State &state) {
  QWidget parent;
  TRxSpeedButton button(&parent);
  button.resize(25, 30);
  button.SetCaption("+");
  PaintLoop(state, button);
}
BENCHMARK(BM_RepeatButton);

void BM_ShadowedLabel(benchmark::State &state) {
  QWidget parent;
  TRxLabel label(&parent);
  label.SetCaption("Volt/d");
  PaintLoop(state, label);
}
BENCHMARK(BM_ShadowedLabel);

} // namespace

int main(int argc, char **argv) { return RunOffscreenBenchmarks(argc, argv); }
