#include "cli/analyze_html.h"

#include <vector>

#include "export/html_export.h"
#include "export/legend.h"
#include "highlight/plan/paint_plan.h"
#include "text/cp1252.h"

namespace verbolt {

std::string analysisHtml(std::string_view textUtf8, std::string_view loweredText,
                         const AnalysisResult& result, const AnalysisSettings& settings,
                         std::string_view title) {
  const std::vector<ColourRun> runs = planHighlights(loweredText, result, settings);
  const std::string report = cp1252ToUtf8(result.report);
  const std::vector<LegendEntry> legend = exportLegend(LegendExtent::kClasses, settings.m_echoes);
  return exportHtml({textUtf8, runs, report, title, legend});
}

}  // namespace verbolt
