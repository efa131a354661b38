#pragma once

#include <optional>
#include <string_view>

namespace windowcore {

// The least and greatest scale the window accepts; outside them it would be too small to use
// or larger than any screen.
inline constexpr double kMinScale = 0.5;
inline constexpr double kMaxScale = 8.0;
// The density the layout is drawn for at scale one.
inline constexpr double kLayoutDpi = 96.0;

// Called by chooseScale: the value of the Xft.dpi resource in an X resource database as the server
// holds it (one "name:\tvalue" per line, what XResourceManagerString returns), or nothing when the
// resource is absent or not a positive number. Changes nothing.
std::optional<double> xftDpi(std::string_view resources);

// Called by chooseScale: the QUINTOZ_SCALE setting as a scale, or nothing when it is not a number
// from kMinScale to kMaxScale (surrounding blanks are allowed). Changes nothing.
std::optional<double> parseScaleSetting(std::string_view setting);

// Called by chooseScale and by the Windows window whenever it learns its monitor's density: how
// many device pixels a layout pixel takes at that many dots per inch, kept within the limits.
// Changes nothing.
double scaleForDpi(double dpi);

// How the window's scale was decided, for main to report a setting it ignored.
struct ScaleChoice {
  double scale = 1.0;           // the window's scale
  bool settingIgnored = false;  // QUINTOZ_SCALE was given but is not a usable number
};

// Called by the Linux window's main once, before the first dialog: the scale of the window and its
// dialogs. A usable QUINTOZ_SCALE wins; otherwise Xft.dpi over 96, kept within the limits;
// otherwise one. `setting` is null when the variable is not set. Changes nothing.
ScaleChoice chooseScale(std::string_view resources, const char* setting);

}  // namespace windowcore
