#include "rtl/exception.h"
#include "rtl/stream.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The same expectations hold for every kind of stream.
void ExerciseStream(TStream &stream) {
  const char text[] = "0123456789";
  stream.WriteBuffer(text, 10);
  EXPECT_EQ(stream.Size(), 10);
  EXPECT_EQ(stream.Position(), 10);
  EXPECT_EQ(stream.Seek(-4, TStream::soFromEnd), 6);
  EXPECT_EQ(stream.Seek(2, TStream::soFromCurrent), 8);
  char buffer[16] = {};
  EXPECT_EQ(stream.Read(buffer, 16), 2); // short read at the end
  EXPECT_STREQ(buffer, "89");
  stream.SetPosition(3);
  stream.ReadBuffer(buffer, 3);
  EXPECT_EQ(std::memcmp(buffer, "345", 3), 0);
  stream.SetPosition(8);
  EXPECT_THROW(stream.ReadBuffer(buffer, 3), EReadError);
  stream.SetSize(4);
  EXPECT_EQ(stream.Size(), 4);
}

} // namespace

TEST(StreamTest, MemoryStream) {
  TMemoryStream stream;
  ExerciseStream(stream);
  EXPECT_EQ(stream.Seek(-50, TStream::soFromBeginning), 0);
  stream.Seek(6, TStream::soFromBeginning); // writing past the end fills the gap with zeros
  stream.WriteBuffer("x", 1);
  EXPECT_EQ(stream.Size(), 7);
  EXPECT_EQ(std::memcmp(stream.Memory(), "0123\0\0x", 7), 0);
}

TEST(StreamTest, FileStream) {
  const auto path = std::filesystem::temp_directory_path() / ("stream_test_" + std::to_string(getpid()));
  {
    TFileStream stream(path.c_str(), TFileStream::fmCreate);
    ExerciseStream(stream);
  }
  {
    TFileStream stream(path.c_str(), TFileStream::fmOpenRead);
    EXPECT_EQ(stream.Size(), 4);
    EXPECT_EQ(stream.Write("x", 1), 0); // read-only
  }
  std::filesystem::remove(path);
  try {
    TFileStream stream(path.c_str(), TFileStream::fmOpenRead);
    FAIL() << "a missing file opened";
  } catch (const EFOpenError &e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + path.string());
  }
}
