#include "i18n/language_choice.h"

#include <algorithm>
#include <cctype>

namespace i18n {

namespace {

bool isCLocale(std::string_view locale) {
  // "C.UTF-8" is the C locale with another character set.
  return locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

std::vector<std::string> split(std::string_view list) {
  std::vector<std::string> parts;
  while (!list.empty()) {
    const std::size_t end = list.find(':');
    if (end != 0) parts.emplace_back(list.substr(0, end));
    if (end == std::string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return parts;
}

// "de_DE.UTF-8@euro" to "de_DE@euro", "pt-BR" to "pt_BR", "zh-Hans-CN" to "zh_CN": the
// language in small letters, the territory in capitals, a script (four letters) dropped but for
// Chinese, where the simplified script is China's and the traditional Taiwan's.
std::string normalised(std::string_view tag) {
  const std::size_t at = tag.find('@');
  const std::string_view modifier = at == std::string_view::npos ? "" : tag.substr(at);
  tag = tag.substr(0, std::min(at, tag.find('.')));
  std::string code;
  std::string territory;
  for (std::size_t part = 0; !tag.empty(); ++part) {
    const std::size_t end = tag.find_first_of("-_");
    std::string p(tag.substr(0, end));
    tag = end == std::string_view::npos ? "" : tag.substr(end + 1);
    for (char& c : p) {
      c = static_cast<char>(part == 0 ? std::tolower(static_cast<unsigned char>(c))
                                      : std::toupper(static_cast<unsigned char>(c)));
    }
    if (part == 0) {
      code = p;
    } else if (p.size() != 4) {
      territory = p;
    } else if (code == "zh" && territory.empty()) {
      territory = p == "HANS" ? "CN" : "TW";
    }
  }
  if (!territory.empty()) code += "_" + territory;
  return code + std::string(modifier);
}

}  // namespace

std::vector<std::string> languagesFromEnvironment(
    const std::function<const char*(const char*)>& variable) {
  auto value = [&](const char* name) -> std::string_view {
    const char* v = variable(name);
    return v == nullptr ? std::string_view() : std::string_view(v);
  };
  std::string_view locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = value(name);
    if (!locale.empty()) break;
  }
  if (isCLocale(locale)) return {"C"};
  std::vector<std::string> list = split(value("LANGUAGE"));
  if (list.empty()) list.emplace_back(locale);
  return list;
}

std::string chooseLanguage(const std::vector<std::string>& preferred,
                           const std::vector<std::string_view>& available) {
  auto has = [&](const std::string& code) {
    return std::find(available.begin(), available.end(), code) != available.end();
  };
  for (const std::string& wanted : preferred) {
    if (isCLocale(wanted)) return {};
    const std::string code = normalised(wanted);
    const std::string withoutModifier = code.substr(0, code.find('@'));
    const std::string language = withoutModifier.substr(0, withoutModifier.find('_'));
    if (language == "en") return {};
    for (const std::string& candidate : {code, withoutModifier, language}) {
      if (has(candidate)) return candidate;
    }
  }
  return {};
}

}  // namespace i18n
