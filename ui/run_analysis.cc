#include "ui/run_analysis.h"

#include <wx/gauge.h>
#include <wx/log.h>
#include <wx/stopwatch.h>
#include <wx/textctrl.h>

#include "analysis/analysis_pass.h"
#include "highlight/editor_text.h"
#include "highlight/restyle.h"

void runAnalysis(const AnalysisSettings& settings, wxGauge& gauge, std::string& markedWord,
                 wxTextCtrl& editor, std::string& report) {
  wxStopWatch clock;
  std::string lowered = loweredEditorBytes(editor);
  AnalysisResult result = analyzeText(
      lowered, settings,
      [&gauge](int value) {
        gauge.SetValue(value);
        gauge.Update();
      },
      RepeatedStarts::kCollapsed);
  markedWord.clear();
  applyHighlights(editor, lowered, result, settings, gauge);
  report = std::move(result.report);
  gauge.SetValue(0);
  wxLogDebug("process time %f", clock.Time() / 1000.0);
}
