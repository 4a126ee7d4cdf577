// Every text the program shows in its own windows, by its id, in English
// and French, held as Windows-1252 bytes.
#pragma once

#include <map>
#include <string>

#include "strings/language.h"
#include "strings/string_id.h"

namespace verbolt {

struct LocalizedPair {
  std::string english;
  std::string french;
};

using StringTable = std::map<StringId, LocalizedPair>;

// Built on first use, read-only afterwards.
const StringTable& stringTable();

// The language LocalizedText answers in from now on; English until set.
// Set once at start, before the first window is made.
void setLanguage(Language language);
Language currentLanguage();

// The text of `id` in the current language; empty when the table has no
// such entry.
std::string LocalizedText(StringId id);

}  // namespace verbolt
