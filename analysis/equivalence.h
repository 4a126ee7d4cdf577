// When two words count as the same word, and which words are skipped.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/analysis_settings.h"

// Equal words, or, with similar words on, words whose common beginning is
// long enough. Symmetric but not transitive.
bool areSimilar(std::string_view a, std::string_view b, const AnalysisSettings& settings);

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

// A skipped word takes no part in repetitions or in the Top-100.
bool isSkipped(std::string_view word, const AnalysisSettings& settings);
