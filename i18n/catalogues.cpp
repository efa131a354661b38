#include "i18n/catalogues.h"

#include <cstdlib>

#include "i18n/embedded_catalogues.h"
#include "i18n/language_choice.h"

namespace i18n {

std::vector<std::string_view> availableLanguages() {
  std::vector<std::string_view> codes;
  for (const EmbeddedCatalogue& c : embeddedCatalogues()) codes.push_back(c.code);
  return codes;
}

Catalogue catalogueFor(std::string_view code) {
  for (const EmbeddedCatalogue& c : embeddedCatalogues()) {
    if (c.code == code) return Catalogue(c.bytes());
  }
  return {};
}

const std::string& systemLanguage() {
  static const std::string code = [] {
    return chooseLanguage(
        languagesFromEnvironment([](const char* name) { return std::getenv(name); }),
        availableLanguages());
  }();
  return code;
}

const Catalogue& systemCatalogue() {
  static const Catalogue catalogue = catalogueFor(systemLanguage());
  return catalogue;
}

}  // namespace i18n
