// Lists every character the game reads as a decimal digit, for decimal_digits_test.py to hold
// against Python's Unicode database: the Unicode version the list follows, then a line for each
// digit, its code point in hex and its value.
#include <cstdio>

#include "toolkit/decimal_digits.h"

int main() {
  const std::string_view version = toolkit::kDecimalDigitsUnicodeVersion;
  std::printf("%.*s\n", static_cast<int>(version.size()), version.data());
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    const int value = toolkit::decimalDigitValue(c);
    if (value >= 0) std::printf("%X %d\n", static_cast<unsigned>(c), value);
  }
}
