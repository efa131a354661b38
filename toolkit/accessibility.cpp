#include "toolkit/accessibility.h"

#include <algorithm>
#include <cctype>

#include "toolkit/tab_order.h"

namespace toolkit {

const AccessibleNode* AccessibleTree::find(int id) const {
  for (const AccessibleNode& node : nodes) {
    if (node.id == id) return &node;
  }
  return nullptr;
}

std::string spokenCaption(const std::string& caption) {
  // Letters at the even places and single spaces between them, at least two letters.
  const auto asciiLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  const std::size_t n = caption.size();
  if (n < 3 || n % 2 == 0) return caption;
  std::string word;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = caption[i];
    if (i % 2 == 1 ? c != ' ' : !asciiLetter(c)) return caption;
    if (i % 2 == 0) {
      const auto lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      word += word.empty() ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : lower;
    }
  }
  return word;
}

namespace {

std::string trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// A caption as it is read: without its outer spaces or the square brackets that set an aside
// apart for the eye ("Ann roll! [2 rolls left]" reads "Ann roll! 2 rolls left", not "left
// bracket"), and a spaced-out word as the word.
std::string spoken(const std::string& s) {
  std::string words = trimmed(s);
  std::erase_if(words, [](char c) { return c == '[' || c == ']'; });
  return spokenCaption(words);
}

// A label's caption as it is read: by the name its form's author gave it, or else as spoken.
std::string labelWords(const std::string& caption, const AccessibleWords& words) {
  const auto named = words.captionNames.find(caption);
  return named != words.captionNames.end() ? named->second : spoken(caption);
}

// True for text of at most one character (a glyph such as "N" or "X" on a small button).
bool oneCharacter(const std::string& s) {
  const auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
  return std::count_if(s.begin(), s.end(), [&](char c) { return !continuation(c); }) <= 1;
}

std::string joined(const std::string& a, const std::string& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return a + ", " + b;
}

// How a label finds the box it names. A card lists its categories as rows: a label, and on the
// same row, to its right, the box with the score. So a check box or text box is named by the
// label that (1) lies in the same container, (2) is visible, (3) ends at or before the box's
// left edge, and (4) overlaps the box's row, that is its vertical extent; of several such
// labels the nearest (the one whose right edge is furthest right) wins, so a box in the right
// column takes its own label and not the left column's on the same row.
const Label* rowLabel(const Control& box) {
  const Control* container = box.parent();
  if (container == nullptr) return nullptr;
  const Label* best = nullptr;
  for (const Control* c : container->children()) {
    if (c->kind() != ControlKind::Label || !c->Visible) continue;
    const float right = c->Left + c->Width;
    const bool leftOfBox = right <= box.Left;
    const bool sameRow = c->Top < box.Top + box.Height && box.Top < c->Top + c->Height;
    if (leftOfBox && sameRow && (best == nullptr || right > best->Left + best->Width)) {
      best = static_cast<const Label*>(c);
    }
  }
  return best;
}

// A node for one control, or false when the control is not shown to assistive technologies:
// pictures and outlines are decoration, and a label that names a box is read with the box.
bool describe(const Control& c, const AccessibleWords& words, AccessibleNode& node) {
  switch (c.kind()) {
    case ControlKind::CommandButton: {
      node.role = AccessibleRole::Button;
      const std::string caption = spoken(c.Caption);
      node.name = oneCharacter(caption) && !c.ToolTipText.empty() ? c.ToolTipText : caption;
      node.defaultAction = "Press";
      return true;
    }
    case ControlKind::CheckBox: {
      const auto& box = static_cast<const CheckBox&>(c);
      node.role = AccessibleRole::CheckBox;
      node.checked = box.value() != 0;
      node.defaultAction = node.checked ? "Uncheck" : "Check";
      if (const Label* label = rowLabel(c)) node.label = labelWords(label->Caption, words);
      node.value = spoken(c.Caption);
      if (node.label.empty() && node.value.empty()) {
        node.picture = true;
        node.value = c.ToolTipText;
        const auto noun = words.arrayNouns.find(c.name());
        std::string own;
        if (noun != words.arrayNouns.end()) own = noun->second + " " + std::to_string(c.index());
        node.name = joined(own, node.value);
        if (node.checked) node.name = joined(node.name, words.pictureChecked);
      } else {
        node.name = joined(node.label, node.value);
      }
      return true;
    }
    case ControlKind::TextBox:
      node.role = AccessibleRole::Text;
      if (const Label* label = rowLabel(c)) node.label = labelWords(label->Caption, words);
      node.value = static_cast<const TextBox&>(c).Text;
      node.name = joined(node.label, node.value);
      return true;
    case ControlKind::Frame: {
      node.role = AccessibleRole::Group;
      const auto shown = words.frameWords.find(c.name());
      node.name = shown != words.frameWords.end() ? shown->second : spokenCaption(c.Caption);
      return true;
    }
    case ControlKind::Label:
      node.role = AccessibleRole::Text;
      if (const auto named = words.captionNames.find(c.Caption);
          named != words.captionNames.end()) {
        node.name = named->second;
      } else {
        node.name = spokenCaption(c.Caption);
      }
      return true;
    case ControlKind::Form:
    case ControlKind::Image:
    case ControlKind::Shape:
      return false;
  }
  return false;
}

// True when a box of the same container uses this label as its name.
bool namesABox(const Control& label) {
  const Control* container = label.parent();
  if (container == nullptr) return false;
  return std::any_of(
      container->children().begin(), container->children().end(), [&](const Control* c) {
        return (c->kind() == ControlKind::CheckBox || c->kind() == ControlKind::TextBox) &&
               c->Visible && rowLabel(*c) == &label;
      });
}

}  // namespace

