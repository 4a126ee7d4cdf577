// The Hunspell dictionaries that families by dictionary form read, as
// Debian installs them (hunspell-fr, hunspell-en-us).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "settings/lemma_source.h"
#include "strings/language.h"

namespace verbolt {

inline constexpr char kDictionaryFolder[] = "/usr/share/hunspell";

struct DictionaryFiles {
  std::string affixes;  // .aff
  std::string words;    // .dic
  // English only: the folder of the irregular forms' lists (see
  // lemma/irregular_forms.h), consulted before the affix rules; empty for
  // none.
  std::string irregularForms;
};

// The dictionary of `language` in `folder`, with English's irregular forms
// from irregularFormsFolder(); none when a file of the dictionary is
// missing (the irregular forms are optional).
std::optional<DictionaryFiles> findDictionary(Language language,
                                              const std::string& folder = kDictionaryFolder);

// The Debian package that installs the dictionary of `language`.
std::string dictionaryPackage(Language language);

// The lemmas of the words of Windows-1252 text by the dictionary at
// `files`: a form's irregular dictionary words, then its stems, each word
// consulted once. A stem reached by taking a prefix off is no lemma of the
// word: "details" is not a form of "tail", nor "infringed" of "fringe".
std::shared_ptr<LemmaSource> loadLemmas(const DictionaryFiles& files);

}  // namespace verbolt
