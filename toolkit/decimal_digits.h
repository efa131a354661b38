#pragma once

#include <string_view>

namespace toolkit {

// The version of Unicode whose decimal digits decimalDigitValue knows.
inline constexpr std::string_view kDecimalDigitsUnicodeVersion = "14.0.0";

// Called by the game when it reads a number a person typed, whose keyboard or input method may
// type the digits of their own script (Devanagari, Arabic-Indic, full-width...): the value 0 to 9
// of a decimal digit of any script (Unicode's general category Nd), or -1 for any other
// character. Changes nothing.
int decimalDigitValue(char32_t c);

}  // namespace toolkit
