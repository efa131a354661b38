#include "hosts/web/page_mirror.h"

#include "hosts/web/mirror_bridge.h"

namespace webhost {

PageMirror::PageMirror(const toolkit::Form& form, const windowcore::WindowCore& core,
                       const toolkit::AccessibleWords& words)
    : form_(form), core_(core), tracker_(form, words) {}

void PageMirror::update() {
  const toolkit::AccessibleChanges changes = tracker_.update();
  if (changes.structureChanged || changes.focusChanged || !changes.renamed.empty() ||
      !changes.stateChanged.empty() || placesChanged_) {
    placesChanged_ = false;
    const toolkit::AccessibleTree& tree = tracker_.tree();
    const windowcore::BoardArrangement& board = core_.board();
    qz_mirror_begin(board.width, board.height, tree.focusedId);
    const auto& controls = form_.controls();
    for (const toolkit::AccessibleNode& node : tree.nodes) {
      const toolkit::Control& control = *controls[static_cast<std::size_t>(node.id) - 1];
      const toolkit::PixelRect at = core_.boardPlace(control, node.bounds);
      qz_mirror_node(node.id, node.parentId, static_cast<int>(node.role), node.name.data(),
                     static_cast<int>(node.name.size()), node.checked ? 1 : 0, at.x, at.y, at.w,
                     at.h);
    }
    qz_mirror_end();
  }
  for (const std::string& text : changes.announcements) {
    qz_announce(text.data(), static_cast<int>(text.size()));
  }
}

}  // namespace webhost
