// When two words count as the same word, and which words are skipped.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "settings/analysis_settings.h"

namespace verbolt {

// Equal words, or, with similar words on, words whose common beginning is
// long enough, or, when the settings carry lemmas, words that share one.
// Symmetric but not transitive.
bool areSimilar(std::string_view a, std::string_view b, const AnalysisSettings& settings);

// Whether similar words are the words that share a dictionary form.
inline bool familiesByLemma(const AnalysisSettings& settings) {
  return settings.m_sameActive && settings.m_lemmas;
}

// Whether two ascending lists of lemma ids have one in common.
bool shareLemma(const std::vector<int>& a, const std::vector<int>& b);

// What an apostrophe cuts off French words (l', d', qu', j', n', s', c'):
// the words split there, so with families by dictionary form these are
// skipped, and l'homme counts as homme.
bool isElision(std::string_view word);

// The rule of areSimilar with similar words on, for two words of which the
// longer has `longer` bytes and which share their first `common` bytes.
inline bool similarByCommonBeginning(size_t common, size_t longer,
                                     const AnalysisSettings& settings) {
  bool longEnough =
      common == longer || common >= static_cast<size_t>(std::max(0, settings.m_sameNbLetters));
  // 64-bit product: a word may be millions of letters long.
  std::int64_t share = static_cast<std::int64_t>(longer) * settings.m_samePercent / 100;
  return longEnough && static_cast<std::int64_t>(common) > share;
}

// With similar words on, every word similar to a word of `length` bytes,
// other than an equal one, shares at least this many first bytes with it:
// the minimum number of letters, and more than the percentage of the
// longer word, hence of this one (a percentage below zero counted as zero).
inline size_t similarBeginning(size_t length, const AnalysisSettings& settings) {
  auto letters = static_cast<size_t>(std::max(0, settings.m_sameNbLetters));
  std::int64_t share =
      static_cast<std::int64_t>(length) * std::max(0, settings.m_samePercent) / 100;
  return std::max(letters, static_cast<size_t>(share) + 1);
}

// Index of the first entry equivalent to `word`, or -1.
int findWordInList(std::string_view word, const WordList& list, const AnalysisSettings& settings);

// A skipped word takes no part in repetitions or in the Top-100. With
// families by dictionary form the elisions are skipped even when the skip
// filter is off: they are part of the next word.
bool isSkipped(std::string_view word, const AnalysisSettings& settings);

}  // namespace verbolt
