#include "analysis/phrase_words.h"

#include <string>
#include <utility>

#include "analysis/equivalence.h"
#include "analysis/huge_pages.h"
#include "analysis/sentence_marks.h"
#include "analysis/word_index.h"
#include "text/words.h"

namespace verbolt {

std::vector<PhraseWord> wordsOf(std::string_view text, const AnalysisSettings& settings) {
  AnalysisSettings plain = settings;
  plain.m_sameActive = false;
  plain.m_lemmas.reset();
  WordIndex ids;
  std::vector<std::pair<bool, bool>> kinds;
  std::vector<PhraseWord> words;
  reserveLarge(words, text.size() / 5);  // prose has a word every five or six letters
  size_t sentence = 0;
  size_t scanned = 0;
  forEachWord(text, [&](size_t begin, size_t end) {
    bool ended = false;
    for (; scanned < begin; ++scanned) {
      ended |= endsASentence(static_cast<unsigned char>(text[scanned]));
    }
    if (ended && !words.empty()) ++sentence;
    scanned = end;
    const std::string_view word = text.substr(begin, end - begin);
    const int id = ids.insert(word);
    if (static_cast<size_t>(id) == kinds.size()) {
      kinds.emplace_back(
          settings.m_skipActive && findWordInList(word, plain.m_skipWords, plain) >= 0,
          !isSkipped(word, plain));
    }
    words.push_back({static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end), id,
                     static_cast<std::uint32_t>(sentence), kinds[id].first, kinds[id].second});
  });
  return words;
}

}  // namespace verbolt
