#include "sound/wave_file_stream.h"

TWaveFileStream::TWaveFileStream(const char *fileName, uint16_t mode)
    : TWaveFileHolder(fileName, mode), TWaveStream(FFileStream.get()) {}
