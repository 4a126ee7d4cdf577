// The outputs of verbolt-analyze over several files: each takes the
// analysed files one by one, in order, and writes as it goes.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_pass.h"
#include "cli/analyze_output.h"
#include "cli/line_columns.h"
#include "cli/lint_findings.h"
#include "text/words.h"

namespace verbolt {

enum class OutputFormat { kJson, kSummary, kLine, kSarif, kGithub };

struct AnalysedFile {
  std::string_view path;  // as named on the command line or found in a folder
  std::string_view text;  // the analysed text as written, Windows-1252
  const AnalysisResult& result;
  const TextStatistics& statistics;
  const std::vector<LintFinding>& findings;
  const LineColumns& lines;
  bool withEchoes = false;  // --echoes
};

struct LintTotals {
  long long files = 0;       // analysed
  long long unreadable = 0;  // reported on standard error and left out
  FindingCounts findings;
};

class LintReport {
 public:
  virtual ~LintReport() = default;
  virtual void begin() {}
  virtual void file(const AnalysedFile& file) = 0;
  virtual void end(const LintTotals&) {}
};

// Whether a format reports findings (and so needs them and the lines).
bool reportsFindings(OutputFormat format);

// json: the JSON object of one file, with its path first, in one array;
// summary: the summary of each file under "==> PATH <==", blank lines
// between; line: "PATH:LINE:COLUMN: RULE: MESSAGE"; github: one workflow
// command "::warning" per finding and a "::notice" that counts them; sarif:
// one SARIF 2.1.0 log. `eachStartOnce` is --unique, for the summary;
// `withEchoes` is --echoes, whose rules the counts and the log then list.
std::unique_ptr<LintReport> makeLintReport(OutputFormat format, OutputBlockSink sink,
                                           bool eachStartOnce, bool withEchoes = false);

// Defined in sarif_report.cc.
std::unique_ptr<LintReport> makeSarifReport(OutputBlockSink sink, bool withEchoes);

// A file name as UTF-8: its characters, and each byte that is no part of
// a UTF-8 character as "\xNN", so that such a name is never shown as
// another one.
std::string pathAsUtf8(std::string_view path);

// The same for one line of plain output: a control character (a line end,
// an escape code) is "\xNN" too, so that a name never makes a line of its
// own nor drives the terminal.
std::string pathOnALine(std::string_view path);

}  // namespace verbolt
