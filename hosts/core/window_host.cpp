#include "hosts/core/window_host.h"

#include <chrono>
#include <cstdint>

namespace windowcore {

double WindowHost::clockSeconds() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<double>(since).count();
}

void WindowHost::randomize() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  generator_.seed(static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

double WindowHost::random(toolkit::RandomUse /*use*/) {
  return generator_.next();
}

}  // namespace windowcore
