#include "analysis/search.h"

#include "analysis/equivalence.h"
#include "analysis/words.h"

int findWordPart(std::string_view word, const WordList& parts) {
  for (size_t i = 0; i < parts.size(); ++i) {
    if (word.find(parts[i]) != std::string_view::npos) return static_cast<int>(i);
  }
  return -1;
}

bool isSearchedWord(std::string_view word, const AnalysisSettings& settings) {
  auto length = static_cast<long long>(word.size());
  return (settings.m_wordsLetterMin <= length && length <= settings.m_wordsLetterMax) ||
         findWordInList(word, settings.m_wordsList, settings) >= 0 ||
         findWordPart(word, settings.m_wordsPartsList) >= 0;
}

namespace {

// Length of the match of `phrase` at `position`, or 0. Each letter of the
// phrase meets the next letter of the text, whatever separators lie between.
size_t phraseMatchLength(std::string_view text, size_t position, std::string_view phrase) {
  if (phrase.empty() || phrase[0] != text[position]) return 0;
  size_t j = position + 1;
  for (size_t i = 1; i < phrase.size(); ++i) {
    if (!isWordChar(phrase[i])) continue;
    if (j >= text.size()) return 0;
    while (!isWordChar(text[j]) && j < text.size() - 1) ++j;
    if (phrase[i] != text[j]) return 0;
    ++j;
  }
  return j - position;
}

}  // namespace

void matchPhrasesAt(std::string_view text, size_t position, const WordList& phrases,
                    std::vector<int>& phraseRanges) {
  for (const std::string& phrase : phrases) {
    size_t length = phraseMatchLength(text, position, phrase);
    if (length == 0) continue;
    phraseRanges.push_back(static_cast<int>(position));
    phraseRanges.push_back(static_cast<int>(length));
  }
}
