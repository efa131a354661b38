// The roll sound: the WAVE header fields and the shape of the rattle over time.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "asset_file.h"

namespace asset_tests {
namespace {

constexpr std::uint32_t kRate = 16000;
constexpr std::uint32_t kDataBytes = 17286;
constexpr std::size_t kDataAt = 44;

std::span<const std::uint8_t> samples(const std::vector<std::uint8_t>& file) {
  return std::span(file).subspan(kDataAt, kDataBytes);
}

// Root mean square distance from silence (128), over [from, to) seconds.
double rms(std::span<const std::uint8_t> data, double from, double to) {
  const auto begin = static_cast<std::size_t>(from * kRate);
  const auto end = std::min(data.size(), static_cast<std::size_t>(to * kRate));
  double sum = 0.0;
  for (std::size_t i = begin; i < end; ++i) {
    const double v = data[i] - 128.0;
    sum += v * v;
  }
  return std::sqrt(sum / static_cast<double>(end - begin));
}

TEST(RollSoundFile, IsEightBitMonoPcmAtSixteenKilohertz) {
  const auto file = readAssetFile("roll.wav");
  ASSERT_EQ(file.size(), 17330u);
  EXPECT_EQ(fourCc(file, 0), "RIFF");
  EXPECT_EQ(le32(file, 4), file.size() - 8);
  EXPECT_EQ(fourCc(file, 8), "WAVE");
  EXPECT_EQ(fourCc(file, 12), "fmt ");
  EXPECT_EQ(le32(file, 16), 16u) << "fmt chunk size";
  EXPECT_EQ(le16(file, 20), 1u) << "PCM";
  EXPECT_EQ(le16(file, 22), 1u) << "channels";
  EXPECT_EQ(le32(file, 24), kRate) << "samples per second";
  EXPECT_EQ(le32(file, 28), kRate) << "bytes per second";
  EXPECT_EQ(le16(file, 32), 1u) << "block align";
  EXPECT_EQ(le16(file, 34), 8u) << "bits per sample";
  EXPECT_EQ(fourCc(file, 36), "data");
  EXPECT_EQ(le32(file, 40), kDataBytes);
}

TEST(RollSoundFile, RattlesLoudlyThenDiesAwayIntoSilence) {
  const auto file = readAssetFile("roll.wav");
  ASSERT_EQ(file.size(), kDataAt + kDataBytes);
  const auto data = samples(file);
  const double length = static_cast<double>(kDataBytes) / kRate;

  const auto [quietest, loudest] = std::minmax_element(data.begin(), data.end());
  EXPECT_GT(*loudest - 128, 80) << "the first impacts should be near full scale";
  EXPECT_GT(128 - *quietest, 80);

  const double start = rms(data, 0.0, 0.3);
  const double middle = rms(data, 0.3, 0.6);
  const double end = rms(data, length - 0.2, length);
  EXPECT_GT(start, 10.0);
  EXPECT_GT(start, 2.0 * middle) << "the rattle thins out";
  EXPECT_GT(middle, 0.5) << "dice are still moving after 0.3 s";
  EXPECT_LT(end, start / 20.0);

  for (std::size_t i = data.size() - 1600; i < data.size(); ++i) {
    ASSERT_NEAR(data[i], 128, 1) << "sample " << i << " of the last 0.1 s";
  }
}

TEST(RollSoundFile, IsMadeOfSeparateClicks) {
  // Dice make sharp, separate clicks, not a continuous noise: over the first half second many
  // 2 ms windows are much louder than their neighbours 8 ms later.
  const auto file = readAssetFile("roll.wav");
  const auto data = samples(file);
  int onsets = 0;
  constexpr double kWindow = 0.002;
  for (double t = 0.0; t + 0.012 < 0.5; t += kWindow) {
    if (rms(data, t, t + kWindow) > 4.0 * rms(data, t + 0.008, t + 0.010) + 1.0) ++onsets;
  }
  EXPECT_GE(onsets, 15);
}

}  // namespace
}  // namespace asset_tests
