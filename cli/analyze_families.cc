#include "cli/analyze_families.h"

#include "lemma/dictionary.h"
#include "lemma/family_kind.h"

namespace verbolt {

bool applyFamilies(std::string_view kindName, AnalysisSettings& settings, std::string* problem) {
  std::optional<FamilyKind> kind = familyKindNamed(kindName);
  if (!kind) {
    *problem = "--families takes beginning, lemma-fr or lemma-en";
    return false;
  }
  std::optional<Language> language = dictionaryLanguage(*kind);
  if (!language) return true;
  std::optional<DictionaryFiles> files = findDictionary(*language);
  if (!files) {
    *problem = "no dictionary for --families " + std::string(kindName) + " in " +
               kDictionaryFolder + " (install " + dictionaryPackage(*language) + ")";
    return false;
  }
  settings.m_lemmas = loadLemmas(*files);
  return true;
}

}  // namespace verbolt
