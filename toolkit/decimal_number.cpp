#include "toolkit/decimal_number.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace toolkit {

namespace {

// A whole number of any size, in 32-bit limbs, least significant first, with no leading zero
// limb. Only what exact decimal to binary conversion needs.
class BigNumber {
 public:
  bool isZero() const { return limbs_.empty(); }
  int bitLength() const {
    if (limbs_.empty()) return 0;
    return 32 * static_cast<int>(limbs_.size()) - std::countl_zero(limbs_.back());
  }

  // this = this * factor + addend
  void multiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }

  void shiftLeft(int bits) {
    if (limbs_.empty() || bits <= 0) return;
    const int part = bits % 32;
    if (part != 0) {
      std::uint32_t carry = 0;
      for (std::uint32_t& limb : limbs_) {
        const std::uint32_t out = limb >> (32 - part);
        limb = (limb << part) | carry;
        carry = out;
      }
      if (carry != 0) limbs_.push_back(carry);
    }
    limbs_.insert(limbs_.begin(), static_cast<std::size_t>(bits / 32), 0);
  }

  void shiftRightOne() {
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      const std::uint32_t high = i + 1 < limbs_.size() ? limbs_[i + 1] << 31 : 0;
      limbs_[i] = (limbs_[i] >> 1) | high;
    }
    trim();
  }

  // -1, 0 or 1 as this is less than, equal to or greater than other.
  int compare(const BigNumber& other) const {
    if (limbs_.size() != other.limbs_.size()) return limbs_.size() < other.limbs_.size() ? -1 : 1;
    for (std::size_t i = limbs_.size(); i-- > 0;) {
      if (limbs_[i] != other.limbs_[i]) return limbs_[i] < other.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

  // this = this - other, where other is not greater.
  void subtract(const BigNumber& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::int64_t difference = std::int64_t{limbs_[i]} - borrow;
      if (i < other.limbs_.size()) difference -= other.limbs_[i];
      borrow = difference < 0 ? 1 : 0;
      limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    trim();
  }

  // The 64 bits from bit `from` up.
  std::uint64_t bitsFrom(int from) const {
    std::uint64_t bits = 0;
    for (int i = 63; i >= 0; --i) bits = (bits << 1) | (bit(from + i) ? 1 : 0);
    return bits;
  }
  bool anyBitBelow(int end) const {
    for (int i = 0; i < end; ++i) {
      if (bit(i)) return true;
    }
    return false;
  }

 private:
  bool bit(int i) const {
    const auto limb = static_cast<std::size_t>(i / 32);
    return i >= 0 && limb < limbs_.size() && ((limbs_[limb] >> (i % 32)) & 1) != 0;
  }
  void trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<std::uint32_t> limbs_;
};

// Significant digits kept: every double, and every point halfway between two, is written with at
// most 767, so a number cut to this many with a nonzero digit appended for any nonzero digit cut
// off rounds as the whole number does.
constexpr std::size_t kMaxDigits = 800;
// Beyond these the value is certainly infinite, or certainly rounds to zero: with n digits and a
// scale of s the number lies in [10^(n-1+s), 10^(n+s)), and 10^-324 is under half the least
// double.
constexpr std::int64_t kOverflowPower = 309;
constexpr std::int64_t kUnderflowPower = -324;
constexpr std::uint32_t kPowersOfFive[13] = {
    1, 5, 25, 125, 625, 3125, 15625, 78125, 390625, 1953125, 9765625, 48828125, 244140625};

// (mantissa + a fraction, nonzero when `inexact`) * 2^exponent, rounded to the nearest double,
// ties to even; mantissa is not zero. Results past the largest double are infinite.
double roundToDouble(std::uint64_t mantissa, bool inexact, std::int64_t exponent) {
  const int length = 64 - std::countl_zero(mantissa);
  const std::int64_t top = length - 1 + exponent;  // the leading bit's power of two
  if (top >= 1024) return std::numeric_limits<double>::infinity();
  // 53 significant bits for normal doubles, fewer below 2^-1022 where the bits end at 2^-1074.
  const std::int64_t keep = top >= -1022 ? 53 : top + 1075;
  const std::int64_t drop = length - keep;
  if (drop <= 0) return std::ldexp(static_cast<double>(mantissa), static_cast<int>(exponent));
  if (drop > 64) return 0.0;
  const std::uint64_t kept = drop == 64 ? 0 : mantissa >> drop;
  const bool half = ((mantissa >> (drop - 1)) & 1) != 0;
  const std::uint64_t belowHalf = drop == 1 ? 0 : mantissa & ((std::uint64_t{1} << (drop - 1)) - 1);
  const bool up = half && (inexact || belowHalf != 0 || (kept & 1) != 0);
  // At most 2^53, so exact; scaling it to 2^1024 gives the infinity it should.
  return std::ldexp(static_cast<double>(kept + (up ? 1 : 0)), static_cast<int>(exponent + drop));
}

// The magnitude of digits * 10^scale, digits being significant (no leading zero).
double magnitude(const std::string& digits, std::int64_t scale) {
  // Nine digits, or thirteen fives, at a time: the most a limb can multiply by.
  BigNumber number;
  for (std::size_t at = 0; at < digits.size(); at += 9) {
    std::uint32_t chunk = 0;
    std::uint32_t power = 1;
    for (std::size_t d = at; d < std::min(at + 9, digits.size()); ++d) {
      chunk = chunk * 10 + static_cast<std::uint32_t>(digits[d] - '0');
      power *= 10;
    }
    number.multiplyAdd(power, chunk);
  }
  if (scale >= 0) {
    for (std::int64_t i = 0; i < scale; ++i) number.multiplyAdd(10, 0);
    const int length = number.bitLength();
    if (length <= 64) return roundToDouble(number.bitsFrom(0), false, 0);
    return roundToDouble(number.bitsFrom(length - 64), number.anyBitBelow(length - 64),
                         length - 64);
  }
  // digits / 10^k = (digits / 5^k) * 2^-k: the quotient's leading 63 or 64 bits by long division
  // after lining the two numbers up, and whether anything remains.
  const std::int64_t k = -scale;
  BigNumber divisor;
  divisor.multiplyAdd(1, 1);
  for (std::int64_t i = 0; i < k; i += 13) {
    divisor.multiplyAdd(k - i >= 13 ? 1'220'703'125 : kPowersOfFive[k - i], 0);
  }
  const int shift = 63 + divisor.bitLength() - number.bitLength();
  number.shiftLeft(shift);
  divisor.shiftLeft(63 + std::max(-shift, 0));  // lined up with the quotient's highest bit
  std::uint64_t quotient = 0;
  for (int bit = 63; bit >= 0; --bit) {
    if (number.compare(divisor) >= 0) {
      number.subtract(divisor);
      quotient |= std::uint64_t{1} << bit;
    }
    divisor.shiftRightOne();
  }
  return roundToDouble(quotient, !number.isZero(), -shift - k);
}

}  // namespace

DecimalNumber readDecimalNumber(std::string_view text) {
  std::size_t i = 0;
  auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  const bool negative = at(i) == '-';
  if (at(i) == '+' || at(i) == '-') ++i;
  // The value is digits * 10^scale.
  std::string digits;
  std::int64_t scale = 0;
  bool anyDigit = false;
  bool cutNonzero = false;
  for (bool fraction = false;; ++i) {
    const char c = at(i);
    if (c == '.' && !fraction) {
      fraction = true;
      continue;
    }
    if (!isDigit(c)) break;
    anyDigit = true;
    if (digits.size() < kMaxDigits) {
      if (!digits.empty() || c != '0') digits += c;
      if (fraction) --scale;
    } else {
      cutNonzero = cutNonzero || c != '0';
      if (!fraction) ++scale;
    }
  }
  if (!anyDigit) return {};
  if (cutNonzero) {
    digits += '1';
    --scale;
  }
  if (at(i) == 'e' || at(i) == 'E') {
    std::size_t j = i + 1;
    const bool negativeExponent = at(j) == '-';
    if (at(j) == '+' || at(j) == '-') ++j;
    const std::size_t firstDigit = j;
    // Past a billion the result is the same, and the sum cannot overflow.
    constexpr std::int64_t kLargest = 1'000'000'000;
    std::int64_t exponent = 0;
    for (; isDigit(at(j)); ++j) exponent = std::min(exponent * 10 + (at(j) - '0'), kLargest);
    // An exponent without digits is not one.
    if (j > firstDigit) scale += negativeExponent ? -exponent : exponent;
  }
  const double sign = negative ? -1.0 : 1.0;
  if (digits.empty()) return {sign * 0.0, false};
  const auto count = static_cast<std::int64_t>(digits.size());
  double value = 0;
  if (count - 1 + scale >= kOverflowPower) {
    value = std::numeric_limits<double>::infinity();
  } else if (count + scale > kUnderflowPower) {
    value = magnitude(digits, scale);
  }
  return {sign * value, value == 0 || std::isinf(value)};
}

}  // namespace toolkit
