#include "sound/audio_file_stream.h"

namespace {

// Read-only, others may read but not write.
constexpr uint16_t ShareDenyWrite = 0x20;

} // namespace

TAudioFileStream::~TAudioFileStream() { SetSource(nullptr); }

void TAudioFileStream::SetSourceFileName(const std::string &name) {
  if (name == FSourceFileName)
    return;
  FSourceFileName = name;
  if (FWaveFile) {
    SetSource(nullptr);
    FWaveFile.reset();
  }
  if (name.empty())
    return;
  try {
    FWaveFile = std::make_unique<TWaveFileStream>(name.c_str(), uint16_t(TFileStream::fmOpenRead | ShareDenyWrite));
    FWaveFile->Open(false);
    SetSource(FWaveFile.get());
  } catch (...) {
    SetSource(nullptr);
    FSourceFileName.clear();
    throw;
  }
}
