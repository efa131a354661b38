// The screen-reader bridge's parts that need neither a display nor a bus: GLib served from
// FLTK's wait, the queue of clicks, and the ATK objects as a client reads them.
#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "hosts/atk/atk_actions.h"
#include "hosts/atk/atk_peer.h"
#include "hosts/atk/atk_voice.h"
#include "hosts/atk/glib_loop.h"

using fltkhost::Peer;
using fltkhost::RetiredObjects;
using fltkhost::ScreenBox;

namespace {

// Turns FLTK's loop until `done` holds; a generous deadline only ends a broken run.
template <typename Done>
bool turnUntil(Done done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Fl::wait(0.05);
  }
  return true;
}

gboolean setFlag(gpointer flag) {
  *static_cast<bool*>(flag) = true;
  return G_SOURCE_REMOVE;
}

}  // namespace

// GLib's timeouts, idles and work handed over from another thread all run from FLTK's wait;
// with nothing left to do, the loop sets no timer of its own.
TEST(GlibLoop, ServesGlibFromFltksWaitAndPollsOnNoTimer) {
  fltkhost::GlibLoop loop;
  bool timedOut = false, idled = false, handedOver = false;
  g_timeout_add(30, setFlag, &timedOut);
  g_idle_add(setFlag, &idled);
  loop.wake();
  std::thread other([&handedOver] { g_idle_add(setFlag, &handedOver); });
  other.join();
  EXPECT_TRUE(turnUntil([&] { return timedOut && idled && handedOver; }));
  EXPECT_FALSE(loop.timed());
  g_timeout_add_seconds(100, setFlag, &timedOut);
  loop.wake();
  EXPECT_TRUE(turnUntil([&] { return loop.timed(); }));
}

// Clicks run later, one a turn, in order; a dialog that closes takes its own back; a click may
// queue another (a dialog opened from it), which then runs too.
TEST(ActionQueue, RunsClicksLaterInOrderAndForgetsCancelledOnes) {
  fltkhost::ActionQueue queue;
  std::vector<std::string> ran;
  const int window = 0, dialog = 0;
  queue.push(&window, [&] {
    ran.push_back("roll");
    queue.push(&window, [&] { ran.push_back("from roll"); });
  });
  queue.push(&dialog, [&] { ran.push_back("ok"); });
  queue.push(&window, [&] { ran.push_back("commit"); });
  EXPECT_TRUE(ran.empty());
  queue.cancel(&dialog);
  EXPECT_TRUE(turnUntil([&] { return ran.size() == 3; }));
  EXPECT_EQ(ran, (std::vector<std::string>{"roll", "commit", "from roll"}));
}

namespace {

// A peer with settable parts, for reading it as a client would.
class FakePeer : public Peer {
 public:
  FakePeer(unsigned interfaces, AtkRole role, std::string name, Peer* parent = nullptr)
      : interfaces_(interfaces), role_(role), name_(std::move(name)), parent_(parent) {}
  unsigned interfaces() const override { return interfaces_; }
  AtkRole role() const override { return role_; }
  std::string name() const override { return name_; }
  Peer* parent() const override { return parent_; }
  std::vector<Peer*> children() const override { return children_; }
  ScreenBox extents() const override { return box_; }
  void addStates(AtkStateSet* states) const override {
    if (checked_) atk_state_set_add_state(states, ATK_STATE_CHECKED);
  }
  std::string actionName() const override { return "click"; }
  bool doAction() override { return ++clicks_ > 0; }
  std::pair<int, int> selection() const override { return selection_; }
  void replaceText(int start, int end, const std::string& text) override {
    edits_.push_back(std::to_string(start) + "-" + std::to_string(end) + ":" + text);
  }

  unsigned interfaces_;
  AtkRole role_;
  std::string name_;
  Peer* parent_;
  std::vector<Peer*> children_;
  ScreenBox box_;
  bool checked_ = false;
  std::pair<int, int> selection_{0, 0};
  int clicks_ = 0;
  std::vector<std::string> edits_;
};

std::string owned(gchar* text) {
  std::string s = text != nullptr ? text : "";
  g_free(text);
  return s;
}

void onTextChange(AtkText*, gint start, gint length, gchar* text, gpointer told) {
  static_cast<std::vector<std::string>*>(told)->push_back(std::to_string(start) + "+" +
                                                          std::to_string(length) + ":" + text);
}

void onStateChange(AtkObject*, gchar* state, gboolean on, gpointer told) {
  static_cast<std::vector<std::string>*>(told)->push_back(std::string(state) + (on ? "+" : "-"));
}

}  // namespace

