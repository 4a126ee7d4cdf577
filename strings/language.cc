#include "strings/language.h"

namespace verbolt {

namespace {

bool isSet(const char* value) { return value != nullptr && *value != '\0'; }

}  // namespace

Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* locale : {lcAll, lcMessages, lang}) {
    if (!isSet(locale)) continue;
    return std::string_view(locale).starts_with("fr") ? Language::kFrench : Language::kEnglish;
  }
  return Language::kEnglish;
}

std::optional<Language> languageNamed(std::string_view name) {
  if (name == "en") return Language::kEnglish;
  if (name == "fr") return Language::kFrench;
  return std::nullopt;
}

}  // namespace verbolt
