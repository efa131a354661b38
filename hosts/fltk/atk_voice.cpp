#include "hosts/fltk/atk_voice.h"

namespace fltkhost {

void DescriptionVoice::say(Peer& speaker, const std::string& text) {
  if (text.empty()) return;
  if (speaker_ != &speaker) hush();
  std::string carried = text;
  if (speaker_ == &speaker && carried_ == text) carried += ' ';
  speaker_ = &speaker;
  carried_ = carried;
  saying_ = &speaker;
  text_ = carried;
  tell_(speaker);
  saying_ = nullptr;
  text_.clear();
}

void DescriptionVoice::hush() {
  Peer* speaker = speaker_;
  if (speaker == nullptr) return;
  speaker_ = nullptr;
  carried_.clear();
  tell_(*speaker);
}

void DescriptionVoice::forget(const Peer& peer) {
  if (speaker_ != &peer) return;
  speaker_ = nullptr;
  carried_.clear();
}

}  // namespace fltkhost
