// The scope panel's channel controls: the knobs with their repeat timer, the switches, the width
// trims, the one-frame shifts and the picture hold with its keys.
#include "app/channel_switches.h"
#include "app/scope_state.h"
#include "app/trace_schedule.h"
#include "app/vexilo_frm.h"
#include "display/dx_draw.h"
#include "display/dx_timer.h"
#include "framework/edit.h"
#include "framework/mouse_move_filter.h"
#include "framework/track_bar.h"
#include "framework/up_down.h"
#include "widgets/animated_image.h"
#include "widgets/power_switch.h"
#include "widgets/shadow_label.h"
#include "widgets/speed_button.h"
#include "widgets/timer.h"

#include <QFrame>
#include <QLabel>
#include <functional>

namespace {

// Knob glyph frames.
constexpr int KnobIdle = 0;
constexpr int KnobHover = 1;
constexpr int KnobLeft = 2;
constexpr int KnobRight = 3;

bool Turns(TMouseButton button) { return button == mbLeft || button == mbRight; }

} // namespace

void TVexiloFrm::ConnectChannelHandlers() {
  const auto moved = [this](QObject *sender, TShiftState, int, int) { FormMouseMove(sender); };
  OnMouseMove = moved;
  new TMouseMoveFilter(Channel[chI].CntrlPnl, moved);
  for (const char *name : {"ImageArrUpI", "ImageArrUpII", "ImageArrI", "ImageArrII"})
    new TMouseMoveFilter(Component<QLabel>(name), moved);
  for (const char *name : {"RxLabel4", "RxLabel5", "RxLabel6", "RxLabel7", "RxLabel8", "RxLabel9"}) {
    TRxLabel *label = Component<TRxLabel>(name);
    label->setMouseTracking(true);
    label->OnMouseMove = moved;
  }

  const auto keyPress = [this](QObject *sender, char &key) { FormKeyPress(sender, key); };
  OnKeyPress = keyPress;
  DXDraw1->OnKeyPress = keyPress;
  Pover->OnKeyPress = keyPress;
  CngFrTbar->OnKeyPress = keyPress;
  TimerBt->OnTimer = [this](QObject *sender) { TimerBtTimer(sender); };
  CpFrameBt->OnClick = [this](QObject *sender) { CpFrameBtClick(sender); };
  Channel[chII].TimeVl->OnEnter = [this](QObject *sender) { TimeVlIIEnter(sender); };

  for (TChannel ch : {chI, chII}) {
    TChannelControls &c = Channel[ch];
    const auto knob = [&](TAnimatedImage *image, std::function<void(TMouseButton)> down) {
      image->setMouseTracking(true);
      image->OnMouseDown = [down](QObject *, TMouseButton button, TShiftState, int, int) { down(button); };
      image->OnMouseMove = [this, image](QObject *, TShiftState, int, int) { KnobMouseMove(image); };
      image->OnMouseUp = [this, image](QObject *, TMouseButton, TShiftState, int, int) { KnobMouseMove(image); };
    };
    knob(c.VerticAnim, [this, ch](TMouseButton b) { PositionKnobMouseDown(ch, pkVertical, b); });
    knob(c.HorizontAnm, [this, ch](TMouseButton b) { PositionKnobMouseDown(ch, pkHorizontal, b); });
    knob(c.VoltBt, [this, ch](TMouseButton b) { VoltBtMouseDown(ch, b); });
    knob(c.Time, [this, ch](TMouseButton b) { TimeMouseDown(ch, b); });

    for (TControl *control : std::initializer_list<TControl *>{c.BtMnusFzCn, c.BtPlusFzCn, c.CntVol}) {
      control->setMouseTracking(true);
      control->OnMouseMove = moved;
    }
    c.TimeVl->OnKeyPress = keyPress;
    c.Btx2->OnClick = [this, ch](QObject *) { Btx2Click(ch); };
    c.UpDownFaze->OnChanging = [this, ch](QObject *, bool &) { UpDownFazeChanging(ch); };
    c.BtMnusFzCn->OnClick = [this, ch](QObject *) { BtMnusFzCnClick(ch); };
    c.BtPlusFzCn->OnClick = [this, ch](QObject *) { BtPlusFzCnClick(ch); };
    c.SpBtnCntr->OnClick = [this, ch](QObject *) { SpBtnCntrClick(ch); };
  }
}

