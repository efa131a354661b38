#include "hosts/web/page_language.h"

#include <algorithm>

#include "hosts/web/page_bridge.h"

namespace webhost {

std::vector<std::uint8_t> pageCatalogue() {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max(qz_catalogue_bytes(), 0)));
  if (!bytes.empty()) qz_take_catalogue(bytes.data());
  return bytes;
}

}  // namespace webhost
