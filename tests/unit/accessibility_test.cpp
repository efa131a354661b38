#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "i18n/catalogues.h"
#include "tests/unit/game_fixture.h"
#include "toolkit/accessibility.h"
#include "ui/accessible_words.h"

using toolkit::AccessibleNode;
using toolkit::AccessibleRole;
using toolkit::AccessibleTree;

namespace {

std::vector<std::string> names(const AccessibleTree& tree) {
  std::vector<std::string> out;
  for (const AccessibleNode& node : tree.nodes) out.push_back(node.name);
  return out;
}

const AccessibleNode& nodeOf(const AccessibleTree& tree, const frmQuintoz& g,
                             const toolkit::Control& c) {
  const auto& all = g.form.controls();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i] != &c) continue;
    if (const AccessibleNode* node = tree.find(static_cast<int>(i) + 1)) return *node;
  }
  throw std::runtime_error(c.path() + " is not in the tree");
}

}  // namespace

class Accessibility : public GameTest {
 protected:
  AccessibleTree tree() { return toolkit::buildAccessibleTree(g.form, accessibleWords()); }
};

// After the prompts: the reachable controls in keyboard order, the front card's boxes named by
// the label on their row with their preview, the small buttons by their tool tips; the hidden
// dice, the cards behind and the labels that name boxes are left out.
TEST_F(Accessibility, TheTreeListsTheReachableControlsInKeyboardOrderWithTheirRowLabels) {
  startWith({"Ann"});
  const AccessibleTree t = tree();
  EXPECT_EQ(names(t), (std::vector<std::string>{"Click Die to Save or Roll",
                                                "Quit",
                                                "Ann roll! 3 rolls left",
                                                "Ann",
                                                "Total",
                                                "Sub-Total",
                                                "Threes, 0",
                                                "Fours, 0",
                                                "Fives, 0",
                                                "Sixes, 0",
                                                "Three of a Kind, 0",
                                                "Four of a Kind, 0",
                                                "Full House, 0",
                                                "Small Straight, 0",
                                                "Large Straight, 0",
                                                "Chance, 0",
                                                "Quintoz, 0",
                                                "Bonus, 0",
                                                "Twos, 0",
                                                "Ones, 0",
                                                "Start New Game"}));
  const AccessibleNode& roll = nodeOf(t, g, g.cmdRoll);
  EXPECT_EQ(roll.role, AccessibleRole::Button);
  EXPECT_EQ(roll.defaultAction, "Press");
  EXPECT_EQ(roll.parentId, 0);
  EXPECT_EQ(roll.bounds.x, 8);
  EXPECT_EQ(roll.bounds.y, 296);
  EXPECT_EQ(roll.bounds.w, 337);
  EXPECT_EQ(roll.bounds.h, 33);
  const AccessibleNode& house = nodeOf(t, g, g.chkFullHouse[1]);
  EXPECT_EQ(house.role, AccessibleRole::CheckBox);
  EXPECT_EQ(house.parentId, nodeOf(t, g, g.fraPlayer[1]).id);
  EXPECT_FALSE(house.checked);
  EXPECT_EQ(house.defaultAction, "Check");
  EXPECT_EQ(nodeOf(t, g, g.fraPlayer[1]).role, AccessibleRole::Group);
  EXPECT_EQ(nodeOf(t, g, g.txtTotal[1]).role, AccessibleRole::Text);
  EXPECT_EQ(t.focusedId, 0);
}

// A roll: the dice appear named by number and face, the announcements give the faces in order
// and the roll button's new caption; a held die says so and is checked and focused.
TEST_F(Accessibility, ARollNamesTheDiceByTheirFacesAndIsAnnounced) {
  startWith({"Ann"});
  toolkit::AccessibilityTracker tracker(g.form, accessibleWords());
  tracker.update();
  run({"faces 5 3 6 1 3", "click cmdRoll"});
  toolkit::AccessibleChanges changes = tracker.update();
  EXPECT_EQ(changes.announcements,
            (std::vector<std::string>{"Rolled 1, 3, 3, 5, 6", "Ann roll! 2 rolls left"}));
  EXPECT_TRUE(changes.structureChanged);
  EXPECT_EQ(nodeOf(tracker.tree(), g, g.chkDie[3]).name, "Die 3, 6");
  EXPECT_EQ(nodeOf(tracker.tree(), g, g.chkDie[1]).parentId,
            nodeOf(tracker.tree(), g, g.fraRoll).id);
  EXPECT_EQ(nodeOf(tracker.tree(), g, g.chkChance[1]).name, "Chance, 18");
  // The focus was on the roll button since the click.
  EXPECT_EQ(tracker.tree().focusedId, nodeOf(tracker.tree(), g, g.cmdRoll).id);

  run({"click chkDie(3)"});
  changes = tracker.update();
  const AccessibleNode& held = nodeOf(tracker.tree(), g, g.chkDie[3]);
  EXPECT_EQ(held.name, "Die 3, 6, held");
  EXPECT_TRUE(held.checked);
  EXPECT_TRUE(held.focused);
  EXPECT_EQ(held.defaultAction, "Uncheck");
  EXPECT_TRUE(changes.focusChanged);
  EXPECT_EQ(changes.renamed, std::vector<int>{held.id});
  EXPECT_TRUE(changes.announcements.empty()) << changes.announcements.front();

  // The held die keeps its face; the others roll again, and all five are told, the held one
  // marked as such.
  run({"faces 2 2 2 2", "click cmdRoll"});
  changes = tracker.update();
  EXPECT_EQ(changes.announcements,
            (std::vector<std::string>{"Rolled 2, 2, 2, 2, 6 held", "Ann roll! 1 roll left"}));
  // All five held: the roll changes no face, so only the caption is told.
  for (int i = 1; i <= 5; ++i) {
    if (i != 3) run({"click chkDie(" + std::to_string(i) + ")"});
  }
  tracker.update();
  run({"click cmdRoll"});
  EXPECT_EQ(tracker.update().announcements,
            std::vector<std::string>{"Ann Select Score to Finish Turn"});
}