void TVexiloFrm::PositionKnobMouseDown(TChannel ch, TPositionKnob knob, TMouseButton button) {
  if (!Turns(button))
    return;
  TChannelControls &c = Channel[ch];
  (knob == pkVertical ? c.VerticAnim : c.HorizontAnm)->SetInactiveGlyph(button == mbLeft ? KnobLeft : KnobRight);
  FState->RepeatAction = PressPositionKnob(*FState, ch, knob, button == mbLeft);
  TimerBt->SetEnabled(true);
}

void TVexiloFrm::VoltBtMouseDown(TChannel ch, TMouseButton button) {
  if (!Turns(button))
    return;
  Channel[ch].VoltBt->SetInactiveGlyph(button == mbLeft ? KnobLeft : KnobRight);
  PressVoltKnob((*FState)[ch], button == mbLeft);
  Channel[ch].VDVl->setText(QString::fromStdString(VoltsPerDivText((*FState)[ch])));
}

void TVexiloFrm::TimeMouseDown(TChannel ch, TMouseButton button) {
  if (!Turns(button))
    return;
  Channel[ch].Time->SetInactiveGlyph(button == mbLeft ? KnobLeft : KnobRight);
  PressTimeKnob(*FState, ch, button == mbLeft);
  UpdateTimeTexts();
}

void TVexiloFrm::KnobMouseMove(TAnimatedImage *knob) {
  FormMouseMove(knob);
  knob->SetInactiveGlyph(KnobHover);
}

void TVexiloFrm::FormMouseMove(QObject *) {
  FState->RepeatStep = 1;
  TimerBt->SetEnabled(false);
  const TChannelControls &one = Channel[chI];
  const TChannelControls &two = Channel[chII];
  for (TAnimatedImage *knob :
       {one.HorizontAnm, one.VerticAnim, two.HorizontAnm, two.VerticAnim, one.VoltBt, two.VoltBt, one.Time, two.Time})
    knob->SetInactiveGlyph(KnobIdle);
}

void TVexiloFrm::TimerBtTimer(QObject *) { RepeatTick(*FState); }

void TVexiloFrm::UpdateVoltTexts() {
  for (TChannel ch : {chI, chII})
    Channel[ch].VDVl->setText(QString::fromStdString(VoltsPerDivText((*FState)[ch])));
}

void TVexiloFrm::Btx2Click(TChannel ch) {
  (*FState)[ch].ZoomFactor = Channel[ch].Btx2->Down() ? 2 : 1;
  UpdateTimeTexts();
}

void TVexiloFrm::UpDownFazeChanging(TChannel ch) {
  // The up-down still shows the position from before this step, so the width follows one
  // click behind.
  (*FState)[ch].SpanWidth = TrimmedSpanWidth(Channel[ch].UpDownFaze->Position());
  UpdateTimeTexts();
}

void TVexiloFrm::BtMnusFzCnClick(TChannel ch) { ShiftTrace(*FState, ch, -1); }

void TVexiloFrm::BtPlusFzCnClick(TChannel ch) { ShiftTrace(*FState, ch, +1); }

void TVexiloFrm::SpBtnCntrClick(TChannel ch) {
  // Both channels start again with the next block; starting at index 0 instead would draw frames
  // from the ring's previous lap.
  RestartAtNewestFrame(*FState);
  TChannelControls &c = Channel[ch];
  if (c.SpBtnCntr->Down()) {
    c.SinxroBt->SetDown(false);
    c.CntrlPnl->setEnabled(false);
  } else {
    c.CntrlPnl->setEnabled(true);
  }
}

void TVexiloFrm::CpFrameBtClick(QObject *) {
  if (CpFrameBt->Down()) {
    DXTimer1->SetEnabled(false); // the last picture stays while capture goes on
  } else {
    RestartRingFromStart(*FState);
    DXTimer1->SetEnabled(true);
  }
}

void TVexiloFrm::FormKeyPress(QObject *, char &key) {
  // Every key flips the hold button's look; only space also holds or releases the picture.
  CpFrameBt->SetDown(!CpFrameBt->Down());
  if (key == ' ')
    CpFrameBt->Click();
}

void TVexiloFrm::TimeVlIIEnter(QObject *) {
  SlowSweepOnEnter((*FState)[chII]);
  UpdateTimeTexts();
}
