// Plays thousands of whole games through the real input path with random players, holds and
// stray clicks, checking the score cards after every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "game/numbers.h"
#include "tests/unit/game_fixture.h"
#include "toolkit/uniform_random.h"
#include "ui/frmQuintoz.h"

namespace {

struct Ended {};

// A host that answers every dialog by a random but sensible policy and records what it saw.
class SoakHost : public toolkit::Host {
 public:
  explicit SoakHost(std::mt19937& rng) : rng_(rng) {}

  std::function<void()> onPlayAgain;  // the test's checks when a game ends
  bool declineNextPlayAgain = false;
  std::vector<std::string> winnerMessages;

  std::string inputBox(const std::string& prompt, const std::string&,
                       const std::string& defaultText) override {
    if (prompt.rfind("How many", 0) == 0) {
      static const std::array<const char*, 8> counts{"1", "2", "3", "4", "0", "9", "2.5", ""};
      return counts[pick(counts.size())];
    }
    static const std::array<const char*, 6> names{
        "Ann", "", "Maximilian the Great", "\xC3\x89milie-\xC3\x89lodie", "\xFF\xFE bad", "Bob"};
    const std::size_t i = pick(names.size() + 1);
    return i == names.size() ? defaultText : names[i];
  }
  toolkit::MessageAnswer messageBox(const std::string& text, const std::string& title,
                                    toolkit::MessageButtons, toolkit::MessageAnswer) override {
    if (title == "Game Over") {
      winnerMessages.push_back(text);
      return toolkit::MessageAnswer::Ok;
    }
    if (text == "Play Again?") {
      onPlayAgain();
      return declineNextPlayAgain ? toolkit::MessageAnswer::No : toolkit::MessageAnswer::Yes;
    }
    return toolkit::MessageAnswer::No;  // "Start New Game?" and "Quit Now?"
  }
  void repaint() override {}
  double clockSeconds() override { return clock_; }
  void sleepUpTo(double seconds) override { clock_ += seconds; }
  void randomize() override {}
  double random(toolkit::RandomUse) override { return uniform_.next(); }
  void playRollSound() override {}
  void dragWindow() override {}
  [[noreturn]] void endProgram() override { throw Ended{}; }

 private:
  std::size_t pick(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }
  std::mt19937& rng_;
  toolkit::UniformRandom uniform_{7};
  double clock_ = 0;
};

using Boxes = frmQuintoz::CheckBoxes frmQuintoz::*;
const std::vector<Boxes> kCategories = cardCategories();

class Soak {
 public:
  Soak() : host_(rng_), game_(host_) {
    host_.onPlayAgain = [this] { checkFinishedGame(); };
  }

  void play(int games) {
    game_.form.load();
    startTracking();
    try {
      while (true) {
        if (gamesFinished_ == games - 1) host_.declineNextPlayAgain = true;
        playTurn();
      }
    } catch (const Ended&) {
    }
    EXPECT_EQ(gamesFinished_, games);
  }

