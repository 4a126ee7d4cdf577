// The word search (by length, word list and word parts) and the phrase
// search, which looks only at the letters of a phrase.
#pragma once

#include <string_view>
#include <vector>

#include "settings/analysis_settings.h"

// Index of the first part contained anywhere in `word`, or -1. An empty
// part is contained in every word.
int findWordPart(std::string_view word, const WordList& parts);

// The word search test on one lowered word (word search assumed on).
bool isSearchedWord(std::string_view word, const AnalysisSettings& settings);

// Appends (start, length) to `phraseRanges` for every phrase whose letters
// follow one another in `text` from `position` on, any separators between.
void matchPhrasesAt(std::string_view text, size_t position, const WordList& phrases,
                    std::vector<int>& phraseRanges);
