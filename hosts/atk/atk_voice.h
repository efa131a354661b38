#pragma once

#include <functional>
#include <string>
#include <utility>

namespace fltkhost {

class Peer;

// What the window says aloud, through the one change every screen reader speaks wherever it
// happens: a new description of the object with the focus (or of the window, with no focus).
// The signal carries the text; the description reads empty again at once, so that whatever reads
// the object later (its focus, the window's activation) does not say it a second time.
//
// A screen reader may keep only the latest of several description signals of one object that
// reach it together (Orca 48 does), and speaks none that matches the last it heard from that
// object. So a speaker is never told it is empty right after it spoke: the empty description is
// signalled only before another object speaks, or before the focus moves or the window is
// activated (hush), when the reader has long spoken. A text that repeats the one its speaker
// carried last, with nothing between, carries a trailing space, so that it differs.
// Owned by the window's peers (atk_form.h).
class DescriptionVoice {
 public:
  // `tell` sends the description signal of a peer, which reads descriptionOf() during it.
  explicit DescriptionVoice(std::function<void(Peer&)> tell) : tell_(std::move(tell)) {}

  // Called by the window's peers for each announcement.
  void say(Peer& speaker, const std::string& text) {
    if (text.empty()) return;
    if (speaker_ != &speaker) hush();
    const std::string carried = speaker_ == &speaker && carried_ == text ? text + ' ' : text;
    speaker_ = &speaker;
    carried_ = carried;
    saying_ = &speaker;
    text_ = carried;
    tell_(speaker);
    saying_ = nullptr;
    text_.clear();
  }
  // Called before the focus moves and before the window is activated: the last speaker's empty
  // description is signalled, so that readers holding its words drop them.
  void hush() {
    if (Peer* speaker = std::exchange(speaker_, nullptr)) {
      carried_.clear();
      tell_(*speaker);
    }
  }
  // Called before a peer goes: it is no longer the speaker, and is told nothing.
  void forget(const Peer& peer) {
    if (speaker_ != &peer) return;
    speaker_ = nullptr;
    carried_.clear();
  }
  // Read by every peer's description: the text while its signal is sent, else empty.
  std::string descriptionOf(const Peer& peer) const { return &peer == saying_ ? text_ : ""; }

 private:
  std::function<void(Peer&)> tell_;
  Peer* speaker_ = nullptr;       // who last spoke and has not been hushed
  std::string carried_;           // what its signal carried
  const Peer* saying_ = nullptr;  // set while a signal is sent
  std::string text_;              // what that signal carries
};

}  // namespace fltkhost
