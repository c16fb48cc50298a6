// The cost of one call of each channel-control handler on the real panel: the arithmetic and
// the updates of the controls it touches (texts, knob frames, switches), without the repaint
// that follows later in the event loop.
#include "app/scope_state.h"
#include "app/vexilo_frm.h"
#include "framework/application.h"
#include "platform/audio/virtual_capture.h"
#include "widgets/speed_button.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

TVexiloFrm *Form = nullptr;

void BM_VoltsKnob(benchmark::State &state) {
  for (auto _ : state)
    Form->VoltBtMouseDown(chI, state.iterations() % 2 ? mbLeft : mbRight);
}
BENCHMARK(BM_VoltsKnob);

void BM_TimeKnob(benchmark::State &state) {
  for (auto _ : state)
    Form->TimeMouseDown(chII, state.iterations() % 2 ? mbLeft : mbRight);
}
BENCHMARK(BM_TimeKnob);

void BM_PositionKnobPressAndRepeatTick(benchmark::State &state) {
  for (auto _ : state) {
    Form->PositionKnobMouseDown(chI, pkVertical, mbLeft);
    Form->TimerBtTimer(nullptr);
    Form->FormMouseMove(nullptr);
  }
}
BENCHMARK(BM_PositionKnobPressAndRepeatTick);

void BM_DoubledResolution(benchmark::State &state) {
  for (auto _ : state)
    Form->Btx2Click(chI);
}
BENCHMARK(BM_DoubledResolution);

void BM_OneFrameShift(benchmark::State &state) {
  for (auto _ : state)
    Form->BtPlusFzCnClick(chII);
}
BENCHMARK(BM_OneFrameShift);

void BM_ChannelSwitch(benchmark::State &state) {
  for (auto _ : state) {
    Form->Channel[chI].SpBtnCntr->SetDown(!Form->Channel[chI].SpBtnCntr->Down());
    Form->SpBtnCntrClick(chI);
  }
}
BENCHMARK(BM_ChannelSwitch);

void BM_PictureHoldKey(benchmark::State &state) {
  char space = ' ';
  for (auto _ : state)
    Form->FormKeyPress(nullptr, space);
}
BENCHMARK(BM_PictureHoldKey);

} // namespace

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  TApplication application(argc, argv);
  TVirtualCapture device;
  auto form = std::make_unique<TVexiloFrm>();
  form->show();
  form->FormActivate(nullptr);
  Form = form.get();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