// The objects answer as their peers tell: role, name, family, extents relative to the window,
// states, actions, text by characters and by lines; and they go defunct with their peer.
TEST(AtkPeer, AnObjectAnswersForItsPeerAndGoesDefunctWithIt) {
  FakePeer application(0, ATK_ROLE_APPLICATION, "Quintoz");
  FakePeer window(Peer::kWindow, ATK_ROLE_FRAME, "Quintoz", &application);
  application.children_ = {&window};
  window.box_ = {100, 50, 650, 340};
  auto box =
      std::make_unique<FakePeer>(Peer::kAction, ATK_ROLE_CHECK_BOX, "Full House, 25", &window);
  box->box_ = {450, 150, 29, 25};
  box->checked_ = true;
  FakePeer text(Peer::kText, ATK_ROLE_LABEL, "Zoë wins\nPlay Again?", &window);
  window.children_ = {box.get(), &text};

  AtkObject* boxObject = box->object();
  EXPECT_EQ(atk_object_get_role(boxObject), ATK_ROLE_CHECK_BOX);
  EXPECT_STREQ(atk_object_get_name(boxObject), "Full House, 25");
  EXPECT_EQ(atk_object_get_parent(boxObject), window.object());
  EXPECT_EQ(atk_object_get_index_in_parent(text.object()), 1);
  EXPECT_EQ(atk_object_get_n_accessible_children(window.object()), 2);
  EXPECT_EQ(atk_object_get_parent(window.object()), application.object());
  EXPECT_EQ(atk_object_get_index_in_parent(window.object()), 0);
  gint x, y, w, h;
  atk_component_get_extents(ATK_COMPONENT(boxObject), &x, &y, &w, &h, ATK_XY_WINDOW);
  EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{350, 100, 29, 25}));
  AtkStateSet* states = atk_object_ref_state_set(boxObject);
  EXPECT_TRUE(atk_state_set_contains_state(states, ATK_STATE_CHECKED));
  EXPECT_TRUE(atk_state_set_contains_state(states, ATK_STATE_SHOWING));
  g_object_unref(states);
  EXPECT_STREQ(atk_action_get_name(ATK_ACTION(boxObject), 0), "click");
  EXPECT_TRUE(atk_action_do_action(ATK_ACTION(boxObject), 0));
  EXPECT_EQ(box->clicks_, 1);
  EXPECT_FALSE(ATK_IS_TEXT(boxObject));

  AtkText* t = ATK_TEXT(text.object());
  EXPECT_EQ(atk_text_get_character_count(t), 20);
  EXPECT_EQ(owned(atk_text_get_text(t, 2, 4)), "ë ");
  EXPECT_EQ(atk_text_get_character_at_offset(t, 2), 0xEBu);
  gint start = 0, end = 0;
  EXPECT_EQ(owned(atk_text_get_string_at_offset(t, 12, ATK_TEXT_GRANULARITY_LINE, &start, &end)),
            "Play Again?");
  EXPECT_EQ((std::vector<int>{start, end}), (std::vector<int>{9, 20}));
  EXPECT_EQ(owned(atk_text_get_string_at_offset(t, 3, ATK_TEXT_GRANULARITY_LINE, &start, &end)),
            "Zoë wins\n");
  // The whole text is one run (a screen reader reads nothing of a run that ends where it
  // starts), and the selection is told in characters.
  AtkAttributeSet* run = atk_text_get_run_attributes(t, 4, &start, &end);
  EXPECT_EQ((std::vector<int>{start, end}), (std::vector<int>{0, 20}));
  atk_attribute_set_free(run);
  EXPECT_EQ(atk_text_get_n_selections(t), 0);
  text.selection_ = {2, 5};
  EXPECT_EQ(atk_text_get_n_selections(t), 1);
  EXPECT_EQ(owned(atk_text_get_selection(t, 0, &start, &end)), "ë w");

  // A client that still holds the object finds it defunct, with nothing more to tell. A
  // retired one answers the same, but is told nothing (atk-bridge would forget it) and lives as
  // long as what keeps it.
  std::vector<std::string> told;
  g_signal_connect(text.object(), "state-change", G_CALLBACK(onStateChange), &told);
  AtkObject* retiredObject = text.object();
  g_object_add_weak_pointer(G_OBJECT(retiredObject), reinterpret_cast<gpointer*>(&retiredObject));
  auto retired = std::make_unique<RetiredObjects>();
  retired->keep(text);
  g_object_ref(boxObject);
  window.children_ = {};
  box.reset();
  EXPECT_EQ(told, std::vector<std::string>{});
  for (AtkObject* gone : {boxObject, retiredObject}) {
    states = atk_object_ref_state_set(gone);
    EXPECT_TRUE(atk_state_set_contains_state(states, ATK_STATE_DEFUNCT));
    g_object_unref(states);
    EXPECT_EQ(atk_object_get_name(gone), nullptr);
  }
  EXPECT_FALSE(atk_action_do_action(ATK_ACTION(boxObject), 0));
  g_object_unref(boxObject);
  retired.reset();
  EXPECT_EQ(retiredObject, nullptr);
}

