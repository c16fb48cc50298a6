#include "sound/wave.h"
#include "support/wave_image.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {

TWaveImage Pcm(const std::vector<uint8_t> &data) {
  TWaveImage image;
  image.Riff().Fmt(2, 44100, 16, 4).Chunk("data", data);
  return image;
}

void Load(TWave &wave, const std::vector<uint8_t> &bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  stream.SetPosition(0);
  wave.LoadFromStream(stream);
}

} // namespace

TEST(WaveTest, StorageGrowsInWholeBlocks) {
  TWave wave;
  wave.SetSize(1);
  EXPECT_EQ(wave.Capacity(), 8096);
  const uint8_t *block = wave.Data();
  wave.Data()[0] = 42;
  wave.SetSize(8096);
  EXPECT_EQ(wave.Data(), block); // still the same block
  wave.SetSize(8097);
  EXPECT_EQ(wave.Capacity(), 16192);
  EXPECT_EQ(wave.Data()[0], 42); // content kept across the move
  wave.SetSize(-3);
  EXPECT_EQ(wave.Size(), 0);
  EXPECT_EQ(wave.Capacity(), 0);
  wave.SetFormatSize(-1);
  EXPECT_EQ(wave.FormatSize(), 0);
  EXPECT_EQ(wave.Format(), nullptr);
}

TEST(WaveTest, SaveLoadAndAssignKeepFormatAndData) {
  TWave original;
  Load(original, Pcm(Ramp(10000)).Bytes());
  ASSERT_EQ(original.Size(), 10000);
  EXPECT_EQ(original.Format()->nAvgBytesPerSec, 176400u);

  TMemoryStream saved;
  original.SaveToStream(saved);
  TWave copy;
  saved.SetPosition(0);
  copy.LoadFromStream(saved);
  EXPECT_EQ(copy.FormatSize(), 16);
  EXPECT_EQ(std::vector<uint8_t>(copy.Data(), copy.Data() + copy.Size()), Ramp(10000));

  TWave assigned;
  assigned.Assign(&copy);
  EXPECT_EQ(assigned.Size(), 10000);
  EXPECT_EQ(std::memcmp(assigned.Format(), copy.Format(), 16), 0);
  EXPECT_EQ(std::memcmp(assigned.Data(), copy.Data(), 10000), 0);
  assigned.Assign(&assigned);
  EXPECT_EQ(assigned.Size(), 10000);
  assigned.Assign(nullptr);
  EXPECT_EQ(assigned.Size(), 0);
  EXPECT_EQ(assigned.FormatSize(), 0);

  TMemoryStream nothing;
  assigned.SaveToStream(nothing); // no format, no data: nothing written
  EXPECT_EQ(nothing.Size(), 0);
}

TEST(WaveTest, BadImageLeavesTheWaveEmpty) {
  TWave wave;
  Load(wave, Pcm(Ramp(8)).Bytes());
  std::vector<uint8_t> bytes = Pcm(Ramp(8)).Bytes();
  bytes.resize(bytes.size() - 1); // data one byte shorter than declared
  EXPECT_THROW(Load(wave, bytes), EReadError);
  EXPECT_EQ(wave.Size(), 0);
  EXPECT_EQ(wave.FormatSize(), 0);
}

// Mutated, truncated and oversized images: only the reader's own errors come out, and nothing is
// allocated beyond what the stream holds.
TEST(WaveTest, SurvivesMutatedImages) {
  const std::vector<uint8_t> valid =
      TWaveImage().Riff().Fmt(2, 44100, 16, 4).Chunk("LIST", Ramp(6)).Chunk("data", Ramp(64)).Bytes();
  std::mt19937 random(12345);
  int loaded = 0;
  for (int round = 0; round < 5000; ++round) {
    std::vector<uint8_t> bytes = valid;
    const int edits = 1 + int(random() % 4);
    for (int e = 0; e < edits; ++e) {
      const size_t at = random() % bytes.size();
      switch (random() % 4) {
      case 0:
        bytes[at] = uint8_t(random());
        break;
      case 1:
        bytes.resize(at);
        break;
      case 2:
        bytes[at] = 0xFF;
        break; // sizes near 4 GB
      default:
        bytes.insert(bytes.begin() + long(at), uint8_t(random()));
        break;
      }
      if (bytes.empty())
        bytes.push_back(0);
    }
    TWave wave;
    try {
      Load(wave, bytes);
      ++loaded;
      EXPECT_LE(wave.Size(), int64_t(bytes.size()));
      EXPECT_LE(wave.FormatSize(), int64_t(bytes.size()));
    } catch (const EWaveStreamError &) {
    } catch (const EReadError &) {
    }
  }
  EXPECT_GT(loaded, 0); // some mutations leave a readable image
}
