#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "toolkit/form.h"
#include "toolkit/tab_order.h"

using namespace toolkit;

namespace {

// A small window: a frame holding a check box, a button beside it, and a shape over both.
struct SmallWindow {
  Form form{"win"};
  Frame frame{"frame", -1};
  CheckBox box{"box", 1};
  CommandButton button{"button", -1};
  Shape outline{"outline", -1};
  std::vector<std::string> events;

  SmallWindow() {
    form.Width = 3000;
    form.Height = 3000;
    frame.Left = 150;
    frame.Top = 150;
    frame.Width = 1500;
    frame.Height = 1500;
    box.Left = 150;
    box.Top = 150;
    box.Width = 300;
    box.Height = 300;
    box.TabIndex = 1;
    button.Left = 1800;
    button.Top = 150;
    button.Width = 600;
    button.Height = 300;
    button.TabIndex = 2;
    outline.Left = 0;
    outline.Top = 0;
    outline.Width = 3000;
    outline.Height = 3000;
    form.addChild(outline);
    form.addChild(frame);
    form.addChild(button);
    frame.addChild(box);
    for (Control* c : {static_cast<Control*>(&frame), static_cast<Control*>(&box),
                       static_cast<Control*>(&button), static_cast<Control*>(&outline)}) {
      form.registerControl(*c);
    }
    box.Click = [this] { events.push_back("click value=" + std::to_string(box.value())); };
    box.MouseUp = [this](std::int16_t b, std::int16_t, float, float) {
      events.push_back("mouseup button=" + std::to_string(b) +
                       " value=" + std::to_string(box.value()));
    };
    box.KeyUp = [this](std::int16_t k, std::int16_t) {
      events.push_back("keyup key=" + std::to_string(k) + " value=" + std::to_string(box.value()));
    };
    button.Click = [this] { events.push_back("button click"); };
    form.MouseMove = [this](std::int16_t b, std::int16_t, float, float) {
      events.push_back("form move " + std::to_string(b));
    };
  }
};

}  // namespace

TEST(CheckBoxValue, WritingADifferentValueRaisesClickInsideTheWrite) {
  SmallWindow w;
  w.box.setValue(1);
  w.box.setValue(1);
  w.box.setValue(0);
  EXPECT_EQ(w.events, (std::vector<std::string>{"click value=1", "click value=0"}));
}

TEST(CheckBoxValue, AHandlerThatWritesTheBoxAgainNestsAndStops) {
  SmallWindow w;
  int depth = 0;
  int runs = 0;
  w.box.Click = [&] {
    ++runs;
    ++depth;
    EXPECT_LE(depth, 2);
    w.box.setValue(0);  // undo, as the score boxes do before a roll
    --depth;
  };
  w.box.setValue(1);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(w.box.value(), 0);
}

TEST(MouseInput, LeftClickFlipsThenReleasesAndRightClickOnlyReleases) {
  SmallWindow w;
  // The box's centre in pixels: frame at 10,10, box at 10,10 inside it, 20 x 20.
  w.form.pointerDown(30, 30, kLeftButton);
  w.form.pointerUp(30, 30, kLeftButton);
  w.form.pointerDown(30, 30, kRightButton);
  w.form.pointerUp(30, 30, kRightButton);
  EXPECT_EQ(w.events, (std::vector<std::string>{"click value=1", "mouseup button=1 value=1",
                                                "mouseup button=2 value=1"}));
  EXPECT_EQ(w.form.focused(), &w.box);
}

TEST(MouseInput, ReleasingOutsideTheControlCancelsTheClick) {
  SmallWindow w;
  w.form.pointerDown(30, 30, kLeftButton);
  w.form.pointerUp(150, 150, kLeftButton);
  EXPECT_EQ(w.events, (std::vector<std::string>{"mouseup button=1 value=0"}));
  w.events.clear();
  w.form.pointerDown(140, 20, kLeftButton);
  w.form.pointerUp(140, 20, kLeftButton);
  EXPECT_EQ(w.events, (std::vector<std::string>{"button click"}));
}

TEST(MouseInput, HitTestingFindsTheFrontMostShownControlAndShapesLetClicksThrough) {
  SmallWindow w;
  EXPECT_EQ(w.form.hitTest(30, 30), &w.box);
  EXPECT_EQ(w.form.hitTest(80, 80), &w.frame);
  EXPECT_EQ(w.form.hitTest(190, 190), &w.form);  // only the outline is there
  w.box.Visible = false;
  EXPECT_EQ(w.form.hitTest(30, 30), &w.frame);
  w.frame.Visible = false;
  EXPECT_EQ(w.form.hitTest(30, 30), &w.form);
}

TEST(MouseInput, OnlyMovesWithAButtonPressedOnTheSurfaceReachTheForm) {
  SmallWindow w;
  w.form.pointerMove(190, 190, 0);
  w.form.pointerDown(190, 190, kLeftButton);
  w.form.pointerMove(195, 195, kLeftButton);
  w.form.pointerUp(195, 195, kLeftButton);
  w.form.pointerDown(30, 30, kLeftButton);
  w.form.pointerMove(190, 190, kLeftButton);  // pressed on the box: not the surface's move
  w.form.pointerUp(30, 30, kLeftButton);
  EXPECT_EQ(w.events, (std::vector<std::string>{"form move 0", "form move 1", "click value=1",
                                                "mouseup button=1 value=1"}));
}

