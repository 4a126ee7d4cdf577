#include "tools/analyze_families.h"

#include "lemma/dictionary.h"

bool applyFamilies(std::string_view kind, AnalysisSettings& settings, std::string* problem) {
  if (kind == "beginning") return true;
  if (kind != "lemma-fr" && kind != "lemma-en") {
    *problem = "--families takes beginning, lemma-fr or lemma-en";
    return false;
  }
  const Language language = kind == "lemma-fr" ? Language::kFrench : Language::kEnglish;
  std::optional<DictionaryFiles> files = findDictionary(language);
  if (!files) {
    *problem = "no dictionary for --families " + std::string(kind) + " in " + kDictionaryFolder +
               " (install " + dictionaryPackage(language) + ")";
    return false;
  }
  settings.m_lemmas = loadLemmas(*files);
  return true;
}
