#include "cli/analyze_html.h"

#include <vector>

#include "export/html_export.h"
#include "highlight/plan/paint_plan.h"
#include "strings/localized_text.h"
#include "text/cp1252.h"

namespace {

// The section titles of the four switches, as the settings pane shows them.
constexpr int kCloseTitle = 27;
constexpr int kDistantTitle = 32;
constexpr int kSearchedTitle = 38;
constexpr int kPhraseTitle = 49;

std::vector<LegendEntry> defaultLegend() {
  auto entry = [](HighlightClass highlight, int titleId) {
    return LegendEntry{classColour(highlight), cp1252ToUtf8(LocalizedText(titleId))};
  };
  return {entry(HighlightClass::kClose, kCloseTitle),
          entry(HighlightClass::kDistant, kDistantTitle),
          entry(HighlightClass::kSearched, kSearchedTitle),
          entry(HighlightClass::kPhrase, kPhraseTitle)};
}

}  // namespace

std::string analysisHtml(std::string_view textUtf8, std::string_view loweredText,
                         const AnalysisResult& result, const AnalysisSettings& settings,
                         std::string_view title) {
  const std::vector<ColourRun> runs = planHighlights(loweredText, result, settings);
  const std::string report = cp1252ToUtf8(result.report);
  const std::vector<LegendEntry> legend = defaultLegend();
  return exportHtml({textUtf8, runs, report, title, legend});
}