// A commit, seen as a host sees it while the turn change waits: the box is checked with its
// score and the card's total; then the next player's turn is told.
TEST_F(Accessibility, ACommitIsAnnouncedWithTheScoreAndTheTotal) {
  startWith({"Ann"});
  toolkit::AccessibilityTracker tracker(g.form, accessibleWords());
  run({"faces 6 6 6 6 5", "click cmdRoll", "click chk6s(1)", "faces 2 2 2 3 3", "click cmdRoll"});
  tracker.update();
  std::vector<std::vector<std::string>> told;
  runner.host().repainted = [&] { told.push_back(tracker.update().announcements); };
  run({"click chkFullHouse(1)"});
  runner.host().repainted = nullptr;
  told.push_back(tracker.update().announcements);
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(told.front(),
            (std::vector<std::string>{"Full House scored 25, total 49", "Ann Finishing Turn"}));
  EXPECT_EQ(told.back(), std::vector<std::string>{"Ann roll! 3 rolls left"});
  // The card stays in front with one player, the committed box checked.
  const AccessibleNode& house = nodeOf(tracker.tree(), g, g.chkFullHouse[1]);
  EXPECT_EQ(house.name, "Full House, 25");
  EXPECT_TRUE(house.checked);
  EXPECT_EQ(nodeOf(tracker.tree(), g, g.txtTotal[1]).name, "Total, 49");
}

// Assistive technologies act through the tree: the default action is the mouse's click, the
// focus moves as the keyboard's does, and ids of controls out of reach do nothing.
TEST_F(Accessibility, DefaultActionsAndFocusGoThroughTheForm) {
  startWith({"Ann", "Bob"});
  AccessibleTree t = tree();
  run({"faces 1 1 1 1 1"});
  toolkit::doDefaultAction(g.form, t, nodeOf(t, g, g.cmdRoll).id);
  EXPECT_EQ(g.rollCount, 1);
  t = tree();
  toolkit::focusAccessible(g.form, t, nodeOf(t, g, g.chkDie[2]).id);
  EXPECT_EQ(g.form.focused(), &g.chkDie[2]);
  toolkit::doDefaultAction(g.form, t, nodeOf(t, g, g.chkDie[2]).id);
  EXPECT_EQ(g.chkDie[2].value(), 1);
  EXPECT_EQ(g.chkDie[2].Top, 120) << "held as by the mouse";
  // Bob's card lies behind Ann's: its boxes are not in the tree and cannot be acted on.
  const int hidden = static_cast<int>(std::find(g.form.controls().begin(), g.form.controls().end(),
                                                &g.chkQuintoz[2]) -
                                      g.form.controls().begin()) +
                     1;
  EXPECT_EQ(t.find(hidden), nullptr);
  toolkit::doDefaultAction(g.form, t, hidden);
  toolkit::focusAccessible(g.form, t, hidden);
  EXPECT_EQ(g.chkQuintoz[2].value(), 0);
  EXPECT_EQ(g.form.focused(), &g.chkDie[2]);
  // A text node has no default action; the total stays as it is.
  toolkit::doDefaultAction(g.form, t, nodeOf(t, g, g.txtTotal[1]).id);
  EXPECT_EQ(g.currentPlayer, 1);
  toolkit::doDefaultAction(g.form, t, nodeOf(t, g, g.chkQuintoz[1]).id);
  EXPECT_EQ(g.chkQuintoz[1].Caption, "50");
  EXPECT_EQ(g.currentPlayer, 2);
}

