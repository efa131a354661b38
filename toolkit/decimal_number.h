#pragma once

#include <string_view>

namespace toolkit {

// A decimal number's value as a double, and whether it fell outside the doubles' range.
struct DecimalNumber {
  double value = 0;
  // Too large for a double (value is then an infinity) or too small (nonzero digits read as 0).
  bool outOfRange = false;
};

// Called by the game when it reads a typed number and by the script language's number reader:
// the double nearest to the decimal number `text` starts with, a tie going to the even neighbour,
// as a correctly rounding strtod gives it. The number is an optional sign, ASCII digits with at
// most one decimal point among them, and an optional exponent ('e' or 'E', an optional sign,
// digits); reading stops at the first character that does not fit, and text without a digit
// reads as 0. Changes nothing. It is the C library's strtod without its long-double arithmetic
// and scanner, which would otherwise make up a tenth of the page's WebAssembly.
DecimalNumber readDecimalNumber(std::string_view text);

}  // namespace toolkit
