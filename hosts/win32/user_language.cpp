#include "hosts/win32/user_language.h"

#include <windows.h>

#include <string>
#include <vector>

#include "hosts/win32/wide_text.h"
#include "i18n/catalogues.h"
#include "i18n/language_choice.h"

namespace win32 {

namespace {

// The user's languages, best first, as tags ("de-DE", "pt-BR"); none when Windows will not say.
std::vector<std::string> preferredLanguages() {
  ULONG count = 0;
  ULONG size = 0;
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0) {
    return {};
  }
  std::wstring names(size, L'\0');
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size)) return {};
  // One name after another, each ended by a NUL, the list by a second.
  std::vector<std::string> languages;
  for (std::size_t at = 0; at < names.size() && names[at] != L'\0';) {
    const std::size_t end = names.find(L'\0', at);
    languages.push_back(narrowText(std::wstring_view(names).substr(at, end - at)));
    at = end + 1;
  }
  return languages;
}

}  // namespace

const i18n::Catalogue& userCatalogue() {
  static const i18n::Catalogue catalogue =
      i18n::catalogueFor(i18n::chooseLanguage(preferredLanguages(), i18n::availableLanguages()));
  return catalogue;
}

}  // namespace win32
