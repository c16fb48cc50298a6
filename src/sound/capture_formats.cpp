#include "sound/capture_formats.h"

const TSoundCaptureFormat &TSoundCaptureFormats::Items(int index) const {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (%d)", index);
  return FItems[size_t(index)];
}
