// The translations' reader and the choice of a language, against tables of cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "i18n/catalogues.h"
#include "i18n/format.h"
#include "i18n/language_choice.h"
#include "i18n/plural_rule.h"

namespace {

struct EnvironmentCase {
  std::map<std::string, std::string> variables;
  const char* chosen;  // "" for English
};

// The languages on offer here stand for any set of catalogues: the choice must not depend on
// which ones the build carries.
const std::vector<std::string_view> kOffered{"de", "pl", "pt_BR", "pt", "fr", "zh_CN"};

TEST(LanguageChoice, TheEnvironmentChoosesAsGettextDoes) {
  const EnvironmentCase cases[] = {
      {{}, ""},
      {{{"LANG", "de_DE.UTF-8"}}, "de"},
      {{{"LANG", "pl_PL.UTF-8"}}, "pl"},
      {{{"LANG", "C"}}, ""},
      {{{"LANG", "POSIX"}}, ""},
      {{{"LANG", "C.UTF-8"}}, ""},
      {{{"LANG", "en_US.UTF-8"}}, ""},
      {{{"LANG", "ja_JP.UTF-8"}}, ""},
      {{{"LANG", "pt_BR.UTF-8"}}, "pt_BR"},
      {{{"LANG", "pt_PT.UTF-8"}}, "pt"},
      {{{"LANG", "de_AT.UTF-8@euro"}}, "de"},
      // LC_ALL before LC_MESSAGES before LANG; an empty one counts as unset.
      {{{"LC_ALL", "pl_PL.UTF-8"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "fr_FR"}}, "pl"},
      {{{"LC_ALL", ""}, {"LC_MESSAGES", "de_DE"}, {"LANG", "fr_FR"}}, "de"},
      {{{"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}, ""},
      // LANGUAGE's list first, its first language with a catalogue winning...
      {{{"LANGUAGE", "ja:pl:de"}, {"LANG", "de_DE.UTF-8"}}, "pl"},
      {{{"LANGUAGE", "sv:nb"}, {"LANG", "de_DE.UTF-8"}}, ""},
      {{{"LANGUAGE", "::fr"}, {"LANG", "de_DE.UTF-8"}}, "fr"},
      {{{"LANGUAGE", ""}, {"LANG", "de_DE.UTF-8"}}, "de"},
      // ...English too, which needs none...
      {{{"LANGUAGE", "en_GB:de"}, {"LANG", "de_DE.UTF-8"}}, ""},
      // ...but not when the locale is C, where gettext ignores it.
      {{{"LANGUAGE", "de"}}, ""},
      {{{"LANGUAGE", "de"}, {"LANG", "C"}}, ""},
  };
  for (const EnvironmentCase& c : cases) {
    const auto read = [&](const char* name) -> const char* {
      const auto it = c.variables.find(name);
      return it == c.variables.end() ? nullptr : it->second.c_str();
    };
    std::string described;
    for (const auto& [name, value] : c.variables) described += name + "=" + value + " ";
    EXPECT_EQ(i18n::chooseLanguage(i18n::languagesFromEnvironment(read), kOffered), c.chosen)
        << described;
  }
}

TEST(LanguageChoice, ThePlatformsListsAreReadAlike) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"de-DE", "en-US"}, "de"}, {{"pt-BR"}, "pt_BR"},       {{"PT-br"}, "pt_BR"},
      {{"zh-Hans-CN"}, "zh_CN"},  {{"zh-Hans"}, "zh_CN"},     {{"zh-Hant-TW"}, ""},
      {{"en-US", "de-DE"}, ""},   {{"sv-SE", "pl-PL"}, "pl"}, {{}, ""},
  };
  for (const auto& [list, chosen] : cases) {
    EXPECT_EQ(i18n::chooseLanguage(list, kOffered), chosen) << (list.empty() ? "" : list[0]);
  }
}

