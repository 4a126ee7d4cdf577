// The findings of an open document as the editor shows them: LSP
// diagnostics, each with its rule as its code and the occurrence it
// repeats as related information.
#pragma once

#include <string>

#include "cli/lsp_document.h"
#include "settings/analysis_settings.h"

namespace verbolt {

// How the editor marks a finding: LSP's severities 3 and 4.
enum class LspSeverity { kInformation = 3, kHint = 4 };

struct LspDiagnostics {
  std::string json;  // the "diagnostics" array
  size_t count = 0;
};

// Analyses `document` with `settings` (clamped, the book's words added) and
// gives its findings in text order; in Markdown, the verbolt comments
// silence theirs.
LspDiagnostics lspDiagnostics(const LspDocument& document, const AnalysisSettings& settings,
                              LspSeverity severity);

// Appends {"line": L, "character": C} and the range of two such.
void appendLspPosition(std::string& out, LspPosition position);
void appendLspRange(std::string& out, const LspRange& range);

}  // namespace verbolt
