// readDecimalNumber against glibc's strtod, which rounds correctly: the same double, bit for bit,
// and the same range errors, for the numbers people type and for the hardest cases of rounding.
#include "toolkit/decimal_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace {

// Points halfway between two doubles are written exactly in a long double.
static_assert(std::numeric_limits<long double>::digits >= 64);

void expectAsStrtod(const std::string& text) {
  errno = 0;
  const double expected = std::strtod(text.c_str(), nullptr);
  const bool outOfRange = errno == ERANGE && (expected == 0 || std::isinf(expected));
  const toolkit::DecimalNumber read = toolkit::readDecimalNumber(text);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(read.value), std::bit_cast<std::uint64_t>(expected))
      << text << " reads " << read.value << ", strtod " << expected;
  EXPECT_EQ(read.outOfRange, outOfRange) << text;
}

// Every significant digit of x (800 of them, more than any double or halfway point needs), with
// `more` written after them.
std::string exactly(long double x, const std::string& more = "") {
  char text[900];
  std::snprintf(text, sizeof text, "%.800Le", x);
  std::string written = text;
  return written.insert(written.find('e'), more);
}

TEST(DecimalNumber, ReadsAsStrtod) {
  for (const char* text : {"0",
                           "-0",
                           "+0.000",
                           "35",
                           "-3",
                           "2.5",
                           ".5",
                           "5.",
                           "1e3",
                           "1e",
                           "1e+",
                           "2e-x",
                           "-1.5E+2",
                           "00012",
                           "1.2.3",
                           "12abc",
                           "0.1",
                           "0.3",
                           "123456789012345678901234567890",
                           "1e22",
                           "1e23",
                           "9007199254740993",
                           "1e400",
                           "-1e400",
                           "1e-400",
                           "0e999999999999999999",
                           "1e-324",
                           "3e-324",
                           "2.4703282292062327e-324",
                           "2.4703282292062328e-324",
                           "2.2250738585072011e-308",
                           "2.2250738585072014e-308",
                           "1.7976931348623157e308",
                           "1.7976931348623158e308",
                           "1.7976931348623159e308",
                           "1e-99999999999999999999",
                           "4.9e-324",
                           "8.98846567431158e307"}) {
    expectAsStrtod(text);
  }
  expectAsStrtod(std::string(400, '9'));
  expectAsStrtod("0." + std::string(400, '0') + "1e400");
  // Past the digits kept, a nonzero digit still tips a halfway point over.
  const long double half = (1.0L + std::nextafter(1.0, 2.0)) / 2;
  expectAsStrtod(exactly(half, std::string(300, '0')));
  expectAsStrtod(exactly(half, std::string(300, '0') + "1"));
  // The halfway point above the largest double goes to infinity, as its mantissa is odd.
  const long double largest = std::numeric_limits<double>::max();
  expectAsStrtod(exactly(largest + (std::ldexp(1.0L, 971) / 2)));
  expectAsStrtod(exactly(std::nextafter(largest + std::ldexp(1.0L, 970), 0.0L)));
}

TEST(DecimalNumber, RoundsEveryKindOfDoubleAsStrtod) {
  std::mt19937_64 random(2026);
  for (int i = 0; i < 1500; ++i) {
    // Any finite double, a subnormal one now and then.
    std::uint64_t bits = random() & ~(std::uint64_t{1} << 63);
    if (i % 8 == 0) bits &= (std::uint64_t{1} << 52) - 1;
    const double x = std::bit_cast<double>(bits);
    if (!std::isfinite(x) || x == std::numeric_limits<double>::max()) continue;
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", x);
    expectAsStrtod(text);
    std::snprintf(text, sizeof text, "-%.*e", static_cast<int>(random() % 20), x);
    expectAsStrtod(text);
    // The point halfway to the next double, and the points just either side of it.
    const long double halfway = (static_cast<long double>(x) + std::nextafter(x, 2 * x + 1)) / 2;
    expectAsStrtod(exactly(halfway));
    expectAsStrtod(exactly(std::nextafter(halfway, 0.0L)));
    expectAsStrtod(exactly(std::nextafter(halfway, 2 * halfway + 1)));
  }
}

}  // namespace
