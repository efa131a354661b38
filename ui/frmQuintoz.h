#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "i18n/catalogue.h"
#include "toolkit/control_array.h"
#include "toolkit/form.h"
#include "toolkit/host.h"

// The game's one window. It owns every control, every variable of the game and every
// procedure; its member functions live in the folder of their subsystem (game/, flow/, ui/).
// Members are public so that the scripted driver can reach any of them by name, as the replay
// language promises; the game itself reaches the platform only through `host`.
class frmQuintoz {
 public:
  using CheckBoxes = toolkit::ControlArray<toolkit::CheckBox>;
  using Labels = toolkit::ControlArray<toolkit::Label>;
  using TextBoxes = toolkit::ControlArray<toolkit::TextBox>;

  // Builds the window and every control as laid out, its texts in `language` (English when
  // empty); runs nothing of the game. The host must outlive the window.
  explicit frmQuintoz(toolkit::Host& host, i18n::Catalogue language = {});
  frmQuintoz(const frmQuintoz&) = delete;
  frmQuintoz& operator=(const frmQuintoz&) = delete;

  // ---- Controls, front to back within each container (owned here, laid out by layout.cpp).
  toolkit::Form form{"frmQuintoz"};
  toolkit::CommandButton cmdNewGame{"cmdNewGame", -1};
  toolkit::CommandButton cmdRoll{"cmdRoll", -1};
  toolkit::Frame fraRoll{"fraRoll", -1};
  toolkit::CommandButton cmdExit{"cmdExit", -1};
  toolkit::ControlArray<toolkit::Frame> fraPlayer{"fraPlayer", 0, 4};
  toolkit::ControlArray<toolkit::ImageBox> imDie{"imDie", 1, 6};
  CheckBoxes chkDie{"chkDie", 1, 5};
  toolkit::ImageBox imgBG{"imgBG", -1};

  // The score card, one element per seat 0..4 (seat 0 exists but is never shown).
  CheckBoxes chk1s{"chk1s", 0, 4};
  CheckBoxes chk2s{"chk2s", 0, 4};
  CheckBoxes chk3s{"chk3s", 0, 4};
  CheckBoxes chk4s{"chk4s", 0, 4};
  CheckBoxes chk5s{"chk5s", 0, 4};
  CheckBoxes chk6s{"chk6s", 0, 4};
  CheckBoxes chkBonus{"chkBonus", 0, 4};
  CheckBoxes chk3Kind{"chk3Kind", 0, 4};
  CheckBoxes chk4Kind{"chk4Kind", 0, 4};
  CheckBoxes chkFullHouse{"chkFullHouse", 0, 4};
  CheckBoxes chkSmall{"chkSmall", 0, 4};
  CheckBoxes chkLarge{"chkLarge", 0, 4};
  CheckBoxes chkChance{"chkChance", 0, 4};
  CheckBoxes chkQuintoz{"chkQuintoz", 0, 4};
  TextBoxes txtSubTotal{"txtSubTotal", 0, 4};
  TextBoxes txtTotal{"txtTotal", 0, 4};
  Labels Label1{"Label1", 0, 4};
  Labels Label2{"Label2", 0, 4};
  Labels Label3{"Label3", 0, 4};
  Labels Label4{"Label4", 0, 4};
  Labels Label5{"Label5", 0, 4};
  Labels Label6{"Label6", 0, 4};
  Labels lblSubTotal{"lblSubTotal", 0, 4};
  Labels Label7{"Label7", 0, 4};
  Labels Label8{"Label8", 0, 4};
  Labels Label9{"Label9", 0, 4};
  Labels Label10{"Label10", 0, 4};
  Labels Label11{"Label11", 0, 4};
  Labels Label12{"Label12", 0, 4};
  Labels Label13{"Label13", 0, 4};
  Labels Label14{"Label14", 0, 4};
  Labels Label15{"Label15", 0, 4};
  toolkit::ControlArray<toolkit::Shape> Shape1{"Shape1", 0, 4};

  // ---- Game state (owned here; see each procedure for who writes what).
  // Rolls taken this turn: 0 before the first, 1..3 after each, 4 once no roll is allowed.
  std::int16_t rollCount = 0;
  // Face of die i (1..5) this turn, 0 when not rolled since the turn began. Element 0 unused.
  std::array<std::int16_t, 6> diceValues{};
  // Seat whose turn it is, 1..playerCount; 0 until the first start-up.
  std::int16_t currentPlayer = 0;
  // Number of players of the game, 1..4; 0 until the first start-up.
  std::int16_t playerCount = 0;
  // Names as typed at start-up, seats 1..4. Element 0 unused.
  std::array<std::string, 5> playerNames{};
  // Set when "Play Again?" is answered Yes: the new game starts only once the finished game's
  // commit and turn change have unwound, so none of their remaining steps can touch it.
  bool newGamePending = false;
  // The language of every text the game shows: the layout's, the prompts', the messages'.
  i18n::Catalogue language;

  // Called before the start-up only (by the scripted driver): writes the layout's texts again
  // in another language.
  void useLanguage(i18n::Catalogue other);
  // A text in the game's language; a text with a number in the form that number takes. The
  // catalogues break lines with a line feed, as translators write them; the game's texts with
  // a carriage return.
  std::string tr(const char* text) const { return withCarriageReturns(language.text(text)); }
  std::string trn(const char* singular, const char* plural, long n) const {
    return withCarriageReturns(language.plural(singular, plural, static_cast<unsigned long>(n)));
  }
  static std::string withCarriageReturns(std::string text);

  // ---- Start-up and flow (flow/).
  void Form_Load();
  void cmdRoll_Click();
  void roll();
  // The roll button's caption for the current player with this many rolls left.
  std::string rollCaption(std::int16_t rollsLeft) const;
  std::int16_t randomDie();
  void chkDie_MouseUp(std::int16_t index, std::int16_t button, std::int16_t shift, float x,
                      float y);
  void chkDie_KeyUp(std::int16_t index, std::int16_t keyCode, std::int16_t shift);
  void SwitchPlayer();
  void cmdNewGame_Click();
  void resetAll();
  // Runs after every outermost event: starts a new game that "Play Again?" asked for.
  void startPendingNewGame();

  // ---- Rules (game/).
  void dieCheck();
  void SumScore();
  void WiN();
  void chk1s_Click(std::int16_t index);
  void chk2s_Click(std::int16_t index);
  void chk3s_Click(std::int16_t index);
  void chk4s_Click(std::int16_t index);
  void chk5s_Click(std::int16_t index);
  void chk6s_Click(std::int16_t index);
  void chk3Kind_Click(std::int16_t index);
  void chk4Kind_Click(std::int16_t index);
  void chkFullHouse_Click(std::int16_t index);
  void chkSmall_Click(std::int16_t index);
  void chkLarge_Click(std::int16_t index);
  void chkChance_Click(std::int16_t index);
  void chkQuintoz_Click(std::int16_t index);
  void chkBonus_Click(std::int16_t index);

  // ---- Presentation (ui/).
  void rMove(std::int16_t index);
  void sound();
  void delay(double wait);
  void cmdExit_Click();
  void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);

  toolkit::Host& host;

 private:
  void commitCategory(CheckBoxes& boxes, std::int16_t index);
  // The layout's texts, in the game's language.
  void writeTexts();
  void bindEvents();
};
