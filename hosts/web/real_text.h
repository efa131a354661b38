#pragma once

#include <string>

namespace webhost {

// The real numbers of the game's record (the draws, the dice's places), written as the fewest
// decimal digits that read back as the same double. The page has it from the browser
// (real_text_page.cpp), which keeps C's number formatting out of its WebAssembly; native builds
// and tests have it from the script language's (real_text_native.cpp). The replay reads them
// back with the script language's reader, as the driver does.
std::string realText(double value);

// A whole number as decimal text, without std::to_string, which formats with the C library's
// printf and so would bring all of it into the page's WebAssembly.
inline std::string wholeText(int value) {
  const bool negative = value < 0;
  unsigned magnitude = negative ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  char digits[12];
  char* at = digits + sizeof digits;
  do {
    *--at = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) *--at = '-';
  return std::string(at, digits + sizeof digits);
}

}  // namespace webhost
