// An analysis run: reads the editor, finds the repetitions and searches,
// paints them and builds the Top-100 report, with the gauge following.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/analysis_pass.h"
#include "highlight/plan/live_plan.h"
#include "highlight/plan/paint_plan.h"
#include "settings/analysis_settings.h"

class wxGauge;
class wxTextCtrl;

namespace verbolt {

// What a run leaves besides the colours: the Top-100 report, the number of
// words, and the runs it painted, which are the findings to walk through.
struct AnalysisRun {
  std::string report;
  // With phrase echoes on: the phrases repeated most, as the list shows
  // them (lowered words, one space apart), and their counts.
  std::vector<std::string> phrases;
  std::vector<int> phraseCounts;
  int words = 0;
  std::vector<ColourRun> painted;
  // Escape, or a signal, stopped the run before it painted: the editor's
  // colours are as they were, and nothing else here is filled.
  bool stopped = false;
};

// `settings` has been clamped. Empties `markedWord`: every background is
// repainted, so no word stays marked.
AnalysisRun runAnalysis(const AnalysisSettings& settings, wxGauge& gauge, std::string& markedWord,
                        wxTextCtrl& editor);

// What a run would give on the editor's text as it is now, the marked
// word and the words inside `markedRanges` kept marked, painted only where
// the editor's colours differ from it: the run that follows the writer's
// typing, brought up to date in `plan` from the text it last followed.
// Never stopped, and the gauge stays still.
AnalysisRun colourAsTyped(LivePlan& plan, const AnalysisSettings& settings,
                          const std::string& markedWord,
                          const std::vector<std::pair<size_t, size_t>>& markedRanges,
                          wxTextCtrl& editor);

// The engine's pass as a run calls it, replaceable so that tests can make
// a run fail the way an exhausted memory would. Returns the pass it
// replaces; nullptr restores the engine's.
using AnalysisPassFunction = AnalysisResult (*)(std::string_view loweredText,
                                                const AnalysisSettings& settings,
                                                const ProgressSink& progress);
AnalysisPassFunction setAnalysisPass(AnalysisPassFunction pass);

}  // namespace verbolt
