#include <array>

#include "hosts/web/page_bridge.h"
#include "hosts/web/real_text.h"

namespace webhost {

std::string realText(double value) {
  std::array<char, 32> text{};
  const int bytes = qz_real_text(value, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), static_cast<std::size_t>(bytes > 0 ? bytes : 0));
}

}  // namespace webhost