// The row rule on a form of its own: the nearest label to the left on an overlapping row, in
// the same container, names the box; other labels stay in the tree as text.
TEST(AccessibilityRows, ABoxTakesTheNearestLabelOnItsRowInItsContainer) {
  toolkit::Form form("f");
  toolkit::Frame frame("fra", -1);
  toolkit::Label far("far", -1), near("near", -1), above("above", -1), other("other", -1);
  toolkit::CheckBox box("box", -1);
  toolkit::TextBox text("text", -1);
  auto put = [&](toolkit::Control& container, toolkit::Control& c, float left, float top,
                 std::int16_t tab) {
    c.Left = left;
    c.Top = top;
    c.Width = 300;
    c.Height = 300;
    c.TabIndex = tab;
    container.addChild(c);
    form.registerControl(c);
  };
  form.Width = 9000;
  form.Height = 9000;
  put(form, frame, 0, 0, 0);
  frame.Width = 3000;
  frame.Height = 3000;
  put(frame, far, 0, 100, 1);
  put(frame, near, 400, 250, 2);
  put(frame, box, 800, 200, 3);
  put(frame, above, 800, 0, 4);     // overlaps the box's row but is not to its left
  put(form, other, 3100, 200, 5);   // on the row, but in another container
  put(frame, text, 2000, 1000, 6);  // no label on its row
  box.Caption = "7";
  text.Text = "12";
  near.Caption = "Near";
  far.Caption = "Far";
  above.Caption = "Above";
  other.Caption = "Other";
  frame.Caption = "Card";
  const AccessibleTree t = toolkit::buildAccessibleTree(form, toolkit::AccessibleWords{});
  EXPECT_EQ(names(t), (std::vector<std::string>{"Card", "Far", "Near, 7", "Above", "Other", "12"}));
  // A hidden label names nothing.
  near.Visible = false;
  EXPECT_EQ(names(toolkit::buildAccessibleTree(form, toolkit::AccessibleWords{})),
            (std::vector<std::string>{"Card", "Far, 7", "Above", "Other", "12"}));
}

// The bonus is checked by the rules along with the commit that earns it: the chosen box comes
// first and carries the totals, the bonus follows on its own. The totals are said as the
// language says them inside a sentence, in full where the card abbreviates them.
TEST_F(Accessibility, TheBonusIsToldAfterTheCommitThatEarnsIt) {
  const struct {
    const char* language;
    std::vector<std::string> told;
  } cases[] = {
      {"en",
       {"Fours scored 20, total 110, sub-total 75", "Bonus scored 35", "Ann roll! 3 rolls left"}},
      {"de",
       {"Vierer bringt 20, Gesamtsumme 110, Zwischensumme 75", "Bonus bringt 35",
        "Ann, würfle! noch 3 Würfe"}},
      {"ru",
       {"Четвёрки даёт 20, итог 110, промежуточная сумма 75", "Бонус даёт 35",
        "Ann бросает! осталось 3 броска"}},
  };
  for (const auto& c : cases) {
    std::ostringstream echo;
    script::ScriptRunner game{echo};
    game.execute(std::string("language ") + c.language);
    for (const char* line : {"answer 1", "answer Ann", "start", "faces 6 6 6 6 6", "click cmdRoll",
                             "click chk6s(1)", "faces 5 5 5 5 5", "click cmdRoll", "click chk5s(1)",
                             "faces 4 4 4 4 4", "click cmdRoll"}) {
      game.execute(line);
    }
    const toolkit::AccessibleWords words = accessibleWords(i18n::catalogueFor(c.language));
    toolkit::AccessibilityTracker tracker(game.game().form, words);
    tracker.update();
    game.execute("click chk4s(1)");
    EXPECT_EQ(tracker.update().announcements, c.told) << c.language;
  }
}

// A caption's square brackets only set an aside apart for the eye: the name reads the words
// alone, and the node keeps no bracket a screen reader would spell out.
TEST_F(Accessibility, ACaptionIsReadWithoutItsBrackets) {
  startWith({"[Ann]"});
  EXPECT_EQ(g.cmdRoll.Caption, "[Ann] roll! [3 rolls left]");
  EXPECT_EQ(nodeOf(tree(), g, g.cmdRoll).name, "Ann roll! 3 rolls left");
}

// A caption spaced out letter by letter is read as the word it spells; anything else that has
// spaces, or letters that are not alone between them, is read as written.
TEST(AccessibilityWords, ASpacedOutCaptionIsReadAsItsWord) {
  EXPECT_EQ(toolkit::spokenCaption("Q U I N T O Z"), "Quintoz");
  EXPECT_EQ(toolkit::spokenCaption("a b"), "Ab");
  for (const char* asIs :
       {"Q", "Q U I N T O Z ", "Full House", "1 2 3", "Q  U", "Q U IN", "Ones", "", "É T É"}) {
    EXPECT_EQ(toolkit::spokenCaption(asIs), asIs) << asIs;
  }
}

// A commit on the row whose label is spaced out says the word, as its name does.
TEST_F(Accessibility, TheSpacedOutCategoryIsAnnouncedByItsWord) {
  startWith({"Ann"});
  toolkit::AccessibilityTracker tracker(g.form, accessibleWords());
  run({"faces 4 4 4 4 4", "click cmdRoll"});
  tracker.update();
  run({"click chkQuintoz(1)"});
  const std::vector<std::string> told = tracker.update().announcements;
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(told.front(), "Quintoz scored 50, total 50");
  EXPECT_EQ(nodeOf(tracker.tree(), g, g.chkQuintoz[1]).name, "Quintoz, 50");
}
