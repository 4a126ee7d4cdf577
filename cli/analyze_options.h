// The command line of verbolt-analyze. Each option is one row of a table
// in analyze_options.cc, so a new one is one row and one field here.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cli/lint_findings.h"
#include "cli/lint_report.h"

namespace verbolt {

struct AnalyzeOptions {
  bool help = false;
  // --lsp: a language server over standard input and output.
  bool lsp = false;
  bool unique = false;
  bool utf8 = false;
  // --no-ignore-files: the books' .verbolt-ignore files are left out.
  bool noIgnoreFiles = false;
  // --skip-names: the names of each file's characters are skipped.
  bool skipNames = false;
  // --echoes: phrase echoes and repeated sentence openings are found too.
  bool echoes = false;
  // --fail-on named echo or opening, which only --echoes finds.
  bool failOnEchoes = false;
  std::optional<std::string> configPath;
  std::optional<std::string> htmlPath;
  std::optional<std::string> docxPath;
  // --format, or --summary; none: one text file and its JSON object.
  std::optional<OutputFormat> format;
  // --format itself, which gives the linter's exit statuses; --summary
  // keeps those of the one-file call.
  bool formatGiven = false;
  // --fail-on: the kinds of finding that make the exit status 1; none
  // given leaves the statuses of the single-file call.
  std::optional<std::array<bool, kLintRuleCount>> failOn;
  // --baseline FILE: only the findings beyond its counts are reported;
  // --prune-baseline rewrites it without the entries that no longer match.
  std::optional<std::string> baselinePath;
  bool pruneBaseline = false;
  // --write-baseline FILE: the counts of today's findings are written there.
  std::optional<std::string> writeBaselinePath;
  // --families: beginning, lemma-fr or lemma-en.
  std::string families = "beginning";
  std::vector<std::string> operands;  // files, folders, "-"
};

struct ParsedOptions {
  AnalyzeOptions options;
  std::string problem;  // empty when the command line is sound
};

// Checks only the command line itself; whether the operands are files or
// folders is for the caller.
ParsedOptions parseAnalyzeOptions(const std::vector<std::string>& arguments);

}  // namespace verbolt
