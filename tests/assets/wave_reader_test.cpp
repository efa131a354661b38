// The WAVE reader decides whether the roll sound plays at all, so every way a file can be
// damaged must end in silence rather than noise or a read past the end.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "assets/wave_reader.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put16(Bytes& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void putTag(Bytes& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(tag[i]));
}

struct WaveSpec {
  std::uint16_t format = 1;
  std::uint16_t channels = 1;
  std::uint32_t rate = 16000;
  std::uint16_t bits = 8;
  std::uint32_t dataSize = 10;
  std::uint32_t declaredDataSize = 10;
  bool extraChunkFirst = false;
};

// A file laid out as the embedded roll sound is: RIFF header, "fmt ", then "data".
Bytes makeWave(const WaveSpec& s) {
  Bytes b;
  putTag(b, "RIFF");
  put32(b, 0);  // readers must not depend on the overall size
  putTag(b, "WAVE");
  if (s.extraChunkFirst) {
    putTag(b, "LIST");
    put32(b, 3);  // odd length: a pad byte follows
    b.insert(b.end(), {'a', 'b', 'c', 0});
  }
  putTag(b, "fmt ");
  put32(b, 16);
  put16(b, s.format);
  put16(b, s.channels);
  put32(b, s.rate);
  put32(b, s.rate * s.channels * (s.bits / 8));
  put16(b, static_cast<std::uint16_t>(s.channels * (s.bits / 8)));
  put16(b, s.bits);
  putTag(b, "data");
  put32(b, s.declaredDataSize);
  for (std::uint32_t i = 0; i < s.dataSize; ++i) b.push_back(static_cast<std::uint8_t>(i + 1));
  return b;
}

TEST(WaveReader, ReadsTheFormatAndTheSamplesOfPlainPcm) {
  const Bytes file = makeWave({});
  const auto sound = assets::readWave(file);
  ASSERT_TRUE(sound.has_value());
  EXPECT_EQ(sound->channels, 1);
  EXPECT_EQ(sound->sampleRate, 16000);
  EXPECT_EQ(sound->bitsPerSample, 8);
  ASSERT_EQ(sound->frames.size(), 10u);
  EXPECT_EQ(sound->frames.front(), 1);
  EXPECT_EQ(sound->frames.back(), 10);
  EXPECT_EQ(sound->frames.data(), file.data() + file.size() - 10);
}

TEST(WaveReader, SkipsUnknownChunksIncludingTheirPadByte) {
  const Bytes file = makeWave({.extraChunkFirst = true});
  const auto sound = assets::readWave(file);
  ASSERT_TRUE(sound.has_value());
  EXPECT_EQ(sound->frames.size(), 10u);
  EXPECT_EQ(sound->frames.front(), 1);
}

TEST(WaveReader, CutsAHalfFrameOffTheEndOfSixteenBitStereo) {
  const auto sound = assets::readWave(
      makeWave({.channels = 2, .bits = 16, .dataSize = 10, .declaredDataSize = 10}));
  ASSERT_TRUE(sound.has_value());
  EXPECT_EQ(sound->frames.size(), 8u);  // two whole frames of four bytes
}

TEST(WaveReader, RefusesFilesThatCannotBePlayed) {
  EXPECT_FALSE(assets::readWave({}).has_value());
  EXPECT_FALSE(assets::readWave(makeWave({.format = 3})).has_value()) << "floating point";
  EXPECT_FALSE(assets::readWave(makeWave({.channels = 0})).has_value());
  EXPECT_FALSE(assets::readWave(makeWave({.bits = 24})).has_value());
  EXPECT_FALSE(assets::readWave(makeWave({.rate = 0})).has_value());
  EXPECT_FALSE(assets::readWave(makeWave({.declaredDataSize = 11})).has_value())
      << "a data chunk longer than the file";

  Bytes notWave = makeWave({});
  notWave[8] = 'X';
  EXPECT_FALSE(assets::readWave(notWave).has_value());
}

TEST(WaveReader, RefusesEveryTruncationOfAGoodFile) {
  const Bytes file = makeWave({});
  // Any cut shorter than the whole file loses part of the data chunk or a header before it.
  for (std::size_t n = 0; n < file.size(); ++n) {
    const std::span<const std::uint8_t> cut(file.data(), n);
    EXPECT_FALSE(assets::readWave(cut).has_value()) << "cut at " << n;
  }
}

TEST(WaveReader, RefusesDataThatComesBeforeItsFormat) {
  Bytes b;
  putTag(b, "RIFF");
  put32(b, 0);
  putTag(b, "WAVE");
  putTag(b, "data");
  put32(b, 2);
  b.insert(b.end(), {1, 2});
  EXPECT_FALSE(assets::readWave(b).has_value());
}

}  // namespace
