#include "cli/lint_findings.h"

#include <algorithm>
#include <tuple>

#include "text/cp1252.h"
#include "text/words.h"

namespace verbolt {

namespace {

constexpr std::array<LintRuleInfo, kLintRuleCount> kRules = {{
    {LintRule::kCloseRepetition, "close-repetition", "close",
     "A word comes back closer to its last occurrence than the close distance."},
    {LintRule::kDistantRepetition, "distant-repetition", "distant",
     "A word comes back as many times as the distant count within the distant distance."},
    {LintRule::kSearchedWord, "searched-word", "searched",
     "A word of the searched length, of the word list, or containing a listed part."},
    {LintRule::kSearchedPhrase, "searched-phrase", "phrase",
     "The letters of a listed phrase, whatever separators stand between them."},
    {LintRule::kPhraseEcho, "phrase-echo", "echo",
     "A phrase of a few words comes back within the echo distance."},
    {LintRule::kSentenceOpening, "sentence-opening", "opening",
     "Sentences close together open with the same word."},
    {LintRule::kComment, "verbolt-comment", "comment",
     "A verbolt comment names a rule or a command that does not exist."},
}};

// The same rules without the echoes', for ruleIndex and the counts.
constexpr std::array<LintRuleInfo, kLintRuleCount - 2> kRulesWithoutEchoes = {
    {kRules[0], kRules[1], kRules[2], kRules[3], kRules[6]}};

int endOfWord(std::string_view text, int start) {
  return static_cast<int>(wordEndAt(text, static_cast<size_t>(start)));
}

void addCloseFindings(std::string_view text, const std::vector<int>& closeStarts,
                      std::vector<LintFinding>& findings) {
  for (size_t i = 0; i + 1 < closeStarts.size(); i += 2) {
    const int first = closeStarts[i];
    const int second = closeStarts[i + 1];
    findings.push_back({LintRule::kCloseRepetition, second, endOfWord(text, second), first, 0});
  }
}

void addDistantFindings(std::string_view text, const std::vector<int>& distantStarts, int distantNb,
                        std::vector<LintFinding>& findings) {
  const size_t n = static_cast<size_t>(std::max(distantNb, 1));
  for (size_t i = 0; i + n <= distantStarts.size(); i += n) {
    const auto [oldest, newest] =
        std::minmax_element(distantStarts.begin() + i, distantStarts.begin() + i + n);
    findings.push_back(
        {LintRule::kDistantRepetition, *newest, endOfWord(text, *newest), *oldest, distantNb});
  }
}

void addSearchFindings(std::string_view text, const AnalysisResult& result,
                       std::vector<LintFinding>& findings) {
  for (int start : result.searchedStarts) {
    findings.push_back({LintRule::kSearchedWord, start, endOfWord(text, start), -1, 0});
  }
  for (size_t i = 0; i + 1 < result.phraseRanges.size(); i += 2) {
    const int start = result.phraseRanges[i];
    findings.push_back(
        {LintRule::kSearchedPhrase, start, start + result.phraseRanges[i + 1], -1, 0});
  }
}

// Each occurrence that echoes one before it; the ranges come by their start.
void addEchoFindings(const std::vector<EchoRange>& ranges, LintRule rule,
                     std::vector<LintFinding>& findings) {
  for (const EchoRange& range : ranges) {
    if (range.earlier == kNoEarlier) continue;
    const auto echoed = std::partition_point(
        ranges.begin(), ranges.end(), [&](const EchoRange& r) { return r.begin < range.earlier; });
    const int earlierEnd = echoed != ranges.end() && echoed->begin == range.earlier
                               ? static_cast<int>(echoed->end)
                               : -1;
    findings.push_back({rule, static_cast<int>(range.begin), static_cast<int>(range.end),
                        static_cast<int>(range.earlier), 0, earlierEnd});
  }
}

auto orderKey(const LintFinding& f) { return std::tie(f.start, f.rule, f.earlier, f.end, f.count); }

std::string quoted(std::string_view cp1252) { return "\"" + cp1252ToUtf8(cp1252) + "\""; }

// A phrase may run over line ends and markup: its quote is one line.
std::string phraseQuote(std::string_view cp1252) {
  std::string flat;
  for (char c : cp1252) {
    const bool blank = static_cast<unsigned char>(c) <= ' ';
    if (!blank) {
      flat += c;
    } else if (!flat.empty() && flat.back() != ' ') {
      flat += ' ';
    }
  }
  while (!flat.empty() && flat.back() == ' ') flat.pop_back();
  return quoted(flat);
}

std::string place(const LineColumns& lines, int position) {
  const LineColumn at = lines.at(static_cast<size_t>(position));
  return std::to_string(at.line) + ":" + std::to_string(at.column);
}

std::string_view wordAt(std::string_view text, int start) {
  return text.substr(static_cast<size_t>(start),
                     static_cast<size_t>(endOfWord(text, start) - start));
}

std::string closeMessage(const LintFinding& f, std::string_view text, const LineColumns& lines) {
  const std::string_view word = wordAt(text, f.start);
  const std::string_view first = wordAt(text, f.earlier);
  const std::string distance = std::to_string(f.start - f.earlier) + " letters after ";
  if (lowercaseText(word) == lowercaseText(first)) {
    return quoted(word) + " again " + distance + place(lines, f.earlier);
  }
  return quoted(word) + " " + distance + quoted(first) + " at " + place(lines, f.earlier);
}

// The comment's own word is quoted: the text holds it where it stands.
std::string commentMessage(const LintFinding& f, std::string_view text) {
  const std::string named =
      quoted(text.substr(static_cast<size_t>(f.start), static_cast<size_t>(f.end - f.start)));
  switch (static_cast<CommentProblem>(f.count)) {
    case CommentProblem::kUnknownRule:
      return named +
             " is no rule: a verbolt comment names close, distant, searched, phrase, echo, "
             "opening or all";
    case CommentProblem::kUnknownCommand:
      return named + " is no verbolt comment: it says off, on or ignore-next-line";
    case CommentProblem::kNoCommand:
      break;
  }
  return "a verbolt comment says off, on or ignore-next-line";
}

}  // namespace

std::span<const LintRuleInfo> lintRules(bool withEchoes) {
  if (withEchoes) return kRules;
  return kRulesWithoutEchoes;
}

size_t lintRuleIndex(LintRule rule, bool withEchoes) {
  const std::span<const LintRuleInfo> rules = lintRules(withEchoes);
  for (size_t i = 0; i < rules.size(); ++i) {
    if (rules[i].rule == rule) return i;
  }
  return rules.size();
}

const LintRuleInfo* lintRuleOfKind(std::string_view kind) {
  for (const LintRuleInfo& info : kRules) {
    if (info.kind == kind) return &info;
  }
  return nullptr;
}

const LintRuleInfo& lintRuleInfo(LintRule rule) { return kRules[static_cast<size_t>(rule)]; }

std::vector<LintFinding> lintFindings(std::string_view text, const AnalysisResult& result,
                                      int distantNb) {
  std::vector<LintFinding> findings;
  addCloseFindings(text, result.closeStarts, findings);
  addDistantFindings(text, result.distantStarts, distantNb, findings);
  addSearchFindings(text, result, findings);
  addEchoFindings(result.phraseEchoes, LintRule::kPhraseEcho, findings);
  addEchoFindings(result.sentenceOpenings, LintRule::kSentenceOpening, findings);
  std::sort(findings.begin(), findings.end(),
            [](const LintFinding& a, const LintFinding& b) { return orderKey(a) < orderKey(b); });
  findings.erase(std::unique(findings.begin(), findings.end()), findings.end());
  return findings;
}

std::string findingMessage(const LintFinding& f, std::string_view text, const LineColumns& lines) {
  switch (f.rule) {
    case LintRule::kCloseRepetition:
      return closeMessage(f, text, lines);
    case LintRule::kDistantRepetition:
      return quoted(wordAt(text, f.start)) + " " + std::to_string(f.count) + " times within " +
             std::to_string(f.start - f.earlier) + " letters, from " + place(lines, f.earlier);
    case LintRule::kSearchedWord:
      return "searched word " + quoted(wordAt(text, f.start));
    case LintRule::kSearchedPhrase:
      return "searched phrase " + phraseQuote(text.substr(static_cast<size_t>(f.start),
                                                          static_cast<size_t>(f.end - f.start)));
    case LintRule::kPhraseEcho:
      return phraseQuote(
                 text.substr(static_cast<size_t>(f.start), static_cast<size_t>(f.end - f.start))) +
             " again " + std::to_string(f.start - f.earlier) + " letters after " +
             place(lines, f.earlier);
    case LintRule::kSentenceOpening:
      return quoted(wordAt(text, f.start)) + " opens a sentence again, as at " +
             place(lines, f.earlier);
    case LintRule::kComment:
      return commentMessage(f, text);
  }
  return {};
}

std::string_view earlierName(LintRule rule) {
  switch (rule) {
    case LintRule::kCloseRepetition:
      return "the first of the pair";
    case LintRule::kDistantRepetition:
      return "the first of the window";
    default:
      return "the occurrence echoed";
  }
}

int earlierEnd(const LintFinding& finding, std::string_view text) {
  return finding.earlierEnd >= 0 ? finding.earlierEnd : endOfWord(text, finding.earlier);
}

long long FindingCounts::total() const {
  long long sum = 0;
  for (long long count : byRule) sum += count;
  return sum;
}

void FindingCounts::add(const FindingCounts& other) {
  for (size_t i = 0; i < kLintRuleCount; ++i) byRule[i] += other.byRule[i];
}

FindingCounts countFindings(const std::vector<LintFinding>& findings) {
  FindingCounts counts;
  for (const LintFinding& f : findings) ++counts.byRule[static_cast<size_t>(f.rule)];
  return counts;
}

}  // namespace verbolt