AccessibleTree buildAccessibleTree(const Form& form, const AccessibleWords& words) {
  const std::vector<Control*>& all = form.controls();
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Control& c = *all[i];
    if (c.TabIndex < 0 || !form.reachable(c)) continue;
    if (c.kind() == ControlKind::Label && namesABox(c)) continue;
    order.push_back(i);
  }
  sortByTabIndex(order, [&](std::size_t i) { return all[i]->TabIndex; });
  AccessibleTree tree;
  for (std::size_t i : order) {
    const Control& c = *all[i];
    AccessibleNode node;
    if (!describe(c, words, node)) continue;
    node.id = static_cast<int>(i) + 1;
    node.focused = form.focused() == &c;
    node.bounds = c.visiblePixelRect();
    tree.nodes.push_back(std::move(node));
  }
  // A node's group is its nearest container that is itself a node.
  for (AccessibleNode& node : tree.nodes) {
    for (const Control* p = all[static_cast<std::size_t>(node.id - 1)]->parent(); p != nullptr;
         p = p->parent()) {
      const auto at = std::find(all.begin(), all.end(), p);
      if (at == all.end()) continue;
      const int id = static_cast<int>(at - all.begin()) + 1;
      if (tree.find(id) != nullptr) {
        node.parentId = id;
        break;
      }
    }
    if (node.focused) tree.focusedId = node.id;
  }
  return tree;
}

