#include "game/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "toolkit/decimal_digits.h"
#include "toolkit/decimal_number.h"
#include "toolkit/utf8.h"

std::string numberToText(std::int16_t n) {
  return std::to_string(n);
}

namespace {

// The value of the decimal digit of any script that starts at text[at], and its size in bytes;
// a value of -1 past the text's end or for anything else, bytes that form no character included.
struct Digit {
  int value;
  std::size_t size;
};

Digit digitAt(std::string_view text, std::size_t at) {
  if (at >= text.size()) return {-1, 0};
  const toolkit::Utf8Character c = toolkit::utf8CharacterAt(text, at);
  return {toolkit::decimalDigitValue(c.value), c.size};
}

}  // namespace

double textToNumber(std::string_view text) {
  std::size_t i = 0;
  auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
  // Copies the digits from text[k] on to out, each as the ASCII digit of its value, so that a
  // number typed in the digits of any script reads as typed; returns where they end.
  auto copyDigits = [&](std::size_t k, std::string& out) {
    for (Digit d = digitAt(text, k); d.value >= 0; d = digitAt(text, k)) {
      out += static_cast<char>('0' + d.value);
      k += d.size;
    }
    return k;
  };
  while (at(i) == ' ' || at(i) == '\t') ++i;
  std::string number;
  if (at(i) == '+' || at(i) == '-') number += text[i++];
  const std::size_t digitsStart = number.size();
  i = copyDigits(i, number);
  if (at(i) == '.') {
    number += text[i++];
    i = copyDigits(i, number);
  }
  const bool anyDigit = std::any_of(number.begin() + static_cast<long>(digitsStart), number.end(),
                                    [](char c) { return c != '.'; });
  if (!anyDigit) return 0.0;
  // An exponent counts only when digits follow it, so "3 e" or "2e" read as 3 and 2.
  if (at(i) == 'e' || at(i) == 'E') {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (at(j) == '+' || at(j) == '-') exponent += text[j++];
    if (copyDigits(j, exponent) > j) number += exponent;
  }
  // Read exactly as collected; overflow gives an infinity, underflow zero.
  return toolkit::readDecimalNumber(number).value;
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
