// A baseline: the findings a team accepts today, as counts per file and
// rule, so that a check fails only on the findings that come after it.
// Counts, not lines: an edit elsewhere in a file moves its findings but
// leaves the baseline as true as it was.
//
//   {
//     "version": 1,
//     "files": {
//       "docs/guide.md": {"close-repetition": 3, "distant-repetition": 1}
//     }
//   }
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cli/lint_findings.h"

namespace verbolt {

struct Baseline {
  // Path, relative to the working folder, then rule id, then count (> 0).
  std::map<std::string, std::map<std::string, long long>> counts;

  void add(const std::string& key, const std::vector<LintFinding>& findings);
  long long count(const std::string& key, LintRule rule) const;
};

// The key of a file: its path relative to the working folder, "/" between
// folders, as UTF-8 (a byte that is no part of a character as "\xNN").
std::string baselineKey(std::string_view path);

// The file's text, in a stable order: files and rules by name.
std::string baselineJson(const Baseline& baseline);

// False, with one English sentence in `problem`, when `text` is no
// baseline.
bool parseBaseline(std::string_view text, Baseline& baseline, std::string& problem);

// The findings of one file (in text order) beyond the baseline's count of
// their rule: the last ones of each rule, by position, where a count is
// exceeded. In text order.
std::vector<LintFinding> findingsBeyond(const Baseline& baseline, const std::string& key,
                                        const std::vector<LintFinding>& findings);

// Entries that no longer match: a rule of a checked file found fewer times
// than counted, or a file that is gone. `today` holds the counts of the
// files checked in this run.
struct StaleEntry {
  std::string key;
  std::string rule;
  long long counted = 0;
  long long found = 0;  // -1: the file is gone
};
std::vector<StaleEntry> staleEntries(const Baseline& baseline, const Baseline& today,
                                     const std::vector<std::string>& checkedKeys);

// The entries in one line, for the team to prune.
std::string staleLine(const std::vector<StaleEntry>& stale);

// The baseline without its stale entries: each count lowered to what was
// found, a gone file left out.
Baseline prunedBaseline(const Baseline& baseline, const std::vector<StaleEntry>& stale);

}  // namespace verbolt
