// An analysis run: reads the editor, finds the repetitions and searches,
// paints them and builds the Top-100 report, with the gauge following.
#pragma once

#include <string>
#include <string_view>

#include "analysis/analysis_pass.h"
#include "settings/analysis_settings.h"

class wxGauge;
class wxTextCtrl;

// `settings` has been clamped. Empties `markedWord`: every background is
// repainted, so no word stays marked. Returns the number of words.
int runAnalysis(const AnalysisSettings& settings, wxGauge& gauge, std::string& markedWord,
                wxTextCtrl& editor, std::string& report);

// The engine's pass as a run calls it, replaceable so that tests can make
// a run fail the way an exhausted memory would. Returns the pass it
// replaces; nullptr restores the engine's.
using AnalysisPassFunction = AnalysisResult (*)(std::string_view loweredText,
                                                const AnalysisSettings& settings,
                                                const ProgressSink& progress);
AnalysisPassFunction setAnalysisPass(AnalysisPassFunction pass);