TEST(KeyInput, KeyUpSeesTheStateBeforeSpaceFlipsIt) {
  SmallWindow w;
  w.form.setFocus(&w.box);
  w.form.keyDown(kKeySpace, 0);
  w.form.keyUp(kKeySpace, 0);
  w.form.keyDown('A', 0);
  w.form.keyUp('A', 0);
  EXPECT_EQ(w.events, (std::vector<std::string>{"keyup key=32 value=0", "click value=1",
                                                "keyup key=65 value=1"}));
}

TEST(KeyInput, SpaceReleasedOnAControlItWasNotPressedOnDoesNotAct) {
  SmallWindow w;
  w.form.setFocus(&w.button);
  w.form.keyDown(kKeySpace, 0);
  w.form.setFocus(&w.box);
  w.form.keyUp(kKeySpace, 0);
  EXPECT_EQ(w.events, (std::vector<std::string>{"keyup key=32 value=0"}));
}

// Controls of the same TabIndex keep the order they came in, as the focus and the accessibility
// tree walk them.
TEST(Focus, EqualTabIndexesKeepTheirOrder) {
  std::vector<std::pair<int, char>> items{{2, 'a'}, {1, 'b'}, {2, 'c'},
                                          {0, 'd'}, {1, 'e'}, {2, 'f'}};
  sortByTabIndex(items, [](const std::pair<int, char>& item) { return item.first; });
  std::string order;
  for (const auto& item : items) order += item.second;
  EXPECT_EQ(order, "dbeacf");
}

TEST(Focus, TabFollowsTheKeyboardOrderAndSkipsWhatCannotBeReached) {
  SmallWindow w;
  w.form.keyDown(kKeyTab, 0);
  EXPECT_EQ(w.form.focused(), &w.box);
  w.form.keyDown(kKeyTab, 0);
  EXPECT_EQ(w.form.focused(), &w.button);
  w.form.keyDown(kKeyTab, 0);
  EXPECT_EQ(w.form.focused(), &w.box);
  w.form.keyDown(kKeyTab, 1);
  EXPECT_EQ(w.form.focused(), &w.button);
  w.frame.Visible = false;
  w.form.keyDown(kKeyTab, 0);
  EXPECT_EQ(w.form.focused(), &w.button);
  // A frame hidden behind a sibling that covers it keeps its controls out of reach.
  w.frame.Visible = true;
  Frame cover{"cover", -1};
  cover.Left = 0;
  cover.Top = 0;
  cover.Width = 1800;
  cover.Height = 1800;
  w.form.addChild(cover);
  cover.bringToFront();
  EXPECT_FALSE(w.form.reachable(w.box));
  w.frame.bringToFront();
  EXPECT_TRUE(w.form.reachable(w.box));
}

// A key acts where the player sees the focus: once an event leaves the focused control out of
// reach, the focus goes to the nearest reachable control before it in keyboard order, or after
// it when there is none before; inside a handler it stays, and none is left when none is
// reachable.
TEST(Focus, AFocusLeftOutOfReachMovesToTheNearestControlBeforeIt) {
  SmallWindow w;
  w.form.setFocus(&w.button);
  w.form.runEvent([&] {
    w.button.Visible = false;
    EXPECT_EQ(w.form.focused(), &w.button) << "moved only once the event is over";
  });
  EXPECT_EQ(w.form.focused(), &w.box);
  w.button.Visible = true;
  w.form.runEvent([&] { w.frame.Visible = false; });
  EXPECT_EQ(w.form.focused(), &w.button) << "nothing before the box: the next one";
  w.form.runEvent([&] { w.button.Visible = false; });
  EXPECT_EQ(w.form.focused(), nullptr);
}

TEST(Stacking, BringToFrontReordersSiblingsOnly) {
  SmallWindow w;
  EXPECT_EQ(w.frame.zOrder(), 1);
  w.button.bringToFront();
  EXPECT_EQ(w.button.zOrder(), 0);
  EXPECT_EQ(w.outline.zOrder(), 1);
  EXPECT_EQ(w.frame.zOrder(), 2);
  EXPECT_EQ(w.box.zOrder(), 0);
}

TEST(Events, WorkDeferredToTheEndRunsOnceAfterTheOutermostHandler) {
  SmallWindow w;
  std::vector<std::string> log;
  w.form.AfterEvent = [&] { log.push_back("after"); };
  w.form.runEvent([&] {
    log.push_back("outer");
    w.form.runEvent([&] { log.push_back("inner"); });
    log.push_back("outer again");
  });
  EXPECT_EQ(log, (std::vector<std::string>{"outer", "inner", "outer again", "after"}));
}

TEST(Geometry, TwipsBecomePixelsWithBothEdgesRounded) {
  SmallWindow w;
  w.box.Left = 7.5f;  // half a pixel
  w.box.Width = 15;
  const PixelRect r = w.box.pixelRect();
  EXPECT_EQ(r.x, 11);
  EXPECT_EQ(r.w, 1);
  EXPECT_EQ(w.form.find("box(1)"), &w.box);
  EXPECT_EQ(w.form.find("win"), &w.form);
  EXPECT_EQ(w.form.find("box"), nullptr);
}
