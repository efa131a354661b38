#pragma once

namespace asset_tests {

inline constexpr int kFaceSize = 39;

// Whether pixel (x, y) of the drawing for `pips` (1..6) is black: the pip centres and the
// 3-7-7-9-9-9-7-7-3 disc, written out here independently of the generator.
bool pipCoversPixel(int pips, int x, int y);

}  // namespace asset_tests
