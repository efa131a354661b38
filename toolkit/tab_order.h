#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace toolkit {

// Called by the focus order and the accessibility tree: sorts `items` by `tabIndexOf(item)`,
// keeping items of the same TabIndex in the order they came. An insertion sort, as a form has a
// few dozen controls: std::stable_sort would add a kilobyte and more of merging code to the page
// for each list it sorts. Changes only `items`.
template <typename T, typename TabIndexOf>
void sortByTabIndex(std::vector<T>& items, TabIndexOf tabIndexOf) {
  for (std::size_t i = 1; i < items.size(); ++i) {
    for (std::size_t j = i; j > 0 && tabIndexOf(items[j]) < tabIndexOf(items[j - 1]); --j) {
      std::swap(items[j], items[j - 1]);
    }
  }
}

}  // namespace toolkit
