#include "app/scope_state.h"

TScopeState::TScopeState() {
  Channels[chI].VertOffset = 200;
  Channels[chII].VertOffset = 300;
  Channels[chI].TraceColor = TraceRed;
  Channels[chII].TraceColor = TraceYellow;
}

const char *ChannelName(int channels) {
  if (channels < 1 || channels > static_cast<int>(TScopeState::ChannelNames.size()))
    return "";
  return TScopeState::ChannelNames[channels - 1];
}
