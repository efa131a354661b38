#pragma once

#include <string>
#include <string_view>

namespace i18n {

// Called with a translated text that holds its values as C's printf writes them: `%s` (or
// `%1$s`) becomes `text`, `%d` (or `%2$d`) becomes `number` in decimal, `%%` a percent sign.
// One text and one number at most, so a translation may put them in either order.
std::string format(std::string_view pattern, std::string_view text, long number = 0);

}  // namespace i18n
