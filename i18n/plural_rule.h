#pragma once

#include <optional>
#include <string_view>

namespace i18n {

// Called by a catalogue for every plural lookup: the value of a Plural-Forms `plural=`
// expression (C's integer arithmetic, comparisons, logic and ?: on the number n) for this n,
// or nothing when the expression does not read as one. A division by zero gives 0.
std::optional<unsigned long> evaluatePlural(std::string_view expression, unsigned long n);

}  // namespace i18n
