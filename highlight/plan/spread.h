// Where a word's occurrences fall through a text: their count in each of a
// number of equal stretches, for the chart under the Top-100 and for the
// exported page. A word spread evenly fills every stretch a little; one
// bunched in a chapter fills a few.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "highlight/plan/paint_plan.h"

namespace verbolt {

struct WordSpread {
  std::string word;
  int count = 0;            // occurrences in the whole text
  std::vector<int> counts;  // occurrences in each stretch, first to last
  friend bool operator==(const WordSpread&, const WordSpread&) = default;
};

// The occurrences at `starts` (character positions) counted into
// `stretches` equal parts of a text of `length` characters.
std::vector<int> spreadCounts(const std::vector<long>& starts, long length, int stretches);

// The starts of the marked words and phrases among the editor's runs: the
// red ones of the palette shown, runs that touch counted once.
std::vector<long> markedStarts(const std::vector<ColourRun>& runs);

// The first `families` families of a Top-100 report ("%3d : word" lines,
// each followed by its similar words indented), each with its words.
std::vector<std::vector<std::string>> reportFamilies(std::string_view report, size_t families);

// The starts of the occurrences of any of `words` in `loweredText`, whole
// words compared as they are.
std::vector<long> wordStarts(std::string_view loweredText, const std::vector<std::string>& words);

}  // namespace verbolt
