#include "app/scope_state.h"

TScopeState::TScopeState() {
  Channels[chI].VertOffset = InitialVertOffsets[chI];
  Channels[chII].VertOffset = InitialVertOffsets[chII];
  Channels[chI].TraceColor = TraceRed;
  Channels[chII].TraceColor = TraceYellow;
}
