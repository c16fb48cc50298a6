#pragma once

#include "platform/mixer/mixer_records.h"

#include <QEvent>

// MM_MIXM_CONTROL_CHANGE as it reaches the window given to mixerOpen: posted to that object,
// delivered on its (the GUI) thread. lParam names the control that changed.
class TMixerControlChangeEvent : public QEvent {
public:
  TMixerControlChangeEvent(HMIXER mixer, uint32_t controlId) : QEvent(EventType()), WParam(mixer), LParam(controlId) {}

  static QEvent::Type EventType();

  const uint32_t Message = MM_MIXM_CONTROL_CHANGE;
  const HMIXER WParam;
  const uint32_t LParam;
};
