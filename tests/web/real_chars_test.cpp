// The portable number conversions of the script language, which the WebAssembly builds use, must
// agree with the standard library's, which the native build uses.
#include "hosts/script_language/real_chars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

std::string portable(double v) {
  char buf[64];
  auto [end, ec] = script::portableFormatReal(buf, buf + sizeof buf, v);
  EXPECT_EQ(ec, std::errc());
  return std::string(buf, end);
}

std::string standard(double v) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  EXPECT_EQ(ec, std::errc());
  return std::string(buf, end);
}

TEST(RealChars, FormatsLikeTheStandardLibrary) {
  const std::vector<double> values{0.0,       -0.0,    1.0,    -1.0,
                                   0.3,       2.5,     1e21,   1e22,
                                   123456,    1234567, 1e-5,   1e-7,
                                   0.1 + 0.2, 3360.5,  9825,   5040,
                                   -32768,    1e300,   5e-324, std::numeric_limits<double>::max(),
                                   100,       1e15,    1e16,   1e17};
  for (double v : values) EXPECT_EQ(portable(v), standard(v)) << v;
  std::mt19937_64 random(12);
  for (int i = 0; i < 2000; ++i) {
    std::uint64_t bits = random();
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v)) continue;
    EXPECT_EQ(portable(v), standard(v)) << bits;
    const float f = static_cast<float>(random() % 100000) / 16.0f;
    EXPECT_EQ(portable(f), standard(f)) << f;
  }
}

TEST(RealChars, TooSmallABufferIsReported) {
  char buf[3];
  EXPECT_EQ(script::portableFormatReal(buf, buf + sizeof buf, 12345.0).ec,
            std::errc::value_too_large);
}

TEST(RealChars, ParsesLikeTheStandardLibrary) {
  const std::vector<std::string> texts{
      "0",    "-0",    "2.5",     ".5",  "5.",        "1e3",   "1e",
      "1e+",  "1E-2x", "-1.5e+2", "+1",  " 1",        "",      "-",
      ".",    "e5",    "0x10",    "inf", "-Infinity", "nan",   "nan(abc)",
      "nan(", "1e400", "1e-400",  "3 4", "12abc",     "00012", "1.2.3"};
  for (const std::string& text : texts) {
    double mine = -7;
    double theirs = -7;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto a = script::portableParseReal(first, last, mine);
    const auto b = std::from_chars(first, last, theirs);
    EXPECT_EQ(a.ec, b.ec) << text;
    if (b.ec == std::errc::invalid_argument) continue;
    EXPECT_EQ(a.ptr - first, b.ptr - first) << text;
    if (b.ec != std::errc()) continue;
    if (std::isnan(theirs)) {
      EXPECT_TRUE(std::isnan(mine)) << text;
    } else {
      EXPECT_EQ(mine, theirs) << text;
    }
  }
}

}  // namespace
