#include "ui/run_analysis.h"

#include <wx/gauge.h>
#include <wx/log.h>
#include <wx/stopwatch.h>
#include <wx/textctrl.h>

#include "highlight/background_map.h"
#include "highlight/background_tags.h"
#include "highlight/editor_text.h"
#include "highlight/plan/colour_runs.h"
#include "highlight/plan/mark_plan.h"
#include "highlight/progress_gauge.h"
#include "highlight/restyle.h"
#include "text/words.h"

namespace verbolt {

namespace {

// The window paints each start once: the full lists could exhaust the
// memory with wide settings.
AnalysisResult enginePass(std::string_view loweredText, const AnalysisSettings& settings,
                          const ProgressSink& progress) {
  return analyzeText(loweredText, settings, progress, RepeatedStarts::kCollapsed,
                     PassThreads::kAutomatic, PhraseList::kCounted);
}

AnalysisPassFunction analysisPass = enginePass;

// The Top phrases, as the window shows them.
void takePhrases(AnalysisRun& run, const std::string& lowered,
                 const std::vector<PhraseCount>& phrases) {
  for (const PhraseCount& phrase : phrases) {
    run.phrases.push_back(phraseWords(lowered, phrase));
    run.phraseCounts.push_back(phrase.count);
  }
}

}  // namespace

AnalysisPassFunction setAnalysisPass(AnalysisPassFunction pass) {
  AnalysisPassFunction previous = analysisPass;
  analysisPass = pass ? pass : enginePass;
  return previous;
}

AnalysisRun runAnalysis(const AnalysisSettings& settings, wxGauge& gauge, std::string& markedWord,
                        wxTextCtrl& editor) {
  wxStopWatch clock;
  AnalysisRun run;
  const std::string lowered = loweredEditorBytes(editor);
  run.words = editorStatistics(editor).words;
  const ProgressSink progress = [&gauge](int value) { showProgress(gauge, value); };
  AnalysisResult result;
  std::vector<ColourRun> planned;
  // Until the first colour changes, the writer may stop the run.
  try {
    StoppableRun stoppable;
    result = analysisPass(lowered, settings, progress);
    planned = planHighlights(lowered, result, settings, progress);
  } catch (const RunStopped&) {
    showProgress(gauge, 0);
    run.stopped = true;
    return run;
  }
  markedWord.clear();
  paintPlanned(editor, planned);
  run.painted = std::move(planned);
  run.report = std::move(result.report);
  takePhrases(run, lowered, result.topPhrases);
  showProgress(gauge, 0);
  wxLogDebug("process time %f", clock.Time() / 1000.0);
  return run;
}

AnalysisRun colourAsTyped(LivePlan& plan, const AnalysisSettings& settings,
                          const std::string& markedWord,
                          const std::vector<std::pair<size_t, size_t>>& markedRanges,
                          wxTextCtrl& editor) {
  AnalysisRun run;
  const std::string lowered = loweredEditorBytes(editor);
  run.words = editorStatistics(editor).words;
  plan.update(lowered, settings);
  run.painted = withMarks(lowered, plan.runs(), markedWord, markedRanges, settings);
  // The tags a key changes are few; painting only those keeps the key's
  // frame short even on a novel.
  repaintRuns(editor, runChanges(BackgroundMap(editor).runs(), run.painted));
  run.report = plan.report();
  takePhrases(run, lowered, plan.topPhrases());
  return run;
}

}  // namespace verbolt
