#pragma once

#include <string_view>

namespace fltkhost {

// The most characters a prompt line may hold to be sure of fitting the input box's prompt area
// unmeasured: the widest printable ASCII glyph of the dialog face at 13 pixels is under 13
// pixels, and the area is 264 pixels wide.
inline constexpr int kUnmeasuredLineChars = 20;
// The most lines such a prompt may have: three 16-pixel lines stay within the area's least
// height, which the OK and Cancel buttons beside it set.
inline constexpr int kUnmeasuredLines = 3;

// Called by the input box before it is built: true when the prompt (carriage returns as line
// breaks) is short printable ASCII that cannot wrap or overflow, so its size need not be
// measured. Measuring loads the fonts, which would delay the first prompt's appearance by the
// time fontconfig takes to read its configuration. Changes nothing.
bool promptFitsUnmeasured(std::string_view prompt);

}  // namespace fltkhost
