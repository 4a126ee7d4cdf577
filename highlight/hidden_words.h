// Hiding a word's repetitions for the moment: its occurrences turn from
// their class colour to the matching grey, and back when it leaves the list.
#pragma once

#include <string>

#include "settings/analysis_settings.h"

class wxGauge;
class wxTextCtrl;

namespace verbolt {

// Removes the first entry equivalent to `word` from the hidden list, or
// appends `word` when there is none; then regreys the editor, whose text,
// lowered, is `loweredText`.
void toggleHiddenWord(wxGauge& gauge, wxTextCtrl& editor, const std::string& word,
                      AnalysisSettings& settings, const std::string& loweredText);

}  // namespace verbolt
