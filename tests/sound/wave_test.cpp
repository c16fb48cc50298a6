#include "sound/wave.h"
#include "support/wave_image.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {

void Load(TWave &wave, const std::vector<uint8_t> &bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  stream.SetPosition(0);
  wave.LoadFromStream(stream);
}

std::vector<uint8_t> Pcm(size_t size) {
  return TWaveImage().Riff().Fmt(2, 44100, 16, 4).Chunk("LIST", Ramp(6)).Chunk("data", Ramp(size)).Bytes();
}

} // namespace

TEST(WaveTest, StorageGrowsInWholeBlocks) {
  TWave wave;
  wave.SetSize(1);
  const uint8_t *block = wave.Data();
  wave.Data()[0] = 42;
  wave.SetSize(8096);
  EXPECT_EQ(wave.Data(), block); // still the first block
  EXPECT_EQ(wave.Capacity(), 8096);
  wave.SetSize(8097);
  EXPECT_EQ(wave.Capacity(), 16192);
  EXPECT_EQ(wave.Data()[0], 42);
  wave.SetSize(-3);
  EXPECT_EQ(wave.Size(), 0);
}

TEST(WaveTest, SaveLoadAndAssignKeepFormatAndData) {
  TWave original;
  Load(original, Pcm(10000));
  TMemoryStream saved;
  original.SaveToStream(saved);
  TWave copy;
  saved.SetPosition(0);
  copy.LoadFromStream(saved);
  EXPECT_EQ(copy.FormatSize(), 16);
  EXPECT_EQ(std::vector<uint8_t>(copy.Data(), copy.Data() + copy.Size()), Ramp(10000));

  TWave assigned;
  assigned.Assign(&copy);
  EXPECT_EQ(std::memcmp(assigned.Format(), copy.Format(), 16), 0);
  EXPECT_EQ(std::memcmp(assigned.Data(), copy.Data(), 10000), 0);
  assigned.Assign(nullptr);
  TMemoryStream nothing;
  assigned.SaveToStream(nothing); // no format, no data: nothing written
  EXPECT_EQ(nothing.Size(), 0);
}

// Mutated, truncated and oversized images: only the reader's own errors come out, a failed load
// leaves the wave empty, and nothing is held beyond what the stream holds.
TEST(WaveTest, SurvivesMutatedImages) {
  const std::vector<uint8_t> valid = Pcm(64);
  std::mt19937 random(12345);
  int loaded = 0;
  for (int round = 0; round < 5000; ++round) {
    std::vector<uint8_t> bytes = valid;
    for (int edits = 1 + int(random() % 4); edits > 0; --edits) {
      const size_t at = random() % bytes.size();
      switch (random() % 4) {
      case 0:
        bytes[at] = uint8_t(random());
        break;
      case 1:
        bytes.resize(std::max<size_t>(at, 1));
        break;
      case 2:
        bytes[at] = 0xFF;
        break; // sizes near 4 GB
      default:
        bytes.insert(bytes.begin() + long(at), uint8_t(random()));
        break;
      }
    }
    TWave wave;
    try {
      Load(wave, bytes);
      ++loaded;
      EXPECT_LE(wave.Size(), int64_t(bytes.size()));
      EXPECT_LE(wave.FormatSize(), int64_t(bytes.size()));
    } catch (const EWaveStreamError &) {
      EXPECT_EQ(wave.Size() + wave.FormatSize(), 0);
    } catch (const EReadError &) {
      EXPECT_EQ(wave.Size() + wave.FormatSize(), 0);
    }
  }
  EXPECT_GT(loaded, 0); // some mutations leave a readable image
}
