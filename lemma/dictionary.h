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
};

// The dictionary of `language` in `folder`; none when a file is missing.
std::optional<DictionaryFiles> findDictionary(Language language,
                                              const std::string& folder = kDictionaryFolder);

// The Debian package that installs the dictionary of `language`.
std::string dictionaryPackage(Language language);

// The lemmas of the words of Windows-1252 text by the dictionary at
// `files`: its stems, each word consulted once.
std::shared_ptr<LemmaSource> loadLemmas(const DictionaryFiles& files);

}  // namespace verbolt
