// The results of an analysis as a linter reports them: one finding for
// each thing a writer should look at, at the place where it shows, rather
// than the engine's lists of positions to paint.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_pass.h"
#include "cli/line_columns.h"

namespace verbolt {

enum class LintRule {
  kCloseRepetition,
  kDistantRepetition,
  kSearchedWord,
  kSearchedPhrase,
  kPhraseEcho,
  kSentenceOpening,
  // A verbolt comment of a Markdown file that names no rule or command.
  kComment
};
constexpr size_t kLintRuleCount = 7;

struct LintRuleInfo {
  LintRule rule;
  std::string_view id;       // "close-repetition"
  std::string_view kind;     // the name --fail-on takes: "close"
  std::string_view summary;  // one sentence
};

// In the order of LintRule: all of them, or those of a run without the
// echoes (the echoes' two left out).
std::span<const LintRuleInfo> lintRules(bool withEchoes = true);
// Where `rule` stands in lintRules(withEchoes).
size_t lintRuleIndex(LintRule rule, bool withEchoes);
// The rule whose --fail-on name is `kind`, or none.
const LintRuleInfo* lintRuleOfKind(std::string_view kind);
const LintRuleInfo& lintRuleInfo(LintRule rule);

// What is wrong with a verbolt comment (the `count` of its finding).
enum class CommentProblem { kUnknownRule, kUnknownCommand, kNoCommand };

// Not plain Finding: the window's F3 walk has a Finding of its own
// (highlight/plan/findings.h), and one program may link both.
struct LintFinding {
  LintRule rule = LintRule::kCloseRepetition;
  int start = 0;        // where it is reported
  int end = 0;          // just behind the word or phrase reported
  int earlier = -1;     // close: the first of the pair; distant: the first of the window;
                        // echoes: the occurrence echoed
  int count = 0;        // distant: the occurrences in the window; comment: a CommentProblem
  int earlierEnd = -1;  // echoes: the end of the occurrence echoed
  friend bool operator==(const LintFinding&, const LintFinding&) = default;
};

// `text` is the analysed text (folded or not); `result` has the repetition
// lists kept in full, and `distantNb` is the ring size it was made with.
// A close repetition gives one finding per pair, at its second occurrence;
// a distant one gives one per word and window, at the occurrence that
// completes the count; pairs and windows that several similar words share
// are reported once. Each occurrence of a phrase echo or a repeated
// opening that has one before it gives a finding. In text order.
std::vector<LintFinding> lintFindings(std::string_view text, const AnalysisResult& result,
                                      int distantNb);

// `text` is the analysed text as written, Windows-1252; the message is
// UTF-8, e.g. "\"text\" again 76 letters after 3:12".
std::string findingMessage(const LintFinding& finding, std::string_view text,
                           const LineColumns& lines);

// What the earlier occurrence of a finding is to it: "the first of the
// pair", "the first of the window", "the occurrence echoed".
std::string_view earlierName(LintRule rule);
// Just behind the earlier occurrence (the word, or the phrase echoed).
int earlierEnd(const LintFinding& finding, std::string_view text);

struct FindingCounts {
  std::array<long long, kLintRuleCount> byRule{};
  long long total() const;
  void add(const FindingCounts& other);
};
FindingCounts countFindings(const std::vector<LintFinding>& findings);

}  // namespace verbolt
