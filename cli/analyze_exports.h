// verbolt-analyze --html and --docx: the web page and the Word document
// the window's exports would give for the analysed text, with the default
// colours.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "analysis/analysis_pass.h"
#include "settings/analysis_settings.h"

namespace verbolt {

// `textUtf8` is the text as read, one character for each byte of
// `loweredText`, the folded Windows-1252 text that was analysed.
std::string analysisHtml(std::string_view textUtf8, std::string_view loweredText,
                         const AnalysisResult& result, const AnalysisSettings& settings,
                         std::string_view title);

// The same for Word; nothing when the package would be too large for a
// zip (see exportDocx).
std::optional<std::string> analysisDocx(std::string_view textUtf8, std::string_view loweredText,
                                        const AnalysisResult& result,
                                        const AnalysisSettings& settings, std::string_view title);

}  // namespace verbolt