namespace {

std::string inSentence(const std::string& label, const AccessibleWords& words) {
  const auto found = words.labelsInSentence.find(label);
  return found != words.labelsInSentence.end() ? found->second : label;
}

std::string rolled(const AccessibleTree& before, const AccessibleTree& after,
                   const AccessibleWords& words) {
  std::vector<std::string> faces;
  bool changed = false;
  for (const AccessibleNode& node : after.nodes) {
    if (!node.picture) continue;
    faces.push_back(node.checked && !words.pictureChecked.empty()
                        ? node.value + " " + words.pictureChecked
                        : node.value);
    const AccessibleNode* old = before.find(node.id);
    if (old == nullptr || old->value != node.value) changed = true;
  }
  if (!changed) return {};
  std::sort(faces.begin(), faces.end());
  std::string text = words.pictureChanged;
  for (std::size_t i = 0; i < faces.size(); ++i) {
    text += (i == 0 ? (text.empty() ? "" : " ") : ", ") + faces[i];
  }
  return text;
}

// Each labelled check box that became checked; the first also tells the text boxes of its
// group whose text changed (the totals the commit wrote). A box the user chose keeps the value
// it showed when it is checked, while one the form's rules check along with it (the bonus)
// gets a new value at the same time: the chosen ones come first, so the totals go with them.
void checkedBoxes(const AccessibleTree& before, const AccessibleTree& after,
                  const AccessibleWords& words, std::vector<std::string>& out) {
  std::vector<const AccessibleNode*> chosen, ruled;
  for (const AccessibleNode& node : after.nodes) {
    const AccessibleNode* old = before.find(node.id);
    if (node.role != AccessibleRole::CheckBox || node.label.empty() || !node.checked ||
        old == nullptr || old->checked) {
      continue;
    }
    (old->value == node.value ? chosen : ruled).push_back(&node);
  }
  chosen.insert(chosen.end(), ruled.begin(), ruled.end());
  bool totalsTold = false;
  for (const AccessibleNode* box : chosen) {
    const AccessibleNode& node = *box;
    std::string text = node.label;
    if (!words.labelledChecked.empty()) text += " " + words.labelledChecked;
    if (!node.value.empty()) text += " " + node.value;
    if (!totalsTold) {
      for (const AccessibleNode& other : after.nodes) {
        const AccessibleNode* was = before.find(other.id);
        if (other.role != AccessibleRole::Text || other.label.empty() ||
            other.parentId != node.parentId || was == nullptr || was->value == other.value) {
          continue;
        }
        text += ", " + inSentence(other.label, words) + " " + other.value;
      }
      totalsTold = true;
    }
    out.push_back(text);
  }
}

}  // namespace

std::vector<std::string> announcements(const AccessibleTree& before, const AccessibleTree& after,
                                       const AccessibleWords& words) {
  std::vector<std::string> out;
  if (std::string text = rolled(before, after, words); !text.empty()) out.push_back(text);
  checkedBoxes(before, after, words, out);
  for (const AccessibleNode& node : after.nodes) {
    const AccessibleNode* old = before.find(node.id);
    if (node.role == AccessibleRole::Button && old != nullptr && old->name != node.name &&
        !node.name.empty()) {
      out.push_back(node.name);
    }
  }
  return out;
}

namespace {

Control* controlOf(Form& form, const AccessibleTree& tree, int id) {
  if (tree.find(id) == nullptr) return nullptr;
  const auto index = static_cast<std::size_t>(id - 1);
  return index < form.controls().size() ? form.controls()[index] : nullptr;
}

}  // namespace

void doDefaultAction(Form& form, const AccessibleTree& tree, int id) {
  Control* c = controlOf(form, tree, id);
  if (c == nullptr || !form.reachable(*c)) return;
  if (c->kind() == ControlKind::CommandButton || c->kind() == ControlKind::CheckBox) {
    form.clickControl(*c, kLeftButton);
  }
}

void focusAccessible(Form& form, const AccessibleTree& tree, int id) {
  Control* c = controlOf(form, tree, id);
  if (c != nullptr && form.reachable(*c)) form.setFocus(c);
}

AccessibleChanges AccessibilityTracker::update() {
  AccessibleTree next = buildAccessibleTree(form_, words_);
  AccessibleChanges changes;
  changes.structureChanged = next.nodes.size() != tree_.nodes.size();
  for (std::size_t i = 0; i < next.nodes.size(); ++i) {
    const AccessibleNode& node = next.nodes[i];
    const AccessibleNode* old = tree_.find(node.id);
    if (old == nullptr || i >= tree_.nodes.size() || tree_.nodes[i].id != node.id ||
        old->bounds.x != node.bounds.x || old->bounds.y != node.bounds.y ||
        old->bounds.w != node.bounds.w || old->bounds.h != node.bounds.h ||
        old->parentId != node.parentId) {
      changes.structureChanged = true;
    }
    if (old == nullptr) continue;
    if (old->name != node.name) changes.renamed.push_back(node.id);
    if (old->checked != node.checked || old->focused != node.focused) {
      changes.stateChanged.push_back(node.id);
    }
  }
  changes.focusChanged = next.focusedId != tree_.focusedId;
  changes.announcements = announcements(tree_, next, words_);
  tree_ = std::move(next);
  return changes;
}

}  // namespace toolkit
