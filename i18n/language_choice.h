#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace i18n {

// The languages a Linux user asks for, best first, read as gettext reads them: the locale of
// messages is the first set of LC_ALL, LC_MESSAGES and LANG; when it is C or POSIX (or none
// is set) the answer is English alone ("C"), whatever else says; otherwise the colon-separated
// list of LANGUAGE when it is set, or else the locale itself. `variable` reads the environment
// (std::getenv), null for a variable that is not set.
std::vector<std::string> languagesFromEnvironment(
    const std::function<const char*(const char*)>& variable);

// The language to play in: the first of `preferred` that is English or has a catalogue among
// `available` (codes such as "de", "pt_BR"). Each preference is tried as written, then without
// its territory: "de_DE.UTF-8" finds "de", "pt_BR" finds "pt_BR" and then "pt"; the web's and
// Windows' forms ("pt-BR", "zh-Hans-CN") are read the same. Returns the catalogue's code, or ""
// for English (C, POSIX, en, or nothing found).
std::string chooseLanguage(const std::vector<std::string>& preferred,
                           const std::vector<std::string_view>& available);

}  // namespace i18n
