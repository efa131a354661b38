#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "hosts/core/window_host.h"
#include "hosts/web/game_record.h"

namespace webhost {

class GamePage;

// The game's door to the browser page: dialogs as page elements that suspend the game until
// answered, the page's timers, Web Audio for the roll, and the drag of the game's
// window within the page. It writes down what the game asks and draws (the record the page
// saves), and while a saved game is replayed it answers and draws from the save instead, with
// no waits, sound, paints or dialogs. Owned by main, with the game and the page.
class WebHost : public windowcore::WindowHost {
 public:
  // Called by main once the page view exists (the game is built before it, with this host).
  void attach(GamePage& page);
  GameRecord& record() { return record_; }

  // Called by the page view around the replay of a saved game: the queue functions take the
  // save's answers and draws as the script language's executor queues them, replayingLine()
  // names the line being replayed, lastInput() says that the input about to be replayed is the
  // save's last (a dialog it asks with nothing queued was open when the page went away, and is
  // asked for real), and endReplay() checks that the save held nothing more.
  void beginReplay() { replaying_ = true; }
  void queueAnswer(bool cancelled, const std::string& text) {
    answers_.items.push_back({cancelled, text});
  }
  void queueReply(toolkit::MessageAnswer reply) { replies_.items.push_back(reply); }
  void queueFace(std::int16_t face) { faces_.items.push_back(face); }
  void queueRandom(double value) { draws_.items.push_back(value); }
  void replayingLine(int number) { replayLine_ = number; }
  void lastInput() { lastInput_ = true; }
  void endReplay();
  bool replaying() const { return replaying_; }
  // Called when a saved game cannot be replayed: the page throws this game away and starts a
  // new one, saying why and on which line. Never returns.
  [[noreturn]] void failReplay(const std::string& why);

  double clockSeconds() override;
  void sleepUpTo(double seconds) override;
  void randomize() override;
  double random(toolkit::RandomUse use) override;
  void playRollSound() override;
  void dragWindow() override;
  [[noreturn]] void endProgram() override;

 protected:
  std::string askInput(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  toolkit::MessageAnswer askMessage(const std::string& text, const std::string& title,
                                    toolkit::MessageButtons buttons,
                                    toolkit::MessageAnswer defaultAnswer) override;
  void paintNow() override;

 private:
  // Called when the replay asks a dialog: true when the save answers it, false when it is to
  // be asked for real (the replay then ends here).
  bool answeredBySave(bool queueEmpty, bool inputBox);

  GamePage* page_ = nullptr;  // owned by main; set by attach
  GameRecord record_;
  bool replaying_ = false;
  bool lastInput_ = false;
  int replayLine_ = 0;      // the save's line being replayed, 0 for none
  double replayClock_ = 0;  // the clock while replaying: waits pass at once
  // What the save answers and draws, taken in order (a vector and the next place, smaller in
  // the page's WebAssembly than a deque).
  template <typename T>
  struct Queue {
    std::vector<T> items;
    std::size_t next = 0;
    bool empty() const { return next >= items.size(); }
    T take() { return items[next++]; }
  };
  struct Answer {
    bool cancelled = false;
    std::string text;
  };
  Queue<Answer> answers_;
  Queue<toolkit::MessageAnswer> replies_;
  Queue<std::int16_t> faces_;
  Queue<double> draws_;
};

}  // namespace webhost
