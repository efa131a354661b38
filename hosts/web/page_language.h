#pragma once

#include <cstdint>
#include <vector>

namespace webhost {

// The compiled catalogue (.mo) of the language the page chose from the browser's
// (navigator.languages): fetched from the site beside the game, or carried inline by the
// single-file page. Empty for English, or when it could not be had.
std::vector<std::uint8_t> pageCatalogue();

}  // namespace webhost
