#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "hosts/core/window_core.h"
#include "hosts/script/script_executor.h"
#include "hosts/web/input_lines.h"
#include "hosts/web/page_event.h"
#include "hosts/web/page_mirror.h"
#include "hosts/web/replay.h"
#include "hosts/web/web_canvas.h"
#include "hosts/web/web_host.h"
#include "ui/accessible_words.h"
#include "ui/frmQuintoz.h"

namespace webhost {

// The game's window in the page: the page's canvas, tool tip and scale under the window core.
// It also turns the page's input into the lines of the game's record (see GameRecord) and saves
// the record after every input, and replays a saved game through the script language's executor,
// as quintoz-script runs its lines. Owned by main; it holds nothing of the game.
class GamePage : private windowcore::PlatformWindow, private script::ScriptSide {
 public:
  GamePage(frmQuintoz& game, WebHost& host);

  // Called by main: the first game's start-up, asked for real.
  void start();
  // Called by main with a saved game: replays it, hidden, or gives up through the host.
  void resume(const std::string& saved);
  // Called by main once the start-up has asked its questions, and by the host when a replay
  // ends at a dialog: shows the window at the page's scale and paints it, and gives the page
  // the window's icon. Does nothing once shown.
  void show();
  // Called after every input and before the game waits for the player: keeps the game in the
  // page's storage when it changed since it was last kept.
  void save();
  // Called after every event: paints when the form looks different from what the canvas shows.
  // Changes nothing of the game.
  void refresh();
  // Called by the host's waits, after the core has been asked whether the form changed: paints
  // the canvas and the accessibility mirror if it did and the window is shown.
  void paintNow();
  // Called by the host: the core the waits ask whether the form changed.
  windowcore::WindowCore& core() { return core_; }
  // Called by main for each event the page has queued, in order: runs whichever of the game's
  // handlers the event causes, then paints what changed.
  void dispatch(const PageEvent& event);

 private:
  void invalidate() override { dirty_ = true; }
  void showToolTip(const std::string& text, const toolkit::PixelRect& area) override;
  void forgetPictures() override;
  void markPainted(std::uint64_t fingerprint) override;
  void rescale();
  // Around each input the game acts on: written down as `line`, which leaves the focus on
  // `focusTo` when replayed (nullptr: where it was); the game is kept once it has acted.
  void beginInput(const std::string& line, const toolkit::Control* focusTo);
  void endInput();
  std::string focusPath() const;

  // The executor's side while a saved game replays: the answers and draws go to the host's
  // queues, each input is written down again as it runs, and a line the executor refuses gives
  // the save up.
  void queueAnswer(bool cancelled, const std::string& text) override {
    host_.queueAnswer(cancelled, text);
  }
  void queueReply(toolkit::MessageAnswer reply) override { host_.queueReply(reply); }
  void queueFace(std::int16_t face) override { host_.queueFace(face); }
  void queueRandom(double value) override { host_.queueRandom(value); }
  // A saved game holds neither seeds nor lines that print (parseReplay refuses them).
  void seed(std::uint64_t /*value*/) override {}
  void print(const std::string& /*text*/) override {}
  double clock() const override { return host_.clockSeconds(); }
  void act(const script::ScriptLine& line, const toolkit::Control* control,
           const std::function<void()>& input) override;
  void stop(script::Refusal kind, const std::string& why) override;

  frmQuintoz& game_;  // owned by main
  WebCanvas canvas_;  // owned here; the page keeps its drawing state
  windowcore::WindowCore core_;
  // The words the mirror tells assistive technology, in the game's language.
  toolkit::AccessibleWords words_ = accessibleWords(game_.language);
  // Owned here; mirrors the form for assistive technology.
  PageMirror mirror_{game_.form, core_, words_};
  bool dirty_ = true;  // set by the core, cleared by each paint
  WebHost& host_;      // owned by main
  bool shown_ = false;
  std::string saved_;  // the record as last kept
  // Where each control lies in a fresh window, by its place in the form's register.
  std::vector<std::pair<float, float>> freshPlaces_;
  InputLines lines_;  // owned here; what the page's input does, as lines
  script::ScriptExecutor executor_{game_, *this};  // runs the lines of a saved game
};

}  // namespace webhost