// An entry edits through its peer in characters, and tells only the changed middle of its text,
// so that a screen reader echoes what was typed or deleted.
TEST(AtkPeer, AnEntryEditsByCharactersAndTellsWhatChanged) {
  FakePeer entry(Peer::kText | Peer::kEditable | Peer::kAction, ATK_ROLE_ENTRY, "Zoë");
  AtkObject* object = entry.object();
  ASSERT_TRUE(ATK_IS_EDITABLE_TEXT(object));
  gint at = 3;
  atk_editable_text_insert_text(ATK_EDITABLE_TEXT(object), "é!", -1, &at);
  EXPECT_EQ(at, 5);
  atk_editable_text_delete_text(ATK_EDITABLE_TEXT(object), 1, 2);
  EXPECT_EQ(entry.edits_, (std::vector<std::string>{"3-3:é!", "1-2:"}));

  std::vector<std::string> inserted, removed;
  g_signal_connect(object, "text-insert", G_CALLBACK(onTextChange), &inserted);
  g_signal_connect(object, "text-remove", G_CALLBACK(onTextChange), &removed);
  entry.notifyTextChanged("Zoë", "Zoë Ann");
  entry.notifyTextChanged("Zoë Ann", "Zoe Ann");
  entry.notifyTextChanged("Zoe Ann", "Zoe Ann");
  EXPECT_EQ(inserted, (std::vector<std::string>{"3+4: Ann", "2+1:e"}));
  EXPECT_EQ(removed, (std::vector<std::string>{"2+1:ë"}));
}

namespace {

// A peer whose description is the voice's, as the window's and the dialogs' peers have it.
class VoicedPeer : public FakePeer {
 public:
  VoicedPeer(const fltkhost::DescriptionVoice& voice, std::string name)
      : FakePeer(Peer::kAction, ATK_ROLE_PUSH_BUTTON, std::move(name)), voice_(voice) {}
  std::string description() const override { return voice_.descriptionOf(*this); }

 private:
  const fltkhost::DescriptionVoice& voice_;
};

// Records each description signal as a client reads it: the object's name, then the
// description the object gives while the signal is sent.
void onDescription(GObject* object, GParamSpec*, gpointer heard) {
  const gchar* description = atk_object_get_description(ATK_OBJECT(object));
  static_cast<std::vector<std::string>*>(heard)->push_back(
      std::string(atk_object_get_name(ATK_OBJECT(object))) + ": " +
      (description != nullptr ? description : "(none)"));
}

}  // namespace

// Each announcement is one signal whose description reads empty again at once. A speaker is
// told it is empty only before another speaks or on a hush, never right after it spoke (a
// reader may keep only the last of two signals waiting together); a repeat of its last words
// differs by a trailing space, as a reader speaks no description that matches the last one.
TEST(DescriptionVoice, SaysEachTextOnceAndTakesItBackOnlyBeforeOthers) {
  fltkhost::DescriptionVoice voice([](Peer& speaker) { speaker.notifyDescription(); });
  VoicedPeer roll(voice, "Ann roll! 2 rolls left");
  VoicedPeer chance(voice, "Chance, 20");
  std::vector<std::string> heard;
  for (Peer* peer : {static_cast<Peer*>(&roll), static_cast<Peer*>(&chance)}) {
    g_signal_connect(peer->object(), "notify::accessible-description", G_CALLBACK(onDescription),
                     &heard);
  }

  voice.say(roll, "Rolled 1, 3, 5, 5, 6");
  EXPECT_STREQ(atk_object_get_description(roll.object()), "");
  voice.say(roll, "Rolled 1, 3, 5, 5, 6");
  voice.say(roll, "Rolled 1, 3, 5, 5, 6");
  voice.say(roll, "Rolled 2, 3, 5, 5, 6");
  voice.say(roll, "");
  voice.say(chance, "Chance scored 20, total 20");
  voice.hush();
  voice.hush();
  voice.say(chance, "Chance scored 20, total 20");
  voice.forget(chance);
  voice.hush();
  EXPECT_STREQ(atk_object_get_description(chance.object()), "");
  EXPECT_EQ(heard, (std::vector<std::string>{
                       "Ann roll! 2 rolls left: Rolled 1, 3, 5, 5, 6",
                       "Ann roll! 2 rolls left: Rolled 1, 3, 5, 5, 6 ",
                       "Ann roll! 2 rolls left: Rolled 1, 3, 5, 5, 6",
                       "Ann roll! 2 rolls left: Rolled 2, 3, 5, 5, 6",
                       "Ann roll! 2 rolls left: ",
                       "Chance, 20: Chance scored 20, total 20",
                       "Chance, 20: ",
                       "Chance, 20: Chance scored 20, total 20",
                   }));
}
