#include "app/capture_format_choice.h"

#include "rtl/exception.h"

#include <array>

namespace {

constexpr std::array<const char *, 2> ChannelNames{"Mono", "Stereo"};

// The name of a channel count in format hints; empty for counts the device list never holds.
const char *ChannelName(int channels) {
  if (channels < 1 || channels > static_cast<int>(ChannelNames.size()))
    return "";
  return ChannelNames[channels - 1];
}

bool IsStereo16(const TFormatEntry &format) { return format.BitsPerSample == 16 && format.Channels == 2; }

int CountStereo16(std::span<const TFormatEntry> formats) {
  int count = 0;
  for (const TFormatEntry &format : formats)
    count += IsStereo16(format) ? 1 : 0;
  return count;
}

} // namespace

int StereoFormatIndex(std::span<const TFormatEntry> formats, int position) {
  int seen = 0;
  for (size_t i = 0; i < formats.size(); ++i)
    if (IsStereo16(formats[i]) && ++seen == position)
      return static_cast<int>(i);
  return -1;
}

TCaptureFormatChoice CaptureFormatAt(std::span<const TFormatEntry> formats, int position) {
  TCaptureFormatChoice choice;
  choice.StereoCount = CountStereo16(formats);
  if (choice.StereoCount == 0)
    return choice;
  choice.FormatsPerStep = static_cast<int32_t>(formats.size()) / choice.StereoCount;
  choice.FormatIndex = StereoFormatIndex(formats, position);
  if (choice.FormatIndex < 0)
    return choice;
  choice.Position = position;
  const TFormatEntry &format = formats[choice.FormatIndex];
  choice.SampleRate = format.SamplesPerSec;
  choice.Hint = FormatHint(format);
  return choice;
}

TCaptureFormatChoice InitialCaptureFormat(std::span<const TFormatEntry> formats) {
  return CaptureFormatAt(formats, CountStereo16(formats));
}

std::string FormatHint(const TFormatEntry &format) {
  return Format("%dHz %dbit %s", format.SamplesPerSec, format.BitsPerSample, ChannelName(format.Channels));
}
