// The window core through a platform window that only records what it is asked, over the real
// game: what every front end relies on for pointer positions, tool tips, pictures, repaints and
// what the window shows while the game waits.
#include "hosts/core/window_core.h"

#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "hosts/core/window_host.h"
#include "tests/unit/game_fixture.h"

namespace {

class RecordingWindow : public windowcore::PlatformWindow {
 public:
  void invalidate() override {
    ++invalidated;
    pending = true;
  }
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
  bool pending = false;  // asked to paint and not painted since
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
  // Each paint marks the window with what it painted.
  ASSERT_EQ(window.painted.size(), 2u);
  EXPECT_NE(window.painted[0], window.painted[1]);
  EXPECT_EQ(window.painted[1], windowcore::formFingerprint(g.form));
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

// Each board shape keeps the window's parts apart, in the window and on the board, and a tap
// where the board shows a control (its tap area, for the small corner buttons) reaches it.
TEST_F(WindowCoreTest, EveryBoardShapeReachesEachControlWhereItShowsIt) {
  startWith({"Ann"});
  windowcore::WindowCore rolled(g.form, window, 1.0);
  click(rolled, g.cmdRoll, 1.0);
  for (int shape = 0; shape < windowcore::kBoardShapes; ++shape) {
    const windowcore::BoardArrangement& board = windowcore::boardArrangement(shape);
    for (const auto& a : board.regions) {
      for (const auto& b : board.regions) {
        if (&a == &b) continue;
        const toolkit::PixelRect there{a.x, a.y, a.from.w, a.from.h};
        EXPECT_TRUE(a.from.intersect(b.from).empty()) << board.name;
        EXPECT_TRUE(there.intersect({b.x, b.y, b.from.w, b.from.h}).empty()) << board.name;
      }
    }
    for (double scale : {1.0, 1.0286, 2.0}) {
      windowcore::WindowCore core(g.form, window, scale);
      core.arrange(shape);
      for (const toolkit::Control* c : g.form.controls()) {
        const bool target = c->kind() == toolkit::ControlKind::CheckBox ||
                            c->kind() == toolkit::ControlKind::CommandButton;
        if (!target || !g.form.reachable(*c)) continue;
        const toolkit::PixelRect at = core.boardPlace(*c, c->visiblePixelRect());
        EXPECT_TRUE(at.intersect({0, 0, board.width, board.height}).w == at.w) << c->path();
        const toolkit::PixelRect device = toolkit::scaledRect(at, scale);
        const auto [x, y] = core.formPoint(device.x + device.w / 2, device.y + device.h / 2);
        EXPECT_EQ(g.form.hitTest(x, y), c) << board.name << " " << scale << " " << c->path();
      }
    }
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
  // A finger held on the die asks for its tip, and lifting it neither holds nor moves it.
  const auto [left, top, held] = std::tuple(die.Left, die.Top, die.value());
  core.pointerDown(heldX, heldY, toolkit::kLeftButton);
  core.longPress(heldX, heldY);
  core.pointerUp(heldX, heldY, toolkit::kLeftButton);
  EXPECT_EQ(window.tips.back().first, die.ToolTipText);
  EXPECT_EQ(std::tuple(die.Left, die.Top, die.value()), std::tuple(left, top, held));
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

TEST_F(WindowCoreTest, AFingerprintNamesPicturesWhereverTheProcessKeepsThem) {
  startWith({"Ann"});
  run({"faces 3 3 3 5 5", "click cmdRoll"});
  toolkit::CheckBox& die = g.chkDie[1];
  const std::uint64_t before = windowcore::formFingerprint(g.form);
  // The same picture at another address, as another process holds it: the same digest.
  const toolkit::PictureRef original = die.Picture;
  die.Picture = {original.name, std::make_shared<const toolkit::Image>(*original.image)};
  EXPECT_EQ(windowcore::formFingerprint(g.form), before);
  // Another picture of the same size is another digest.
  die.Picture = g.imDie[5].Picture;
  EXPECT_NE(windowcore::formFingerprint(g.form), before);
  die.Picture = original;
  EXPECT_EQ(windowcore::formFingerprint(g.form), before);
}

// The windows mark and the driver prints sixteen hexadecimal digits, leading zeros kept.
TEST(FingerprintText, SixteenLowerCaseHexadecimalDigits) {
  EXPECT_EQ(windowcore::fingerprintText(0x0123456789abcdefULL), "0123456789abcdef");
  EXPECT_EQ(windowcore::fingerprintText(0xfedcba9876543210ULL), "fedcba9876543210");
  EXPECT_EQ(windowcore::fingerprintText(10), "000000000000000a");
}

// A front end with no display, made as every front end is, over the real game: its window paints
// on a canvas that draws nothing, its dialogs answer from queues and note what the window showed
// as each was asked, and its clock moves only when it sleeps.
class HeadlessHost : public windowcore::WindowHost {
 public:
  struct Asked {
    std::string text;
    std::optional<std::uint64_t> shown;  // the window's last paint, if it has painted
    std::uint64_t holds = 0;             // the form as the game asks
  };

  // Called once the game is built: the form each wait looks at.
  void watch(const toolkit::Form& form) { form_ = &form; }
  // Called as the window appears, after the start-up, as the front ends do.
  void show(windowcore::WindowCore& core, RecordingWindow& window) {
    core_ = &core;
    window_ = &window;
    paintIn(&core);
  }

  std::deque<std::string> answers;
  std::deque<toolkit::MessageAnswer> replies;
  std::vector<Asked> asked;
  // At each slice of the timed wait: whether the window showed the form as it stood.
  std::vector<bool> sleptShowingTheForm;

  double clockSeconds() override { return clock_; }
  void sleepUpTo(double seconds) override {
    sleptShowingTheForm.push_back(shown() == windowcore::formFingerprint(*form_));
    clock_ += seconds;
  }
  void randomize() override {}
  double random(toolkit::RandomUse /*use*/) override { return draws_.next(); }
  void playRollSound() override {}
  void dragWindow() override {}
  [[noreturn]] void endProgram() override { throw std::logic_error("the game ended"); }

 protected:
  std::string askInput(const std::string& prompt, const std::string& /*title*/,
                       const std::string& /*defaultText*/) override {
    return take(answers, prompt);
  }
  toolkit::MessageAnswer askMessage(const std::string& text, const std::string& /*title*/,
                                    toolkit::MessageButtons /*buttons*/,
                                    toolkit::MessageAnswer /*defaultAnswer*/) override {
    return take(replies, text);
  }
  void paintNow() override {
    if (window_ == nullptr || !window_->pending) return;
    window_->pending = false;
    AreaCanvas canvas;
    core_->paint(canvas);
  }

 private:
  std::optional<std::uint64_t> shown() const {
    if (window_ == nullptr || window_->painted.empty()) return std::nullopt;
    return window_->painted.back();
  }
  template <typename T>
  T take(std::deque<T>& queue, const std::string& text) {
    asked.push_back({text, shown(), windowcore::formFingerprint(*form_)});
    if (queue.empty()) throw std::logic_error("nothing queued for " + text);
    T answer = queue.front();
    queue.pop_front();
    return answer;
  }

  const toolkit::Form* form_ = nullptr;
  windowcore::WindowCore* core_ = nullptr;
  RecordingWindow* window_ = nullptr;
  double clock_ = 0;
  toolkit::UniformRandom draws_{7};
};

TEST(WindowHostTest, EveryWaitShowsTheFormAsTheGameWroteIt) {
  using toolkit::MessageAnswer;
  HeadlessHost host;
  frmQuintoz g(host);
  host.watch(g.form);
  host.answers = {"1", "Ann"};
  g.form.load();  // the start-up asks before the window exists
  RecordingWindow window;
  windowcore::WindowCore core(g.form, window, 1.0);
  host.show(core, window);
  AreaCanvas first;
  core.paint(first);  // as the window first shows
  const auto press = [&core](const toolkit::Control& c) {
    const toolkit::PixelRect r = c.visiblePixelRect();
    core.pointerDown(r.x + r.w / 2, r.y + r.h / 2, toolkit::kLeftButton);
    core.pointerUp(r.x + r.w / 2, r.y + r.h / 2, toolkit::kLeftButton);
  };
  // A new game, over a card cleared behind the prompts.
  host.replies = {MessageAnswer::Yes};
  host.answers = {"1", "Bo"};
  press(g.cmdNewGame);
  // A whole game to the winner's message and "Play Again?", and the game after it.
  host.replies = {MessageAnswer::Ok, MessageAnswer::Yes};
  host.answers = {"1", "Cy"};
  for (auto category : cardCategories()) {
    press(g.cmdRoll);
    press((g.*category)[1]);
  }
  host.replies = {MessageAnswer::No};
  press(g.cmdExit);

  std::vector<std::string> texts;
  for (const auto& a : host.asked) texts.push_back(a.text.substr(0, a.text.find('\r')));
  const std::vector<std::string> expected{
      "How many Players?",  "Player 1",    "Start New Game?",   "How many Players?", "Player 1",
      "Congratulations Bo", "Play Again?", "How many Players?", "Player 1",          "Quit Now?"};
  ASSERT_EQ(texts, expected);
  EXPECT_TRUE(host.answers.empty() && host.replies.empty());
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_FALSE(host.asked[i].shown) << "the start-up's prompts come before the window shows";
  }
  for (std::size_t i = 2; i < host.asked.size(); ++i) {
    EXPECT_EQ(host.asked[i].shown, host.asked[i].holds) << "at " << host.asked[i].text;
  }
  // The timed waits of the turn changes and the rolls show the caption written before them.
  EXPECT_GE(host.sleptShowingTheForm.size(), 26u);
  for (std::size_t i = 0; i < host.sleptShowingTheForm.size(); ++i) {
    EXPECT_TRUE(host.sleptShowingTheForm[i]) << "at the wait's slice " << i;
  }
}

}  // namespace
