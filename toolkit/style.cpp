#include "toolkit/style.h"

#include <algorithm>

namespace toolkit {

PixelRect PixelRect::intersect(const PixelRect& o) const {
  const int left = std::max(x, o.x);
  const int top = std::max(y, o.y);
  const int right = std::min(x + w, o.x + o.w);
  const int bottom = std::min(y + h, o.y + o.h);
  return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

}  // namespace toolkit
