#include "toolkit/decimal_digits.h"

#include <algorithm>
#include <array>

namespace toolkit {

namespace {

// The digit zero of every script. Unicode encodes each script's decimal digits as a run of ten
// code points, zero to nine in order, so zero's code point is all there is to know. Made once
// from Python's unicodedata (Unicode 14.0.0) with
//   [c for c in range(0x110000) if unicodedata.category(chr(c)) == "Nd"
//    and unicodedata.decimal(chr(c)) == 0]
// and checked against it by the test numbers.decimal_digits_match_unicode.
constexpr std::array<char32_t, 66> kZeros = {
    0x0030,  0x0660,  0x06F0,  0x07C0,  0x0966,  0x09E6,  0x0A66,  0x0AE6,  0x0B66,  0x0BE6,
    0x0C66,  0x0CE6,  0x0D66,  0x0DE6,  0x0E50,  0x0ED0,  0x0F20,  0x1040,  0x1090,  0x17E0,
    0x1810,  0x1946,  0x19D0,  0x1A80,  0x1A90,  0x1B50,  0x1BB0,  0x1C40,  0x1C50,  0xA620,
    0xA8D0,  0xA900,  0xA9D0,  0xA9F0,  0xAA50,  0xABF0,  0xFF10,  0x104A0, 0x10D30, 0x11066,
    0x110F0, 0x11136, 0x111D0, 0x112F0, 0x11450, 0x114D0, 0x11650, 0x116C0, 0x11730, 0x118E0,
    0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x16A60, 0x16AC0, 0x16B50, 0x1D7CE, 0x1D7D8, 0x1D7E2,
    0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0, 0x1E950, 0x1FBF0};

static_assert(std::is_sorted(kZeros.begin(), kZeros.end()) &&
                  std::adjacent_find(kZeros.begin(), kZeros.end(),
                                     [](char32_t a, char32_t b) { return b - a < 10; }) ==
                      kZeros.end(),
              "runs of ten digits, in order, that do not overlap");

}  // namespace

int decimalDigitValue(char32_t c) {
  // The last zero at or before c; c is a digit when it lies within that zero's run of ten.
  const auto after = std::upper_bound(kZeros.begin(), kZeros.end(), c);
  if (after == kZeros.begin()) return -1;
  const char32_t offset = c - *(after - 1);
  return offset < 10 ? static_cast<int>(offset) : -1;
}

}  // namespace toolkit
