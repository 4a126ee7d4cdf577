#include "cli/analyze_exports.h"

#include <vector>

#include "export/docx_export.h"
#include "export/html_export.h"
#include "export/legend.h"
#include "highlight/plan/paint_plan.h"
#include "text/cp1252.h"

namespace verbolt {

namespace {

// Hands `write` the document of the analysis, whose parts live as long as
// the call.
template <typename Writer>
auto exportAnalysis(std::string_view textUtf8, std::string_view loweredText,
                    const AnalysisResult& result, const AnalysisSettings& settings,
                    std::string_view title, Writer write) {
  const std::vector<ColourRun> runs = planHighlights(loweredText, result, settings);
  const std::string report = cp1252ToUtf8(result.report);
  const std::vector<LegendEntry> legend = exportLegend(LegendExtent::kClasses, settings.m_echoes);
  return write(ExportDocument{textUtf8, runs, report, title, legend});
}

}  // namespace

std::string analysisHtml(std::string_view textUtf8, std::string_view loweredText,
                         const AnalysisResult& result, const AnalysisSettings& settings,
                         std::string_view title) {
  return exportAnalysis(textUtf8, loweredText, result, settings, title, exportHtml);
}

std::optional<std::string> analysisDocx(std::string_view textUtf8, std::string_view loweredText,
                                        const AnalysisResult& result,
                                        const AnalysisSettings& settings, std::string_view title) {
  return exportAnalysis(textUtf8, loweredText, result, settings, title, exportDocx);
}

}  // namespace verbolt
