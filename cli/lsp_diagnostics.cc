#include "cli/lsp_diagnostics.h"

#include "cli/analyze_output.h"
#include "cli/inline_comments.h"
#include "cli/line_columns.h"
#include "cli/lint_findings.h"
#include "text/words.h"

namespace verbolt {

namespace {

std::vector<int> positionsOf(const std::vector<LintFinding>& findings, std::string_view text) {
  std::vector<int> positions;
  positions.reserve(findings.size() * 4);
  for (const LintFinding& f : findings) {
    positions.push_back(f.start);
    positions.push_back(f.end);
    if (f.earlier >= 0) {
      positions.push_back(f.earlier);
      positions.push_back(earlierEnd(f, text));
    }
  }
  return positions;
}

void appendRangeOf(std::string& out, const LspPositions& at, int start, int end) {
  appendLspRange(out, {at.at(start), at.at(end)});
}

}  // namespace

void appendLspPosition(std::string& out, LspPosition position) {
  out += "{\"line\": ";
  appendDecimal(out, position.line);
  out += ", \"character\": ";
  appendDecimal(out, position.character);
  out += '}';
}

void appendLspRange(std::string& out, const LspRange& range) {
  out += "{\"start\": ";
  appendLspPosition(out, range.start);
  out += ", \"end\": ";
  appendLspPosition(out, range.end);
  out += '}';
}

LspDiagnostics lspDiagnostics(const LspDocument& document, const AnalysisSettings& settings,
                              LspSeverity severity) {
  EngineText engine = engineText(document);
  const std::string folded = lowercaseText(engine.prose);
  const AnalysisResult result = analyzeText(folded, settings);
  std::vector<LintFinding> findings = lintFindings(folded, result, settings.m_distantNb);
  std::string& written = engine.prose;
  if (document.markdown) applyInlineComments(engine.markdown, written, findings);

  LspDiagnostics diagnostics;
  diagnostics.count = findings.size();
  std::string& out = diagnostics.json;
  out += '[';
  if (findings.empty()) {
    out += ']';
    return diagnostics;
  }
  const LineColumns lines(written);
  const LspPositions at(document.text, positionsOf(findings, written));
  std::string uri;
  appendJsonUtf8String(uri, document.uri);
  for (const LintFinding& f : findings) {
    if (out.size() > 1) out += ", ";
    out += "{\"range\": ";
    appendRangeOf(out, at, f.start, f.end);
    out += ", \"severity\": ";
    appendDecimal(out, static_cast<int>(severity));
    out += ", \"code\": \"";
    out += lintRuleInfo(f.rule).id;
    out += "\", \"source\": \"verbolt\", \"message\": ";
    appendJsonUtf8String(out, findingMessage(f, written, lines));
    if (f.earlier >= 0) {
      out += ", \"relatedInformation\": [{\"location\": {\"uri\": " + uri + ", \"range\": ";
      appendRangeOf(out, at, f.earlier, earlierEnd(f, written));
      out += "}, \"message\": \"";
      out += earlierName(f.rule);
      out += "\"}]";
    }
    out += '}';
  }
  out += ']';
  return diagnostics;
}

}  // namespace verbolt
