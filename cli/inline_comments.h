// Verbolt comments: HTML comments of a Markdown file that switch rules off
// and on for a passage, so that a team can silence a quotation, a list of
// names or a passage meant to repeat itself where it stands.
//
//   <!-- verbolt off -->                every rule, up to the next "on"
//   <!-- verbolt off close,distant -->  the rules of those --fail-on names
//   <!-- verbolt on -->                 every rule back (or those named)
//   <!-- verbolt ignore-next-line -->   the line after the comment only
//
// The silenced text is analysed as it is: its words still count in the
// distances, so the findings around it stay where they were; only the
// findings that start inside it are left out.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "cli/lint_findings.h"

namespace verbolt {

struct SilencedRange {
  int begin = 0;  // positions of the text, end excluded
  int end = 0;
  friend bool operator==(const SilencedRange&, const SilencedRange&) = default;
};

struct InlineComments {
  // For each rule, the ranges where it is off: in order, apart.
  std::array<std::vector<SilencedRange>, kLintRuleCount> silenced;
  // A comment that names an unknown rule or command: a finding of its own
  // (kComment), at the unknown word, never a comment silently ignored.
  std::vector<LintFinding> problems;

  bool isSilenced(const LintFinding& finding) const;
};

// `markdown` is the Markdown file as the engine positions it: one
// Windows-1252 byte per character, "\n" line ends. Comments inside code
// (fenced, indented, or between backquotes) are code, not commands. An
// "off" without its "on" runs to the end of the file.
InlineComments readInlineComments(std::string_view markdown);

// Leaves out of `findings` those the comments of `markdown` silence and
// adds the comments' problems, in text order. `written` is the prose the
// findings quote, where the comments are blanks: each unknown word is put
// back there, so that its finding can quote it.
void applyInlineComments(std::string_view markdown, std::string& written,
                         std::vector<LintFinding>& findings);

}  // namespace verbolt
