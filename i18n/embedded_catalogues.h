#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace i18n {

// One compiled catalogue built into the program from po/<code>.po.
struct EmbeddedCatalogue {
  std::string_view code;
  std::span<const std::uint8_t> (*bytes)();
};

// Every built-in catalogue, in the order of po/LINGUAS (generated at build time).
std::span<const EmbeddedCatalogue> embeddedCatalogues();

}  // namespace i18n
