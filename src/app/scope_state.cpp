#include "app/scope_state.h"

TScopeState::TScopeState() {
  Channels[chI].VertOffset = 200;
  Channels[chII].VertOffset = 300;
  Channels[chI].TraceColor = TraceRed;
  Channels[chII].TraceColor = TraceYellow;
}
