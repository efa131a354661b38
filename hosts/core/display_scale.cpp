#include "hosts/core/display_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace windowcore {

namespace {

std::string_view trimmed(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The whole of s as a finite number, or nothing.
std::optional<double> number(std::string_view s) {
  s = trimmed(s);
  if (s.empty()) return std::nullopt;
  // strtod rather than from_chars, which the browser build's C++ library lacks for doubles. It
  // needs a terminated string, and it would skip leading blanks and take hexadecimal, which the
  // digits-only check keeps out.
  const std::string text(s);
  if (text.find_first_not_of("0123456789.+-eE") != std::string::npos) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> xftDpi(std::string_view resources) {
  std::optional<double> found;
  while (!resources.empty()) {
    const std::size_t end = resources.find('\n');
    const std::string_view line = resources.substr(0, end);
    resources = end == std::string_view::npos ? std::string_view() : resources.substr(end + 1);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || trimmed(line.substr(0, colon)) != "Xft.dpi") continue;
    // As in the X resource manager, a later line for the same name replaces an earlier one.
    found = number(line.substr(colon + 1));
  }
  if (found && *found <= 0) return std::nullopt;
  return found;
}

std::optional<double> parseScaleSetting(std::string_view setting) {
  const std::optional<double> value = number(setting);
  if (!value || *value < kMinScale || *value > kMaxScale) return std::nullopt;
  return value;
}

double scaleForDpi(double dpi) {
  return std::clamp(dpi / kLayoutDpi, kMinScale, kMaxScale);
}

ScaleChoice chooseScale(std::string_view resources, const char* setting) {
  ScaleChoice choice;
  if (setting != nullptr && *setting != '\0') {
    if (const auto scale = parseScaleSetting(setting)) {
      choice.scale = *scale;
      return choice;
    }
    choice.settingIgnored = true;
  }
  if (const auto dpi = xftDpi(resources)) {
    choice.scale = scaleForDpi(*dpi);
  }
  return choice;
}

}  // namespace windowcore
