#pragma once

#include "app/trace_frame.h"

#include <string>

// The first line of an export; a reader knows the format by it.
inline constexpr const char *TraceExportSignature = "# vexilo traces, CSV 1";

// The traces a presented frame shows, as comma-separated text: the signature, one comment line per
// shown channel with its volts/div and time base, a line naming the columns, then one row per drawn
// point with, for each shown channel, the point's time in ms from its trace's first point and its
// level in volts (empty where that channel has fewer points). Numbers are written with "." and
// enough digits to read back the same value. Empty when the frame shows no channel.
std::string TracesCsv(const TTraceFrame &frame);