TEST(PluralRule, EveryRuleOfTheCataloguesPicksItsForm) {
  const char* const polish = "(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2)";
  const char* const russian =
      "(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2)";
  struct Case {
    const char* rule;
    unsigned long n;
    unsigned long form;
  } const cases[] = {
      {"(n != 1)", 1, 0},  {"(n != 1)", 0, 1},  {"(n != 1)", 2, 1},  {"n>1", 0, 0},
      {"n > 1", 1, 0},     {"n>1", 2, 1},       {"0", 7, 0},         {polish, 1, 0},
      {polish, 2, 1},      {polish, 4, 1},      {polish, 5, 2},      {polish, 12, 2},
      {polish, 22, 1},     {polish, 25, 2},     {polish, 0, 2},      {russian, 1, 0},
      {russian, 11, 2},    {russian, 21, 0},    {russian, 3, 1},     {russian, 14, 2},
      {"!(n == 1)", 1, 0}, {"n/0 + n%0", 5, 0}, {"(n+2)*3-1", 1, 8}, {"n==1?0:n==2?1:2", 2, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(i18n::evaluatePlural(c.rule, c.n), c.form) << c.rule << " n=" << c.n;
  }
  for (const char* broken : {"", "n ==", "(n", "n ? 1", "x", "n 1"}) {
    EXPECT_FALSE(i18n::evaluatePlural(broken, 1).has_value()) << broken;
  }
}

TEST(Format, TheTextAndTheNumberGoWhereTheTranslationPutsThem) {
  const std::tuple<const char*, const char*, long, const char*> cases[] = {
      {"%s roll! [%d rolls left]", "Ann", 2, "Ann roll! [2 rolls left]"},
      {"%s roll! [%d rolls left]", "", 3, " roll! [3 rolls left]"},
      {"[%2$d] %1$s", "Ann", 3, "[3] Ann"},
      {"100%% %s", "%d", 1, "100% %d"},
      {"Player%d", "", 4, "Player4"},
      {"end %", "x", 1, "end %"},
  };
  for (const auto& [pattern, text, number, expected] : cases) {
    EXPECT_EQ(i18n::format(pattern, text, number), expected) << pattern;
  }
}

// Every built-in catalogue answers in its own words, with as many plural forms as it says.
TEST(Catalogues, EachLanguageTranslatesAndCountsItsForms) {
  struct Case {
    const char* code;
    const char* ones;
    std::vector<std::pair<unsigned long, const char*>> rolls;
  } const cases[] = {
      {"de", "Einser", {{1, "%s, würfle! [noch %d Wurf]"}, {2, "%s, würfle! [noch %d Würfe]"}}},
      {"pl",
       "Jedynki",
       {{1, "%s rzucaj! [został %d rzut]"},
        {3, "%s rzucaj! [zostały %d rzuty]"},
        {5, "%s rzucaj! [zostało %d rzutów]"},
        {22, "%s rzucaj! [zostały %d rzuty]"}}},
      {"ru",
       "Единицы",
       {{1, "%s бросает! [остался %d бросок]"},
        {3, "%s бросает! [осталось %d броска]"},
        {11, "%s бросает! [осталось %d бросков]"},
        {21, "%s бросает! [остался %d бросок]"}}},
      // French takes the singular for none as well; Japanese has one form for every number.
      {"fr",
       "As",
       {{0, "%s, lancez ! [%d lancer restant]"}, {2, "%s, lancez ! [%d lancers restants]"}}},
      {"ja", "1の目", {{1, "%s の番！[残り %d 回]"}, {3, "%s の番！[残り %d 回]"}}},
  };
  const std::vector<std::string_view> built = i18n::availableLanguages();
  for (const Case& c : cases) {
    ASSERT_NE(std::find(built.begin(), built.end(), c.code), built.end()) << c.code;
    const i18n::Catalogue catalogue = i18n::catalogueFor(c.code);
    EXPECT_EQ(catalogue.text("Ones"), c.ones) << c.code;
    EXPECT_EQ(catalogue.header("Language"), c.code);
    for (const auto& [n, form] : c.rolls) {
      EXPECT_EQ(catalogue.plural("%s roll! [%d roll left]", "%s roll! [%d rolls left]", n), form)
          << c.code << " " << n;
    }
  }
  // All of them translate the same texts, and an unknown one is none.
  for (const std::string_view code : built) {
    EXPECT_EQ(i18n::catalogueFor(code).size(), i18n::catalogueFor(built.front()).size()) << code;
    EXPECT_EQ(i18n::catalogueFor(code).text("no such text"), "no such text");
  }
}

TEST(Catalogues, EnglishIsEveryTextAsWritten) {
  const i18n::Catalogue english = i18n::catalogueFor("");
  EXPECT_EQ(english.size(), 0u);
  EXPECT_EQ(english.text("Ones"), "Ones");
  EXPECT_EQ(english.plural("a %d roll", "%d rolls", 1), "a %d roll");
  EXPECT_EQ(english.plural("a %d roll", "%d rolls", 0), "%d rolls");
  const std::uint8_t notACatalogue[32] = {1, 2, 3};
  EXPECT_EQ(i18n::Catalogue(notACatalogue).text("Ones"), "Ones");
}

}  // namespace
