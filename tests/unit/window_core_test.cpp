// The window core through a platform window that only records what it is asked, over the real
// game: what every front end relies on for pointer positions, tool tips, pictures and repaints.
#include "hosts/core/window_core.h"

#include <string>
#include <utility>
#include <vector>

#include "tests/unit/game_fixture.h"

namespace {

class RecordingWindow : public windowcore::PlatformWindow {
 public:
  void invalidate() override { ++invalidated; }
  void showToolTip(const std::string& text, const toolkit::PixelRect& area) override {
    tips.emplace_back(text, area);
  }
  void forgetPictures() override {
    ++forgotten;
    // The platform must drop its copies while the old pictures still exist.
    iconStillAlive = lastIcon != nullptr && lastIcon->width > 0;
  }
  void markPainted(std::uint64_t fingerprint) override { painted.push_back(fingerprint); }

  int invalidated = 0;
  int forgotten = 0;
  bool iconStillAlive = false;
  const toolkit::Image* lastIcon = nullptr;
  std::vector<std::pair<std::string, toolkit::PixelRect>> tips;
  std::vector<std::uint64_t> painted;
};

// Counts the device pixels a paint covers, to tell the scales apart.
class AreaCanvas : public toolkit::Canvas {
 public:
  void pushClip(const toolkit::PixelRect&) override {}
  void popClip() override {}
  void fillRect(const toolkit::PixelRect& r, toolkit::Rgb) override {
    right = std::max(right, r.x + r.w);
    bottom = std::max(bottom, r.y + r.h);
  }
  void drawText(const toolkit::PixelRect&, std::string_view, const toolkit::Font&, toolkit::Rgb,
                toolkit::HAlign) override {}
  int textWidth(std::string_view utf8, const toolkit::Font&) override {
    return static_cast<int>(utf8.size());
  }
  void drawImage(int, int, const toolkit::Image&) override {}
  void drawFocusRect(const toolkit::PixelRect&) override {}
  int right = 0;
  int bottom = 0;
};

class WindowCoreTest : public GameTest {
 protected:
  RecordingWindow window;

