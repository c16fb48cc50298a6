// Feeds arbitrary bytes to the WAVE reader: it must answer with its own errors only, and never
// hold more than the input's size in format or data.
#include "sound/wave.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TMemoryStream stream;
  stream.WriteBuffer(data, int64_t(size));
  stream.SetPosition(0);
  TWave wave;
  try {
    wave.LoadFromStream(stream);
  } catch (const EWaveStreamError &) {
    return 0;
  } catch (const EReadError &) {
    return 0;
  }
  if (wave.Size() > int64_t(size) || wave.FormatSize() > int64_t(size))
    std::abort();
  TMemoryStream saved;
  wave.SaveToStream(saved);
  return 0;
}