 private:
  int chance(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  void startTracking() {
    committed_.clear();
    commits_ = {};
    ASSERT_EQ(game_.currentPlayer, 1);
    ASSERT_EQ(game_.rollCount, 0);
    for (std::int16_t p = 1; p <= 4; ++p) {
      for (Boxes b : kCategories) {
        ASSERT_EQ((game_.*b)[p].value(), 0);
        ASSERT_EQ(textToNumber((game_.*b)[p].Tag), 0);
      }
    }
  }

  void click(toolkit::Control& c, std::int16_t button = toolkit::kLeftButton) {
    game_.form.clickControl(c, button);
    checkCards();
  }

  void playTurn() {
    const std::int16_t p = game_.currentPlayer;
    const int gameAtStart = gamesFinished_;
    // Stray clicks before the first roll are undone; so is any click on the bonus box.
    for (int i = chance(3); i > 0; --i) click((game_.*kCategories[chance(13)])[p]);
    if (chance(4) == 0) click(game_.chkBonus[p]);
    if (chance(10) == 0) click(game_.cmdNewGame);  // answered No
    const int rolls = 1 + chance(4);
    for (int r = 0; r < rolls; ++r) {
      click(game_.cmdRoll);
      for (int i = chance(4); i > 0; --i) {
        toolkit::CheckBox& die = game_.chkDie[static_cast<std::int16_t>(1 + chance(5))];
        if (!die.Visible) continue;
        const int how = chance(3);
        if (how == 0) click(die);
        if (how == 1) click(die, toolkit::kRightButton);
        if (how == 2) {
          game_.form.keyStroke(die, chance(2) == 0 ? toolkit::kKeySpace : std::int16_t{'H'});
          checkCards();
        }
        checkHeldRow();
      }
      if (chance(5) == 0) click(game_.chkBonus[p]);
    }
    ASSERT_EQ(game_.rollCount, std::min(rolls, 4));
    // A click on a box committed earlier leaves the turn with this player.
    std::vector<Boxes> open;
    for (Boxes b : kCategories) {
      if ((game_.*b)[p].value() == 0) open.push_back(b);
    }
    ASSERT_FALSE(open.empty());
    if (open.size() < 13 && chance(3) == 0) {
      for (Boxes b : kCategories) {
        if ((game_.*b)[p].value() == 1) {
          click((game_.*b)[p]);
          ASSERT_EQ(game_.currentPlayer, p);
          ASSERT_EQ((game_.*b)[p].value(), 1);
          break;
        }
      }
    }
    const Boxes choice = open[static_cast<std::size_t>(chance(static_cast<int>(open.size())))];
    toolkit::CheckBox& box = (game_.*choice)[p];
    pendingCommit_ = {p, &box, box.Caption};
    ++commits_[p];
    click(box);
    if (gamesFinished_ != gameAtStart) {
      startTracking();  // the finished game was checked when it asked to play again
      return;
    }
    committed_[&box] = pendingCommit_.caption;
    ASSERT_EQ(box.Tag, "1");
    ASSERT_EQ(game_.currentPlayer, p == game_.playerCount ? 1 : p + 1);
    ASSERT_EQ(game_.rollCount, 0);
    for (std::int16_t i = 1; i <= 5; ++i) {
      ASSERT_FALSE(game_.chkDie[i].Visible);
      ASSERT_EQ(game_.chkDie[i].value(), 0);
      ASSERT_EQ(game_.diceValues[i], 0);
    }
  }

  // Every committed caption is frozen and every written total adds up.
  void checkCards() {
    for (const auto& [box, caption] : committed_) {
      ASSERT_EQ(box->Caption, caption) << box->path();
      ASSERT_EQ(box->value(), 1) << box->path();
    }
    for (std::int16_t p = 1; p <= game_.playerCount; ++p) {
      if (game_.txtTotal[p].Text.empty()) continue;
      int upper = 0;
      int lower = 0;
      for (std::size_t i = 0; i < kCategories.size(); ++i) {
        const toolkit::CheckBox& b = (game_.*kCategories[i])[p];
        if (b.value() == 1) (i < 6 ? upper : lower) += static_cast<int>(textToNumber(b.Caption));
      }
      ASSERT_EQ(game_.txtSubTotal[p].Text, std::to_string(upper));
      ASSERT_EQ(game_.txtTotal[p].Text, std::to_string(upper + (upper >= 63 ? 35 : 0) + lower));
      ASSERT_EQ(game_.chkBonus[p].value(), upper >= 63 ? 1 : 0);
    }
  }

  // A die is in the held row exactly when it is held.
  void checkHeldRow() {
    for (std::int16_t i = 1; i <= 5; ++i) {
      const toolkit::CheckBox& die = game_.chkDie[i];
      if (!die.Visible) continue;
      const bool inRow = die.Top < 1000;
      ASSERT_EQ(inRow, die.value() == 1) << "die " << i << " at top " << die.Top;
      if (inRow) {
        ASSERT_EQ(die.Left, 720.0f * i);
      }
    }
  }

  // Runs inside "Play Again?": the game ended at the right moment with the right winner.
  void checkFinishedGame() {
    ++gamesFinished_;
    committed_[pendingCommit_.box] = pendingCommit_.caption;
    int total = 0;
    for (std::int16_t p = 1; p <= game_.playerCount; ++p) {
      EXPECT_EQ(commits_[p], 13) << "seat " << p;
      total += commits_[p];
    }
    EXPECT_EQ(total, 13 * game_.playerCount);
    checkCards();
    std::string expected;
    for (std::int16_t i = 1; i <= game_.playerCount; ++i) {
      bool strictlyAhead = true;
      for (std::int16_t k = 1; k <= 4; ++k) {
        if (k != i &&
            textToNumber(game_.txtTotal[i].Text) <= textToNumber(game_.txtTotal[k].Text)) {
          strictlyAhead = false;
        }
      }
      if (strictlyAhead) {
        expected = "Congratulations " + game_.playerNames[i] + "\rYou are the Winner with " +
                   game_.txtTotal[i].Text + " Points";
      }
    }
    if (expected.empty()) {
      EXPECT_TRUE(host_.winnerMessages.empty());
    } else {
      ASSERT_EQ(host_.winnerMessages.size(), 1u);
      EXPECT_EQ(host_.winnerMessages[0], expected);
    }
    host_.winnerMessages.clear();
    committed_.clear();  // the reset that follows opens every box again
  }

  struct PendingCommit {
    std::int16_t seat = 0;
    toolkit::CheckBox* box = nullptr;
    std::string caption;
  };

  std::mt19937 rng_{2026};
  SoakHost host_;
  frmQuintoz game_;
  std::map<const toolkit::CheckBox*, std::string> committed_;
  std::array<int, 5> commits_{};
  PendingCommit pendingCommit_;
  int gamesFinished_ = 0;
};

}  // namespace

TEST(Soak, TwoThousandWholeGamesKeepTheCardsConsistent) {
  Soak soak;
  soak.play(2000);
}