  // The centre of a control in device pixels at `scale`.
  static std::pair<int, int> centre(const toolkit::Control& c, double scale) {
    const toolkit::PixelRect r = toolkit::scaledRect(c.visiblePixelRect(), scale);
    return {r.x + r.w / 2, r.y + r.h / 2};
  }
  static void click(windowcore::WindowCore& core, const toolkit::Control& c, double scale) {
    const auto [x, y] = centre(c, scale);
    core.pointerDown(x, y, toolkit::kLeftButton);
    core.pointerUp(x, y, toolkit::kLeftButton);
  }
};

TEST_F(WindowCoreTest, PaintsOnlyWhenTheFormLooksDifferent) {
  startWith({"Ann"});
  windowcore::WindowCore core(g.form, window, 1.0);
  AreaCanvas canvas;
  core.paint(canvas);
  // Moving over the surface and over controls changes nothing that is drawn.
  for (int x = 0; x < 600; x += 7) core.pointerMove(x, 100, 0);
  EXPECT_EQ(window.invalidated, 0);
  // A roll changes the dice and the button's caption: one request is enough.
  click(core, g.cmdRoll, 1.0);
  EXPECT_EQ(g.rollCount, 1);
  EXPECT_GE(window.invalidated, 1);
  core.paint(canvas);
  const int after = window.invalidated;
  core.pointerMove(3, 3, 0);
  core.refresh();
  EXPECT_EQ(window.invalidated, after);
  // Moving the keyboard focus moves the focus rectangle, which is a change.
  core.keyDown(toolkit::kKeyTab, 0);
  core.keyUp(toolkit::kKeyTab, 0);
  EXPECT_GT(window.invalidated, after);
}

TEST_F(WindowCoreTest, DevicePixelsReachTheControlUnderThemAtAnyScale) {
  startWith({"Ann"});
  for (double scale : {2.0, 3.0, 1.5}) {
    windowcore::WindowCore core(g.form, window, scale);
    const std::int16_t before = g.rollCount;
    click(core, g.cmdRoll, scale);
    EXPECT_EQ(g.rollCount, before + 1) << scale;
    // The last device pixel of the window is still the form's, and one past it is outside.
    const toolkit::PixelRect whole = core.deviceRect();
    EXPECT_EQ(core.layoutPixel(whole.w - 1), g.form.pixelRect().w - 1) << scale;
    EXPECT_EQ(core.layoutPixel(-1), -1) << scale;
  }
}

TEST_F(WindowCoreTest, ToolTipsFollowTheRestingPointerAndGoOnPressOrLeave) {
  startWith({"Ann"});
  windowcore::WindowCore core(g.form, window, 2.0);
  click(core, g.cmdRoll, 2.0);
  window.tips.clear();
  const toolkit::CheckBox& die = g.chkDie[3];
  const auto [x, y] = centre(die, 2.0);
  core.pointerMove(x, y, 0);
  core.pointerMove(x + 1, y + 1, 0);
  ASSERT_EQ(window.tips.size(), 1u) << "a second move over the same die shows nothing new";
  EXPECT_EQ(window.tips[0].first, die.ToolTipText);
  EXPECT_FALSE(die.ToolTipText.empty());
  const toolkit::PixelRect area = window.tips[0].second;
  const toolkit::PixelRect expected = toolkit::scaledRect(die.visiblePixelRect(), 2.0);
  EXPECT_EQ(std::tie(area.x, area.y, area.w, area.h),
            std::tie(expected.x, expected.y, expected.w, expected.h));
  // A move with a button held (a drag) leaves the tip as it is.
  core.pointerMove(5, 5, toolkit::kLeftButton);
  EXPECT_EQ(window.tips.size(), 1u);
  core.pointerDown(x, y, toolkit::kRightButton);
  ASSERT_EQ(window.tips.size(), 2u);
  EXPECT_TRUE(window.tips[1].first.empty());
  core.pointerUp(x, y, toolkit::kRightButton);
  // The release may have held the die and moved it to the held row: the tip is found there.
  const auto [heldX, heldY] = centre(die, 2.0);
  core.pointerMove(heldX, heldY, 0);
  core.pointerLeave();
  ASSERT_EQ(window.tips.size(), 4u);
  EXPECT_EQ(window.tips[2].first, die.ToolTipText);
  EXPECT_TRUE(window.tips[3].first.empty());
  core.pointerLeave();
  EXPECT_EQ(window.tips.size(), 4u) << "no tip is up, so there is nothing to take down";
}

TEST_F(WindowCoreTest, PicturesAreMadeForTheScaleAndForgottenWhenItChanges) {
  startWith({"Ann"});
  windowcore::WindowCore core(g.form, window, 1.0);
  const toolkit::Image* natural = core.icon();
  ASSERT_NE(natural, nullptr);
  EXPECT_EQ(natural, g.form.Icon.image.get()) << "at scale one the form's own icon is used";
  AreaCanvas one;
  core.paint(one);
  EXPECT_EQ(one.right, g.form.pixelRect().w);

  core.setScale(2.0);
  EXPECT_EQ(window.forgotten, 1);
  EXPECT_EQ(window.invalidated, 1);
  const toolkit::Image* doubled = core.icon();
  ASSERT_NE(doubled, nullptr);
  EXPECT_EQ(doubled->width, 2 * natural->width);
  AreaCanvas two;
  core.paint(two);
  EXPECT_EQ(two.right, core.deviceRect().w);
  EXPECT_EQ(two.bottom, core.deviceRect().h);

  window.lastIcon = doubled;
  core.setScale(3.0);
  EXPECT_EQ(window.forgotten, 2);
  EXPECT_TRUE(window.iconStillAlive);
  EXPECT_EQ(core.icon()->width, 3 * natural->width);
  // The same scale again, or one that is no scale at all, changes nothing.
  core.setScale(3.0);
  core.setScale(0.0);
  core.setScale(-2.0);
  EXPECT_EQ(window.forgotten, 2);
  EXPECT_EQ(core.scale(), 3.0);
}

TEST_F(WindowCoreTest, ACloseRequestRunsAsAnEventOfTheForm) {
  run({"answer 1", "answer Ann", "start", "reply no"});
  windowcore::WindowCore core(g.form, window, 1.0);
  core.runEvent([this] { g.cmdExit_Click(); });
  EXPECT_NE(echoed().find("Quit Now?"), std::string::npos);
}

}  // namespace
