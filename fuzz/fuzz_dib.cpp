// Whatever the bytes, reading them as a DIB either fails with the program's own error or gives
// a picture that can be drawn from, written back and read again.
#include "display/dib.h"
#include "rtl/exception.h"
#include "rtl/stream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  TDIB dib;
  try {
    if (size > 0 && data[0] == 'B')
      dib.LoadFromStream(stream);
    else
      dib.ReadData(stream);
  } catch (const Exception &) {
    return 0;
  }
  for (int y = 0; y < dib.Height() && y < 16; ++y)
    for (int x = 0; x < dib.Width() && x < 16; ++x)
      dib.Pixels(x, y);
  TMemoryStream copy;
  dib.SaveToStream(copy);
  copy.SetPosition(0);
  TDIB again;
  again.LoadFromStream(copy);
  return 0;
}
