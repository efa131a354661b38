#include "dice_rattle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "seeded_random.h"

namespace assetgen {
namespace {

constexpr double kRate = kRattleSampleRate;
constexpr std::uint64_t kSeed = 0x51D1CE5EEDULL;
constexpr int kDice = 5;
// Tumbling stops by this time at the latest, so every die has rocked to rest by about 0.75 s.
constexpr double kTumbleEnd = 0.64;
// Nothing starts after this, so every click has died away well before the end of the sound.
constexpr double kLastImpact = 0.80;
constexpr double kClickLength = 0.045;  // seconds rendered per click
constexpr double kPeak = 0.92;          // of full scale, after mixing

// Each die has its own ring, so the rattle does not sound like one click repeated.
struct DieVoice {
  double shellHz;  // the small hard body of the die
  double edgeHz;   // a second, higher mode
  double tableHz;  // the wood under it, which changes little from die to die
};

struct Impact {
  double time;
  double loudness;    // 0..1
  double brightness;  // 0..1: edges and die-on-die hits ring higher and shorter
  DieVoice voice;
};

// A two-pole resonator: a damped sinusoid excited by the input, decaying with time constant
// tau seconds. Noise through a few of these is what makes a click sound like a hard object.
class Resonator {
 public:
  Resonator(double hz, double tau) {
    const double r = std::exp(-1.0 / (tau * kRate));
    a1_ = 2.0 * r * std::cos(2.0 * std::numbers::pi * hz / kRate);
    a2_ = -r * r;
    gain_ = 1.0 - r;
  }
  double step(double in) {
    const double out = gain_ * in + a1_ * y1_ + a2_ * y2_;
    y2_ = y1_;
    y1_ = out;
    return out;
  }

 private:
  double a1_ = 0;
  double a2_ = 0;
  double gain_ = 0;
  double y1_ = 0;
  double y2_ = 0;
};

std::vector<double> renderClick(const Impact& impact, SeededRandom& random) {
  const auto length = static_cast<std::size_t>(kClickLength * kRate);
  const double b = impact.brightness;
  // A very short noise burst: the contact itself lasts well under a millisecond.
  const double exciteTau = 0.00025 + 0.0004 * (1.0 - b);
  Resonator shell(impact.voice.shellHz * (1.0 + 0.25 * b), 0.0020 + 0.0015 * (1.0 - b));
  Resonator edge(impact.voice.edgeHz, 0.0012);
  Resonator table(impact.voice.tableHz, 0.006 + 0.004 * impact.loudness);
  // Only a real drop makes the table thump; rolling and rocking barely move it.
  const double thumpWeight = std::pow(impact.loudness, 2.0) * (1.0 - b);
  const double thumpHz = random.uniform(120.0, 170.0);

  std::vector<double> click(length);
  double peak = 0.0;
  for (std::size_t n = 0; n < length; ++n) {
    const double t = static_cast<double>(n) / kRate;
    const double excitation = random.uniform(-1.0, 1.0) * std::exp(-t / exciteTau);
    const double thump = std::sin(2.0 * std::numbers::pi * thumpHz * t) * std::exp(-t / 0.009) *
                         (1.0 - std::exp(-t / 0.0006));
    const double value = 0.25 * excitation + 9.0 * shell.step(excitation) +
                         6.0 * b * edge.step(excitation) + 5.0 * table.step(excitation) +
                         0.35 * thumpWeight * thump;
    click[n] = value;
    peak = std::max(peak, std::abs(value));
  }
  // Normalise, and fade the tail so cutting the click off is inaudible.
  const auto fade = static_cast<std::size_t>(0.005 * kRate);
  for (std::size_t n = 0; n < length; ++n) {
    double gain = impact.loudness / peak;
    if (n + fade > length) gain *= static_cast<double>(length - n) / fade;
    click[n] *= gain;
  }
  return click;
}

// A die hits the table, bounces once or twice, tumbles over a few faces while slowing down,
// and rocks to rest with a few quick, quiet clicks.
void throwDie(double start, const DieVoice& voice, SeededRandom& random,
              std::vector<Impact>& impacts) {
  double t = start;
  double loudness = random.uniform(0.8, 1.0);
  double gap = random.uniform(0.065, 0.10);
  const int bounces = 2 + static_cast<int>(random.uniform(0.0, 2.0));
  for (int i = 0; i < bounces; ++i) {
    impacts.push_back({t, loudness, random.uniform(0.0, 0.25), voice});
    t += gap * random.uniform(0.85, 1.15);
    gap *= random.uniform(0.55, 0.7);
    loudness *= random.uniform(0.6, 0.75);
  }
  // Tumbling: each face landing is a little later and a little softer than the last.
  gap = random.uniform(0.030, 0.045);
  while (loudness > 0.07 && t < kTumbleEnd) {
    impacts.push_back({t, loudness, random.uniform(0.2, 0.6), voice});
    t += gap * random.uniform(0.75, 1.3);
    gap *= random.uniform(1.08, 1.22);
    loudness *= random.uniform(0.72, 0.84);
  }
  // Rocking to rest: quicker and quicker, fainter and fainter.
  gap = random.uniform(0.022, 0.03);
  for (int i = 0; i < 3; ++i) {
    impacts.push_back({t, loudness, random.uniform(0.3, 0.5), voice});
    t += gap;
    gap *= 0.55;
    loudness *= 0.6;
  }
}

std::vector<Impact> planImpacts(SeededRandom& random) {
  std::vector<Impact> impacts;
  std::vector<DieVoice> voices;
  for (int d = 0; d < kDice; ++d) {
    voices.push_back({random.uniform(2600.0, 3600.0), random.uniform(4800.0, 6200.0),
                      random.uniform(700.0, 1000.0)});
    // The dice leave the hand a few tens of milliseconds apart.
    throwDie(random.uniform(0.005, 0.07), voices.back(), random, impacts);
  }
  // While they are still moving fast the dice knock into each other: bright, sharp clicks.
  for (int i = 0; i < 7; ++i) {
    const double t = random.uniform(0.03, 0.40);
    const double loudness = random.uniform(0.35, 0.7) * (1.0 - t);
    const auto& voice = voices[static_cast<std::size_t>(random.uniform(0.0, kDice))];
    impacts.push_back({t, loudness, random.uniform(0.7, 1.0), voice});
  }
  std::erase_if(impacts, [](const Impact& impact) { return impact.time > kLastImpact; });
  return impacts;
}

}  // namespace

std::vector<std::uint8_t> synthesiseDiceRattle() {
  SeededRandom random(kSeed);
  std::vector<double> mix(kRattleSamples, 0.0);
  for (const Impact& impact : planImpacts(random)) {
    const std::vector<double> click = renderClick(impact, random);
    const auto start = static_cast<std::size_t>(impact.time * kRate);
    for (std::size_t n = 0; n < click.size() && start + n < mix.size(); ++n) {
      mix[start + n] += click[n];
    }
  }

  double peak = 0.0;
  for (double v : mix) peak = std::max(peak, std::abs(v));
  const double scale = peak > 0.0 ? kPeak / peak : 0.0;
  std::vector<std::uint8_t> samples(kRattleSamples);
  for (std::size_t n = 0; n < mix.size(); ++n) {
    const double level = std::clamp(128.0 + 127.0 * scale * mix[n], 0.0, 255.0);
    samples[n] = static_cast<std::uint8_t>(std::lround(level));
  }
  return samples;
}

}  // namespace assetgen
