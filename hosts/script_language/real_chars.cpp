#include "hosts/script_language/real_chars.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

#include "toolkit/decimal_number.h"

namespace script {

namespace {

// Copies text into [first, last) when it fits, as std::to_chars does.
std::to_chars_result put(char* first, char* last, const std::string& text) {
  if (static_cast<std::size_t>(last - first) < text.size()) {
    return {last, std::errc::value_too_large};
  }
  std::copy(text.begin(), text.end(), first);
  return {first + text.size(), std::errc()};
}

bool startsWithNoCase(const char* first, const char* last, const char* word) {
  const std::size_t n = std::strlen(word);
  if (static_cast<std::size_t>(last - first) < n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = first[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != word[i]) return false;
  }
  return true;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::to_chars_result portableFormatReal(char* first, char* last, double value) {
  if (std::isnan(value)) return put(first, last, std::signbit(value) ? "-nan" : "nan");
  if (std::isinf(value)) return put(first, last, value < 0 ? "-inf" : "inf");
  const std::string sign = std::signbit(value) ? "-" : "";
  if (value == 0) return put(first, last, sign + "0");
  // The fewest significant digits that read back as the same double; printf rounds correctly,
  // so if any string of that many digits reads back, its string does.
  char buf[40];
  int precision = 0;
  for (; precision < 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*e", precision, std::fabs(value));
    if (toolkit::readDecimalNumber(buf).value == std::fabs(value)) break;
  }
  std::snprintf(buf, sizeof buf, "%.*e", precision, std::fabs(value));
  const char* e = std::strchr(buf, 'e');
  std::string digits;
  for (const char* p = buf; p != e; ++p) {
    if (*p != '.') digits += *p;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int exponent = std::atoi(e + 1);

  std::string scientific = digits.substr(0, 1);
  if (digits.size() > 1) scientific += "." + digits.substr(1);
  char exponentText[16];
  std::snprintf(exponentText, sizeof exponentText, "e%c%02d", exponent < 0 ? '-' : '+',
                std::abs(exponent));
  scientific += exponentText;

  std::string fixed;
  const int count = static_cast<int>(digits.size());
  if (exponent >= 0) {
    if (count <= exponent + 1) {
      // A whole number is written with its exact digits, not the shortest ones padded with
      // zeros; both have the same length.
      char whole[400];
      std::snprintf(whole, sizeof whole, "%.0f", std::fabs(value));
      fixed = whole;
    } else {
      fixed = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
              digits.substr(static_cast<std::size_t>(exponent + 1));
    }
  } else {
    fixed = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  // The shorter of the two forms, the fixed one on a tie.
  return put(first, last, sign + (fixed.size() <= scientific.size() ? fixed : scientific));
}

std::from_chars_result portableParseReal(const char* first, const char* last, double& value) {
  const char* p = first;
  const bool negative = p != last && *p == '-';
  if (negative) ++p;
  if (startsWithNoCase(p, last, "inf")) {
    p += startsWithNoCase(p, last, "infinity") ? 8 : 3;
    value = negative ? -HUGE_VAL : HUGE_VAL;
    return {p, std::errc()};
  }
  if (startsWithNoCase(p, last, "nan")) {
    p += 3;
    // An optional "(chars)" belongs to the value only when it is closed.
    if (p != last && *p == '(') {
      const char* q = p + 1;
      while (q != last &&
             (isDigit(*q) || std::isalpha(static_cast<unsigned char>(*q)) || *q == '_')) {
        ++q;
      }
      if (q != last && *q == ')') p = q + 1;
    }
    value = negative ? -std::nan("") : std::nan("");
    return {p, std::errc()};
  }
  // The longest prefix of the form digits[.digits][e[sign]digits], with a digit somewhere in the
  // mantissa; an exponent without digits is not part of it.
  const char* mantissa = p;
  while (p != last && isDigit(*p)) ++p;
  if (p != last && *p == '.') {
    ++p;
    while (p != last && isDigit(*p)) ++p;
  }
  const std::ptrdiff_t mantissaLength = p - mantissa;
  const bool hasDigit = std::any_of(mantissa, p, isDigit);
  if (mantissaLength == 0 || !hasDigit) return {first, std::errc::invalid_argument};
  if (p != last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q != last && (*q == '+' || *q == '-')) ++q;
    if (q != last && isDigit(*q)) {
      while (q != last && isDigit(*q)) ++q;
      p = q;
    }
  }
  const toolkit::DecimalNumber parsed =
      toolkit::readDecimalNumber(std::string_view(first, static_cast<std::size_t>(p - first)));
  if (parsed.outOfRange) return {p, std::errc::result_out_of_range};
  value = parsed.value;
  return {p, std::errc()};
}

// libc++ before version 17 has no floating-point std::to_chars, and none has std::from_chars
// for doubles before version 20. The page keeps the portable formatting even where its libc++
// has the standard one: that one brings about 100 KB of tables with it, which would weigh more
// than the rest of the game's data together, for the few numbers the page ever writes.
std::to_chars_result formatReal(char* first, char* last, double value) {
#if defined(__EMSCRIPTEN__) || (defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 170000)
  return portableFormatReal(first, last, value);
#else
  return std::to_chars(first, last, value);
#endif
}

std::from_chars_result parseReal(const char* first, const char* last, double& value) {
#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 200000
  return portableParseReal(first, last, value);
#else
  return std::from_chars(first, last, value);
#endif
}

}  // namespace script
