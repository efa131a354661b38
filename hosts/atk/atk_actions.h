#pragma once

#include <deque>
#include <functional>

namespace fltkhost {

// Clicks asked for by assistive technologies, run one at a time from FLTK's loop. A client's
// call returns as soon as its click is queued: the click may open a modal dialog ("Quit Now?",
// the winner's message), and the call must not wait on it. Owned by the accessibility bridge.
class ActionQueue {
 public:
  ActionQueue() = default;
  ~ActionQueue();
  ActionQueue(const ActionQueue&) = delete;
  ActionQueue& operator=(const ActionQueue&) = delete;

  // Runs `action` on the loop's next turn, after those queued before it. `owner` names who may
  // take it back (a dialog that closes first).
  void push(const void* owner, std::function<void()> action);
  // Forgets the actions of `owner` that have not run.
  void cancel(const void* owner);

 private:
  static void runNext(void* self);
  struct Pending {
    const void* owner;
    std::function<void()> action;
  };
  std::deque<Pending> pending_;
};

}  // namespace fltkhost
