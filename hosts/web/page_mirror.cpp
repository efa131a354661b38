#include "hosts/web/page_mirror.h"

#include "hosts/web/mirror_bridge.h"

namespace webhost {

PageMirror::PageMirror(const toolkit::Form& form, const toolkit::AccessibleWords& words)
    : form_(form), tracker_(form, words) {}

void PageMirror::update() {
  const toolkit::AccessibleChanges changes = tracker_.update();
  if (changes.structureChanged || changes.focusChanged || !changes.renamed.empty() ||
      !changes.stateChanged.empty()) {
    const toolkit::AccessibleTree& tree = tracker_.tree();
    const toolkit::PixelRect window = form_.pixelRect();
    qz_mirror_begin(window.w, window.h, tree.focusedId);
    for (const toolkit::AccessibleNode& node : tree.nodes) {
      qz_mirror_node(node.id, node.parentId, static_cast<int>(node.role), node.name.data(),
                     static_cast<int>(node.name.size()), node.checked ? 1 : 0, node.bounds.x,
                     node.bounds.y, node.bounds.w, node.bounds.h);
    }
    qz_mirror_end();
  }
  for (const std::string& text : changes.announcements) {
    qz_announce(text.data(), static_cast<int>(text.size()));
  }
}

}  // namespace webhost
