#include "lemma/dictionary.h"

#include <sys/stat.h>

#include <algorithm>
#include <hunspell/hunspell.hxx>
#include <iterator>
#include <unordered_set>

#include "lemma/irregular_forms.h"
#include "lemma/lemma_cache.h"
#include "text/cp1252.h"

namespace verbolt {

namespace {

bool isReadableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

const char* dictionaryName(Language language) {
  return language == Language::kFrench ? "fr" : "en_US";
}

// Hunspell's analyses read " st:STEM fl:X": what stands before "st:" is a
// prefix taken off, the flags after it the endings.
std::string_view stemOf(std::string_view analysis) {
  const size_t start = analysis.find("st:");
  if (start == std::string_view::npos) return {};
  const std::string_view rest = analysis.substr(start + 3);
  return rest.substr(0, rest.find(' '));
}

bool takesAPrefix(std::string_view analysis) {
  const size_t stem = analysis.find("st:");
  return stem != std::string_view::npos && analysis.find_first_not_of(' ') < stem;
}

bool takesAnEnding(std::string_view analysis) {
  const size_t stem = analysis.find("st:");
  return stem != std::string_view::npos && analysis.find("fl:", stem) != std::string_view::npos;
}

// The endings that make a form of the same word, not a word of its own.
bool isInflection(std::string_view ending) {
  static constexpr std::string_view kInflections[] = {
      "s", "es", "d", "ed", "ing", "r", "er", "st", "est", "n", "en", "ies", "ied", "ier", "iest"};
  return std::find(std::begin(kInflections), std::end(kInflections), ending) !=
         std::end(kInflections);
}

// `word` made of `stem` and an inflection; the stem's last letter may
// change before it (live, living; busy, busier).
bool inflects(std::string_view word, std::string_view stem) {
  size_t common = 0;
  while (common < word.size() && common < stem.size() && word[common] == stem[common]) ++common;
  return common + 1 >= stem.size() && isInflection(word.substr(common));
}

// The word a prefix was taken off: the prefix's letters put back before
// the stem (de-tail-s gives detail, in-fringe-d infringe). Empty when the
// stem cannot be found a few letters into the word.
std::string withItsPrefix(std::string_view word, std::string_view stem) {
  constexpr size_t kLongestPrefix = 5;
  // The stem's last letter may change before an ending: fringe, fringed.
  const std::string_view start = stem.substr(0, stem.size() - 1);
  const size_t found = word.find(start, 1);
  if (start.size() < 2 || found == std::string_view::npos || found > kLongestPrefix) return {};
  return std::string(word.substr(0, found)) + std::string(stem);
}

// Affix rules make other words as readily as forms: de-tail-s, in-fringe-d,
// hear-th, forge-ive, and the English dictionary's letters make f-ive and
// t-able. A prefixed word is a word of its own; a word that is the
// dictionary's word, or one of its inflections, belongs to that word, and
// another stem joins it only through an inflection.
std::vector<std::string> stemsOfOneWord(Hunspell& hunspell, std::string_view word) {
  std::vector<std::string> analyses = hunspell.analyze(std::string(word));
  auto inflected = [&](const std::string& analysis) {
    const std::string_view stem = stemOf(analysis);
    return stem == word || inflects(word, stem);
  };
  const bool hasOwnWord = std::any_of(analyses.begin(), analyses.end(), [&](const auto& a) {
    return !takesAPrefix(a) && inflected(a);
  });
  std::vector<std::string> stems;
  for (const std::string& analysis : analyses) {
    const std::string_view stem = stemOf(analysis);
    if (stem.size() < 2) continue;
    if (takesAPrefix(analysis)) {
      std::string whole = withItsPrefix(word, stem);
      if (!whole.empty()) stems.push_back(std::move(whole));
    } else if (!hasOwnWord || !takesAnEnding(analysis) || inflected(analysis)) {
      stems.emplace_back(stem);
    }
  }
  return stems;
}

// The editor's words are Windows-1252; a UTF-8 dictionary wants them in its
// own encoding, and a Latin-1 one reads the letters as they are.
class HunspellStems {
 public:
  explicit HunspellStems(const DictionaryFiles& files)
      : m_hunspell(files.affixes.c_str(), files.words.c_str()),
        m_utf8(m_hunspell.get_dict_encoding() == "UTF-8") {
    if (files.irregularForms.empty()) return;
    m_irregular = readIrregularForms(files.irregularForms);
    for (const auto& [form, lemmas] : m_irregular) {
      m_irregularLemmas.insert(lemmas.begin(), lemmas.end());
    }
  }

  std::vector<std::string> operator()(std::string_view word) {
    std::vector<std::string> lemmas;
    if (auto irregular = m_irregular.find(std::string(word)); irregular != m_irregular.end()) {
      for (const std::string& lemma : irregular->second) lemmas.push_back(inDictionary(lemma));
    }
    for (std::string& stem : stemsOfOneWord(m_hunspell, inDictionary(word))) {
      lemmas.push_back(std::move(stem));
    }
    // A dictionary word of the lists is its own lemma, even one the affix
    // rules do not know.
    if (m_irregularLemmas.contains(std::string(word))) lemmas.push_back(inDictionary(word));
    return lemmas;
  }

 private:
  std::string inDictionary(std::string_view word) const {
    return m_utf8 ? cp1252ToUtf8(word) : std::string(word);
  }

  Hunspell m_hunspell;
  bool m_utf8;
  IrregularForms m_irregular;
  std::unordered_set<std::string> m_irregularLemmas;
};

}  // namespace

std::optional<DictionaryFiles> findDictionary(Language language, const std::string& folder) {
  const std::string base = folder + "/" + dictionaryName(language);
  DictionaryFiles files{base + ".aff", base + ".dic", {}};
  if (!isReadableFile(files.affixes) || !isReadableFile(files.words)) return std::nullopt;
  if (language == Language::kEnglish) files.irregularForms = irregularFormsFolder();
  return files;
}

std::string dictionaryPackage(Language language) {
  return language == Language::kFrench ? "hunspell-fr" : "hunspell-en-us";
}

std::shared_ptr<LemmaSource> loadLemmas(const DictionaryFiles& files) {
  auto stems = std::make_shared<HunspellStems>(files);
  return std::make_shared<LemmaCache>([stems](std::string_view word) { return (*stems)(word); });
}

}  // namespace verbolt
