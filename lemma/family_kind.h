// Which words count as one word when similar words are on: those that
// share a beginning, or those that share a dictionary form in French or in
// English. The names are those of verbolt-analyze --families and of the
// window's preferences file.
#pragma once

#include <optional>
#include <string_view>

#include "strings/language.h"

namespace verbolt {

enum class FamilyKind { kBeginning, kLemmaFrench, kLemmaEnglish };

// "beginning", "lemma-fr", "lemma-en"; none for any other name.
std::optional<FamilyKind> familyKindNamed(std::string_view name);
std::string_view nameOf(FamilyKind kind);

// The language of the dictionary a kind reads; none for kBeginning.
std::optional<Language> dictionaryLanguage(FamilyKind kind);

}  // namespace verbolt
