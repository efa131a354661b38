#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Conversions between the game's whole numbers and the texts that show them on the window.

// Decimal digits, with a minus sign when negative: "0", "35", "-3".
std::string numberToText(std::int16_t n);

// The number the text starts with: leading blanks skipped, then an optional sign, digits, a
// decimal point with more digits and an exponent, read as far as they go. The digits may be
// those of any script, each counting as the ASCII digit of its value ("२" reads 2), as a
// player's keyboard or input method may type them. Text that does not start with a number gives
// 0. Never fails, whatever the bytes; a value too large for a double is infinite.
double textToNumber(std::string_view text);

// The nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4), held in a
// wider type so that any double can be rounded safely; NaN gives 0.
std::int64_t roundHalfEven(double value);

// Rounds as above, then saturates to the range of the game's 16-bit whole numbers.
std::int16_t toWholeNumber(double value);

// The player count from an answer to the start-up prompt: rounded, then clamped to 1..4.
std::int16_t playerCountFromAnswer(std::string_view answer);
