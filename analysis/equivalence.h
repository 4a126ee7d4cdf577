// When two words count as the same word, and which words are skipped.
#pragma once

#include <string_view>

#include "settings/analysis_settings.h"

// Equal words, or, with similar words on, words whose common beginning is
// long enough. Symmetric but not transitive.
bool areSimilar(std::string_view a, std::string_view b, const AnalysisSettings& settings);

// Index of the first entry equivalent to `word`, or -1.
int findWordInList(std::string_view word, const WordList& list, const AnalysisSettings& settings);

// A skipped word takes no part in repetitions or in the Top-100.
bool isSkipped(std::string_view word, const AnalysisSettings& settings);
