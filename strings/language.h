// The language of the texts the program shows: English, or French for
// writers whose desktop speaks French.
#pragma once

#include <optional>
#include <string_view>

namespace verbolt {

enum class Language { kEnglish, kFrench };

// The language of a desktop whose locale variables hold these values (null
// when unset): the first of LC_ALL, LC_MESSAGES and LANG that is set and
// not empty names the locale of messages, as the C library reads them, and
// a locale beginning with "fr" is French. Any other is English.
Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The language named "en" or "fr" on the command line; none for any other
// name.
std::optional<Language> languageNamed(std::string_view name);

}  // namespace verbolt
