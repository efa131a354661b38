#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "toolkit/form.h"

namespace toolkit {

// What an assistive technology (a screen reader, a switch device) is told about the form. The
// toolkit makes it from the controls alone, so that every front end exposes the same tree
// through its platform's own accessibility interface; the game never sees it.

enum class AccessibleRole : std::uint8_t { Button, CheckBox, Text, Group };

// One control as an assistive technology sees it. Made by buildAccessibleTree; read by hosts.
struct AccessibleNode {
  // The control's place in the form's register plus one: stable for the life of the form, so
  // hosts use it as the platform's child id and to send a control back (findAccessible).
  int id = 0;
  // The id of the group (frame) the control lies in, or 0 for one placed on the window.
  int parentId = 0;
  AccessibleRole role = AccessibleRole::Text;
  std::string name;
  // The label that names a check box or text box on its row, or empty.
  std::string label;
  // What the control shows besides its label: a box's caption, a text box's text, a picture
  // check box's tool tip (a die's face).
  std::string value;
  // A check box drawn as a picture with no caption, named by its tool tip (a die).
  bool picture = false;
  bool checked = false;
  bool focused = false;
  // In window pixels at 96 dpi (the layout's pixels), clipped to what its containers show.
  PixelRect bounds;
  // What the default action does, as a verb ("Press", "Check", "Uncheck"); empty for none.
  std::string defaultAction;
};

struct AccessibleTree {
  std::vector<AccessibleNode> nodes;  // in the form's keyboard order
  int focusedId = 0;                  // 0 when no control has the focus

  // Called by hosts and the comparisons: the node with this id, or nullptr. Changes nothing.
  const AccessibleNode* find(int id) const;
};

// The words of the form's own author for controls whose text alone says too little. Written
// once by the form's author (ui/), read by the tree and the announcements; all may be empty.
struct AccessibleWords {
  // For a control array of picture check boxes without captions (the dice): the noun that
  // names an element with its number ("Die" makes "Die 3"), by the array's name.
  std::map<std::string, std::string, std::less<>> arrayNouns;
  // For a frame that draws no caption of its own over a picture with words in it (the tray):
  // those words, which name the frame as the player reads it, by the frame's name.
  std::map<std::string, std::string, std::less<>> frameWords;
  // Added to the name of such a check box while it is checked ("held": "Die 3, 5, held").
  std::string pictureChecked;
  // Begins the announcement of new tool tips on such check boxes ("Rolled": "Rolled 1, 3, 5").
  std::string pictureChanged;
  // Joins a labelled check box's label to its caption when it becomes checked ("scored":
  // "Full House scored 25").
  std::string labelledChecked;
  // What a label is read as when its caption is not its own words, by the caption ("Q U I N T O
  // Z" is read "Quintoz"); a caption missing here is read by spokenCaption.
  std::map<std::string, std::string, std::less<>> captionNames;
  // What a text box's label is read as inside an announcement, by the label as the tree reads it
  // ("Sub-Total": "sub-total"); a label missing here is read as it is.
  std::map<std::string, std::string, std::less<>> labelsInSentence;
};

// Called for every caption the tree reads: a caption spaced out letter by letter for its looks
// ("Q U I N T O Z") as the word it spells, capitalised as a name ("Quintoz"), so that a screen
// reader says the word instead of spelling it; any other caption comes back as it is.
std::string spokenCaption(const std::string& caption);

// Called by hosts whenever the form may have changed (when they paint it). Lists every visible
// control the user can reach, in keyboard order, with its role, name, states and bounds.
// Changes nothing.
AccessibleTree buildAccessibleTree(const Form& form, const AccessibleWords& words);

// Short sentences that tell what changed from one tree to the next, in this order: the faces
// of the picture check boxes when one got a new face or appeared, each checked one marked
// ("Rolled 1, 3, 3 held, 5, 6"),
// each labelled check box that became checked, the first with the text boxes of its group that
// changed ("Full House scored 25, total 131"), and each button's new name ("Ann roll! 2 rolls
// left]").
std::vector<std::string> announcements(const AccessibleTree& before, const AccessibleTree& after,
                                       const AccessibleWords& words);

// Called by a host when an assistive technology asks for a node's default action: the same
// whole click the mouse gives, run as an event. Ignores an id that is not in the tree now.
void doDefaultAction(Form& form, const AccessibleTree& tree, int id);
// Called by a host when an assistive technology moves the focus to a node.
void focusAccessible(Form& form, const AccessibleTree& tree, int id);

// What changed between two trees, for hosts that raise platform events per node.
struct AccessibleChanges {
  std::vector<int> renamed;       // ids whose name changed
  std::vector<int> stateChanged;  // ids whose checked or focused state changed
  bool structureChanged = false;  // a node came or went, moved or changed its bounds
  bool focusChanged = false;
  std::vector<std::string> announcements;
};

// Keeps the tree the host last showed, and tells what changed when the form is looked at
// again. Owned by one host's window; the form and the words must outlive it.
class AccessibilityTracker {
 public:
  AccessibilityTracker(const Form& form, const AccessibleWords& words)
      : form_(form), words_(words) {}

  // Called by the host after it has painted the form: builds the tree anew and returns what
  // changed since the last call (the first call compares with an empty tree).
  AccessibleChanges update();
  const AccessibleTree& tree() const { return tree_; }

 private:
  const Form& form_;
  const AccessibleWords& words_;
  AccessibleTree tree_;  // the tree as of the last update
};

}  // namespace toolkit
