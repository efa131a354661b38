#include "hosts/fltk/line_layout.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>

namespace fltkhost {

LineLayout::LineLayout(std::size_t length, const std::vector<ShapedRun>& runs) : boxes_(length) {
  for (const ShapedRun& shaped : runs) {
    const TextRun& run = shaped.run;
    std::map<std::size_t, Box> clusters;  // by their first character
    for (const Glyph& glyph : shaped.glyphs) {
      auto [it, fresh] = clusters.try_emplace(glyph.cluster, Box{width_, width_, run.rightToLeft});
      it->second.left = std::min(it->second.left, width_);
      width_ += glyph.advance;
      it->second.right = std::max(it->second.right, width_);
    }
    for (auto it = clusters.begin(); it != clusters.end(); ++it) {
      const auto next = std::next(it);
      const std::size_t end = std::min(next == clusters.end() ? run.end : next->first, length);
      if (end <= it->first) continue;
      const Box& box = it->second;
      const double share = (box.right - box.left) / static_cast<double>(end - it->first);
      for (std::size_t c = it->first; c < end; ++c) {
        const auto k = static_cast<double>(c - it->first);
        boxes_[c] = run.rightToLeft ? Box{box.right - (k + 1) * share, box.right - k * share, true}
                                    : Box{box.left + k * share, box.left + (k + 1) * share, false};
      }
    }
  }
}

double LineLayout::caretX(std::size_t position) const {
  if (boxes_.empty()) return 0;
  if (position == 0) return boxes_[0].rightToLeft ? boxes_[0].right : boxes_[0].left;
  const Box& before = boxes_[std::min(position, boxes_.size()) - 1];
  return before.rightToLeft ? before.left : before.right;
}

std::vector<std::pair<double, double>> LineLayout::selection(std::size_t from,
                                                             std::size_t to) const {
  if (from > to) std::swap(from, to);
  std::vector<std::pair<double, double>> spans;
  for (std::size_t c = from; c < std::min(to, boxes_.size()); ++c) {
    spans.emplace_back(boxes_[c].left, boxes_[c].right);
  }
  std::sort(spans.begin(), spans.end());
  std::vector<std::pair<double, double>> joined;
  for (const auto& span : spans) {
    // Shares of one cluster meet exactly; half a pixel allows for rounding only.
    if (!joined.empty() && span.first <= joined.back().second + 0.5) {
      joined.back().second = std::max(joined.back().second, span.second);
    } else {
      joined.push_back(span);
    }
  }
  return joined;
}

std::size_t LineLayout::positionAt(double x) const {
  // Each character has the position before it on its leading side and the one after it on its
  // trailing side; the edge nearest to x wins.
  std::size_t best = 0;
  double distance = std::abs(x);
  for (std::size_t c = 0; c < boxes_.size(); ++c) {
    const Box& box = boxes_[c];
    for (const auto& [edge, position] : {std::pair{box.left, box.rightToLeft ? c + 1 : c},
                                         std::pair{box.right, box.rightToLeft ? c : c + 1}}) {
      if (std::abs(x - edge) < distance) {
        distance = std::abs(x - edge);
        best = position;
      }
    }
  }
  return best;
}

double scrollFor(double caret, double lineWidth, double fieldWidth, double scroll) {
  // As FLTK's own field: some text stays in view beyond the caret, the caret's width after it.
  const double margin = std::min(20.0, fieldWidth / 3);
  constexpr double kCaretRoom = 4;
  if (caret > scroll + fieldWidth - margin) {
    scroll = caret + margin - fieldWidth;
  } else if (caret < scroll + margin) {
    scroll = caret - margin;
  }
  return std::max(0.0, std::min(scroll, lineWidth + kCaretRoom - fieldWidth));
}

}  // namespace fltkhost
