#include <array>

#include "hosts/script_language/real_chars.h"
#include "hosts/web/real_text.h"

namespace webhost {

std::string realText(double value) {
  std::array<char, 32> text{};
  const auto [end, ec] = script::formatReal(text.data(), text.data() + text.size(), value);
  return ec == std::errc() ? std::string(text.data(), end) : std::string();
}

}  // namespace webhost
