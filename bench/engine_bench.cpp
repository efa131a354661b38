// Speed of the game's own work, with no window system: the scoring preview over every roll,
// a whole scripted game, the dice scatter, and building and starting the window.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>

#include "assets/decode.h"
#include "assets/embedded_assets.h"
#include "hosts/script/script_runner.h"
#include "toolkit/host.h"
#include "toolkit/uniform_random.h"
#include "ui/frmQuintoz.h"

namespace {

// A window system that answers at once and does nothing: the figures are the game's alone.
class QuietHost : public toolkit::Host {
 public:
  std::string inputBox(const std::string& prompt, const std::string&, const std::string&) override {
    return prompt.rfind("How many", 0) == 0 ? "1" : "Ann";
  }
  toolkit::MessageAnswer messageBox(const std::string&, const std::string&,
                                    toolkit::MessageButtons buttons,
                                    toolkit::MessageAnswer) override {
    return buttons == toolkit::MessageButtons::Ok ? toolkit::MessageAnswer::Ok
                                                  : toolkit::MessageAnswer::No;
  }
  void repaint() override {}
  double clockSeconds() override { return clock_; }
  void sleepUpTo(double seconds) override { clock_ += seconds; }
  void randomize() override {}
  double random(toolkit::RandomUse) override { return random_.next(); }
  void playRollSound() override {}
  void dragWindow() override {}
  [[noreturn]] void endProgram() override { throw Ended{}; }
  struct Ended {};

 private:
  double clock_ = 0;
  toolkit::UniformRandom random_{11};
};

// Swallows the driver's echo so that the figure is the game's work, not string formatting.
class DiscardBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The preview of every one of the 6^5 = 7776 ordered rolls on player 1's open card, as the
// game shows it after a first roll. One item is one preview of all thirteen boxes.
void BM_PreviewEveryRoll(benchmark::State& state) {
  QuietHost host;
  frmQuintoz game(host);
  game.form.load();
  game.rollCount = 1;
  // Guard that the preview being timed is the real one: a full house of threes and twos.
  game.diceValues = {0, 3, 3, 3, 2, 2};
  game.dieCheck();
  if (game.chkFullHouse[1].Caption != "25" || game.chk3Kind[1].Caption != "13") {
    state.SkipWithError("the preview does not score a full house; nothing worth timing");
    return;
  }
  for (auto _ : state) {
    for (int roll = 0; roll < 7776; ++roll) {
      int rest = roll;
      for (int die = 1; die <= 5; ++die) {
        game.diceValues[die] = static_cast<std::int16_t>(rest % 6 + 1);
        rest /= 6;
      }
      game.dieCheck();
      benchmark::DoNotOptimize(game.chkChance[1].Caption.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * 7776);
}
BENCHMARK(BM_PreviewEveryRoll)->Unit(benchmark::kMillisecond);

// A whole one-player game of thirteen turns through the script driver, from a fresh window to
// the winner and "Play Again?": the scenario that the tests check, every click included.
void BM_WholeScriptedOnePlayerGame(benchmark::State& state) {
  std::ifstream file(QUINTOZ_ONE_PLAYER_GAME);
  std::stringstream text;
  text << file.rdbuf();
  const std::string script = text.str();
  if (script.empty()) {
    state.SkipWithError("cannot read " QUINTOZ_ONE_PLAYER_GAME);
    return;
  }
  DiscardBuffer discard;
  std::ostream out(&discard);
  for (auto _ : state) {
    script::ScriptRunner runner(out);
    std::istringstream lines(script);
    if (runner.run(lines, out) != 0 || !runner.ended()) {
      state.SkipWithError("the scripted game did not play to its end");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WholeScriptedOnePlayerGame)->Unit(benchmark::kMicrosecond);

// One die thrown to a free place in the tray while the other four lie there, as every roll
// does for each die it rolls.
void BM_rMove(benchmark::State& state) {
  QuietHost host;
  frmQuintoz game(host);
  game.form.load();
  for (std::int16_t i = 1; i <= 5; ++i) game.rMove(i);
  std::int16_t die = 1;
  for (auto _ : state) {
    game.rMove(die);
    benchmark::DoNotOptimize(game.chkDie[die].Left);
    die = die == 5 ? std::int16_t{1} : static_cast<std::int16_t>(die + 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_rMove);

// Building the window with all its controls and running its start-up, as a front end does
// before the first prompt can be answered (the pictures are decoded once per process, so
// this is the cost of every window after the first).
void BM_BuildAndStartWindow(benchmark::State& state) {
  QuietHost host;
  for (auto _ : state) {
    frmQuintoz game(host);
    game.form.load();
    benchmark::DoNotOptimize(game.cmdRoll.Caption.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildAndStartWindow)->Unit(benchmark::kMicrosecond);

// Decoding every embedded picture, which the first window of a process does once before it
// can show: the part of the start-up time that the game adds to a bare window for its pictures.
void BM_DecodeEveryPicture(benchmark::State& state) {
  std::size_t pixels = 0;
  for (auto _ : state) {
    pixels = 0;
    for (int id = 0; id < assets::kAssetCount; ++id) {
      if (static_cast<assets::AssetId>(id) == assets::AssetId::RollSound) continue;
      const toolkit::Image image = assets::decodePicture(static_cast<assets::AssetId>(id));
      pixels += image.rgb.size();
      benchmark::DoNotOptimize(image.rgb.data());
    }
  }
  state.counters["decoded_bytes"] = static_cast<double>(pixels);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeEveryPicture)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
