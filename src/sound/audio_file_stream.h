#pragma once

#include "sound/audio_stream.h"
#include "sound/wave_file_stream.h"

#include <memory>
#include <string>

// Streaming playback of a WAVE file: setting the name opens the file and makes it the source.
class TAudioFileStream : public TAudioStream {
public:
  using TAudioStream::TAudioStream;
  ~TAudioFileStream() override;

  const std::string &SourceFileName() const { return FSourceFileName; }
  // A name relative to the current directory; "" closes the file. A file that is missing or not a
  // valid WAVE raises its error ("Cannot open file %s", the wave reader's) and leaves no source.
  void SetSourceFileName(const std::string &name);

private:
  std::string FSourceFileName;
  std::unique_ptr<TWaveFileStream> FWaveFile;
};
