#include "hosts/atk/atk_actions.h"

#include <FL/Fl.H>

namespace fltkhost {

ActionQueue::~ActionQueue() {
  Fl::remove_timeout(runNext, this);
}

void ActionQueue::push(const void* owner, std::function<void()> action) {
  pending_.push_back({owner, std::move(action)});
  Fl::remove_timeout(runNext, this);
  Fl::add_timeout(0, runNext, this);
}

void ActionQueue::cancel(const void* owner) {
  std::erase_if(pending_, [owner](const Pending& p) { return p.owner == owner; });
}

void ActionQueue::runNext(void* self) {
  auto& queue = *static_cast<ActionQueue*>(self);
  if (queue.pending_.empty()) return;
  const std::function<void()> action = std::move(queue.pending_.front().action);
  queue.pending_.pop_front();
  // The next one is due on the next turn, also when this one opens a dialog and its modal loop
  // turns instead.
  if (!queue.pending_.empty()) Fl::add_timeout(0, runNext, self);
  action();
}

}  // namespace fltkhost
