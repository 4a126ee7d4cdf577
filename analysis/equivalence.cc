#include "analysis/equivalence.h"

#include <algorithm>
#include <cstdint>

namespace verbolt {

bool areSimilar(std::string_view a, std::string_view b, const AnalysisSettings& settings) {
  if (!settings.m_sameActive) return a == b;
  if (settings.m_lemmas) {
    return a == b || shareLemma(settings.m_lemmas->lemmasOf(a), settings.m_lemmas->lemmasOf(b));
  }
  size_t shorter = std::min(a.size(), b.size());
  size_t common = 0;
  while (common < shorter && a[common] == b[common]) ++common;
  return similarByCommonBeginning(common, std::max(a.size(), b.size()), settings);
}

int findWordInList(std::string_view word, const WordList& list, const AnalysisSettings& settings) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (areSimilar(word, list[i], settings)) return static_cast<int>(i);
  }
  return -1;
}

bool shareLemma(const std::vector<int>& a, const std::vector<int>& b) {
  auto x = a.begin();
  auto y = b.begin();
  while (x != a.end() && y != b.end()) {
    if (*x == *y) return true;
    if (*x < *y) {
      ++x;
    } else {
      ++y;
    }
  }
  return false;
}

bool isElision(std::string_view word) {
  if (word.size() == 1) return std::string_view("ldjnsc").find(word[0]) != std::string_view::npos;
  return word == "qu";
}

bool isSkipped(std::string_view word, const AnalysisSettings& settings) {
  if (familiesByLemma(settings) && isElision(word)) return true;
  if (!settings.m_skipActive) return false;
  auto length = static_cast<std::int64_t>(word.size());
  return length < settings.m_skipNbLettersMin || length > settings.m_skipNbLettersMax ||
         findWordInList(word, settings.m_skipWords, settings) >= 0;
}

}  // namespace verbolt
