// An analysis run: reads the editor, finds the repetitions and searches,
// paints them and builds the Top-100 report, with the gauge following.
#pragma once

#include <string>

#include "settings/analysis_settings.h"

class wxGauge;
class wxTextCtrl;

// `settings` has been clamped. Empties `markedWord`: every background is
// repainted, so no word stays marked.
void runAnalysis(const AnalysisSettings& settings, wxGauge& gauge, std::string& markedWord,
                 wxTextCtrl& editor, std::string& report);
