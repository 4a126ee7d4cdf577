#include "analysis/equivalence.h"

#include <algorithm>
#include <cstdint>

bool areSimilar(std::string_view a, std::string_view b, const AnalysisSettings& settings) {
  if (!settings.m_sameActive) return a == b;
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

bool isSkipped(std::string_view word, const AnalysisSettings& settings) {
  if (!settings.m_skipActive) return false;
  auto length = static_cast<std::int64_t>(word.size());
  return length < settings.m_skipNbLettersMin || length > settings.m_skipNbLettersMax ||
         findWordInList(word, settings.m_skipWords, settings) >= 0;
}
