// Marking worked out in memory: the colour a marked occurrence takes, and
// the one it gives back, keep in the blue of the red the class it had; and
// the colours a text shows once a word or a phrase is marked over them.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "highlight/plan/colours.h"
#include "highlight/plan/paint_plan.h"
#include "settings/analysis_settings.h"

namespace verbolt {

// In the palette the editor shows: a class, hidden or white colour turns
// into its red.
Rgb markedColourFor(Rgb current);
// A red turns back into its class colour, or its grey when the word is
// hidden; anything else into white.
Rgb unmarkedColourFor(Rgb current, bool hidden);

// The occurrence of a word, as marking recolours it: only the last 50
// letters of a longer word.
std::pair<long, long> markedSpan(std::string_view loweredText, size_t wordEnd);

// `runs` (maximal, ascending) once every occurrence of `word` and its
// similar words, when `word` is not empty, and every word inside `ranges`
// (ascending) are marked, as a click marks them over those colours.
std::vector<ColourRun> withMarks(std::string_view loweredText, const std::vector<ColourRun>& runs,
                                 const std::string& word,
                                 const std::vector<std::pair<size_t, size_t>>& ranges,
                                 const AnalysisSettings& settings);

}  // namespace verbolt
