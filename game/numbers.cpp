#include "game/numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

std::string numberToText(std::int16_t n) {
  return std::to_string(n);
}

double textToNumber(std::string_view text) {
  std::size_t i = 0;
  auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  while (at(i) == ' ' || at(i) == '\t') ++i;
  std::string number;
  if (at(i) == '+' || at(i) == '-') number += text[i++];
  const std::size_t digitsStart = number.size();
  while (isDigit(at(i))) number += text[i++];
  if (at(i) == '.') {
    number += text[i++];
    while (isDigit(at(i))) number += text[i++];
  }
  const bool anyDigit = std::any_of(number.begin() + static_cast<long>(digitsStart), number.end(),
                                    [&](char c) { return isDigit(c); });
  if (!anyDigit) return 0.0;
  // An exponent counts only when digits follow it, so "3 e" or "2e" read as 3 and 2.
  if (at(i) == 'e' || at(i) == 'E') {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (at(j) == '+' || at(j) == '-') exponent += text[j++];
    if (isDigit(at(j))) {
      while (isDigit(at(j))) exponent += text[j++];
      number += exponent;
    }
  }
  // strtod reads exactly what was collected; overflow gives an infinity, underflow zero.
  return std::strtod(number.c_str(), nullptr);
}

std::int64_t roundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLimit = 9.0e18;
  if (value >= kLimit) return static_cast<std::int64_t>(kLimit);
  if (value <= -kLimit) return static_cast<std::int64_t>(-kLimit);
  return static_cast<std::int64_t>(std::nearbyint(value));  // the default mode: to even
}

std::int16_t toWholeNumber(double value) {
  const std::int64_t rounded = roundHalfEven(value);
  return static_cast<std::int16_t>(std::clamp<std::int64_t>(
      rounded, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

std::int16_t playerCountFromAnswer(std::string_view answer) {
  return static_cast<std::int16_t>(
      std::clamp<std::int64_t>(roundHalfEven(textToNumber(answer)), 1, 4));
}
