#include "ui/run_analysis.h"

#include <wx/gauge.h>
#include <wx/log.h>
#include <wx/stopwatch.h>
#include <wx/textctrl.h>

#include "analysis/analysis_pass.h"
#include "highlight/editor_text.h"
#include "highlight/progress_gauge.h"
#include "highlight/restyle.h"

void runAnalysis(const AnalysisSettings& settings, wxGauge& gauge, std::string& markedWord,
                 wxTextCtrl& editor, std::string& report) {
  wxStopWatch clock;
  std::string lowered = loweredEditorBytes(editor);
  AnalysisResult result = analyzeText(
      lowered, settings, [&gauge](int value) { showProgress(gauge, value); },
      RepeatedStarts::kCollapsed);
  markedWord.clear();
  applyHighlights(editor, lowered, result, settings, gauge);
  report = std::move(result.report);
  showProgress(gauge, 0);
  wxLogDebug("process time %f", clock.Time() / 1000.0);
}
