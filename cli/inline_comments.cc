#include "cli/inline_comments.h"

#include <algorithm>
#include <optional>

namespace verbolt {

namespace {

constexpr std::string_view kOpen = "<!--";
constexpr std::string_view kClose = "-->";
constexpr std::string_view kName = "verbolt";

using RuleSet = std::array<bool, kLintRuleCount>;

enum class Command { kOff, kOn, kIgnoreNextLine };

struct Directive {
  Command command = Command::kOff;
  RuleSet rules{};
  int begin = 0;  // the "<!--"
  int end = 0;    // just behind the "-->"
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A word of the comment: letters, digits, "-" and "_"; commas and blanks
// part them.
struct Word {
  std::string_view text;
  int at = 0;
};

std::vector<Word> wordsOf(std::string_view body, int at) {
  std::vector<Word> words;
  size_t i = 0;
  while (i < body.size()) {
    if (isBlank(body[i]) || body[i] == ',') {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < body.size() && !isBlank(body[i]) && body[i] != ',') ++i;
    words.push_back({body.substr(start, i - start), at + static_cast<int>(start)});
  }
  return words;
}

LintFinding problemAt(const Word& word, CommentProblem problem) {
  return {LintRule::kComment, word.at, word.at + static_cast<int>(word.text.size()), -1,
          static_cast<int>(problem)};
}

std::optional<Command> commandNamed(std::string_view name) {
  if (name == "off") return Command::kOff;
  if (name == "on") return Command::kOn;
  if (name == "ignore-next-line") return Command::kIgnoreNextLine;
  return std::nullopt;
}

// The rules a comment names; none named is every rule.
RuleSet rulesNamed(const std::vector<Word>& names, std::vector<LintFinding>& problems) {
  RuleSet rules{};
  if (names.empty()) rules.fill(true);
  for (const Word& name : names) {
    const LintRuleInfo* info = lintRuleOfKind(name.text);
    if (name.text == "all") {
      rules.fill(true);
    } else if (info && info->rule != LintRule::kComment) {
      rules[static_cast<size_t>(info->rule)] = true;
    } else {
      problems.push_back(problemAt(name, CommentProblem::kUnknownRule));
    }
  }
  // A comment's own problems are never silenced.
  rules[static_cast<size_t>(LintRule::kComment)] = false;
  return rules;
}

// `body` is what stands between "<!--" and "-->"; a comment that does not
// start with the word "verbolt" is any writer's comment.
std::optional<Directive> directiveOf(std::string_view body, int bodyAt,
                                     std::vector<LintFinding>& problems) {
  std::vector<Word> words = wordsOf(body, bodyAt);
  if (words.empty() || words[0].text != kName) return std::nullopt;
  if (words.size() == 1) {
    problems.push_back(problemAt(words[0], CommentProblem::kNoCommand));
    return std::nullopt;
  }
  const std::optional<Command> command = commandNamed(words[1].text);
  if (!command) {
    problems.push_back(problemAt(words[1], CommentProblem::kUnknownCommand));
    return std::nullopt;
  }
  Directive directive;
  directive.command = *command;
  directive.rules = rulesNamed(std::vector<Word>(words.begin() + 2, words.end()), problems);
  return directive;
}

// Code is where a Markdown reader shows a comment as it is written.
class CodeTracker {
 public:
  // Called with each line in order; true when the line is code.
  bool isCode(std::string_view line) {
    const size_t indent = line.find_first_not_of(' ');
    const std::string_view rest = indent == std::string_view::npos ? "" : line.substr(indent);
    const bool blank = rest.empty() || rest.find_first_not_of(" \t\r") == std::string_view::npos;
    if (m_fence) {
      if (indent <= 3 && isFence(rest) && rest[0] == m_fenceChar &&
          fenceLength(rest) >= m_fenceLength) {
        m_fence = false;
      }
      m_previousBlank = blank;
      return true;
    }
    if (indent <= 3 && isFence(rest)) {
      m_fence = true;
      m_fenceChar = rest[0];
      m_fenceLength = fenceLength(rest);
      return true;
    }
    const bool indented = !blank && (indent >= 4 || (!line.empty() && line[0] == '\t'));
    const bool code = indented && (m_previousBlank || m_indentedCode);
    m_indentedCode = code;
    m_previousBlank = blank;
    return code;
  }

 private:
  static size_t fenceLength(std::string_view rest) {
    return std::min(rest.find_first_not_of(rest[0]), rest.size());
  }
  static bool isFence(std::string_view rest) {
    return rest.size() >= 3 && (rest[0] == '`' || rest[0] == '~') && fenceLength(rest) >= 3;
  }

  bool m_fence = false;
  char m_fenceChar = 0;
  size_t m_fenceLength = 0;
  bool m_previousBlank = true;
  bool m_indentedCode = false;
};

bool insideCodeSpan(std::string_view lineBefore) {
  return std::count(lineBefore.begin(), lineBefore.end(), '`') % 2 == 1;
}

std::vector<Directive> directivesOf(std::string_view text, std::vector<LintFinding>& problems) {
  std::vector<Directive> directives;
  CodeTracker code;
  size_t lineStart = 0;
  while (lineStart < text.size()) {
    size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    size_t next = lineEnd + 1;
    if (!code.isCode(line)) {
      for (size_t open = line.find(kOpen); open != std::string_view::npos;
           open = line.find(kOpen, open + kOpen.size())) {
        if (insideCodeSpan(line.substr(0, open))) continue;
        const size_t bodyAt = lineStart + open + kOpen.size();
        const size_t close = text.find(kClose, bodyAt);
        if (close == std::string_view::npos) break;
        std::optional<Directive> directive =
            directiveOf(text.substr(bodyAt, close - bodyAt), static_cast<int>(bodyAt), problems);
        if (directive) {
          directive->begin = static_cast<int>(lineStart + open);
          directive->end = static_cast<int>(close + kClose.size());
          directives.push_back(*directive);
        }
        // A comment over several lines ends the scan of its first one.
        if (close >= lineEnd) {
          next = text.find('\n', close);
          next = next == std::string_view::npos ? text.size() : next + 1;
          break;
        }
        open = close - lineStart;
      }
    }
    lineStart = next;
  }
  return directives;
}

// The line after the one where `position` stands.
SilencedRange nextLine(std::string_view text, int position) {
  const size_t end = text.find('\n', static_cast<size_t>(position));
  if (end == std::string_view::npos)
    return {static_cast<int>(text.size()), static_cast<int>(text.size())};
  size_t after = text.find('\n', end + 1);
  if (after == std::string_view::npos) after = text.size();
  return {static_cast<int>(end + 1), static_cast<int>(after)};
}

void mergeRanges(std::vector<SilencedRange>& ranges) {
  std::sort(ranges.begin(), ranges.end(),
            [](const SilencedRange& a, const SilencedRange& b) { return a.begin < b.begin; });
  std::vector<SilencedRange> merged;
  for (const SilencedRange& range : ranges) {
    if (range.begin >= range.end) continue;
    if (!merged.empty() && range.begin <= merged.back().end) {
      merged.back().end = std::max(merged.back().end, range.end);
    } else {
      merged.push_back(range);
    }
  }
  ranges = std::move(merged);
}

}  // namespace

bool InlineComments::isSilenced(const LintFinding& finding) const {
  const std::vector<SilencedRange>& ranges = silenced[static_cast<size_t>(finding.rule)];
  const auto after = std::upper_bound(
      ranges.begin(), ranges.end(), finding.start,
      [](int position, const SilencedRange& range) { return position < range.begin; });
  return after != ranges.begin() && finding.start < std::prev(after)->end;
}

InlineComments readInlineComments(std::string_view markdown) {
  InlineComments comments;
  std::array<int, kLintRuleCount> offSince;
  offSince.fill(-1);
  for (const Directive& directive : directivesOf(markdown, comments.problems)) {
    for (size_t rule = 0; rule < kLintRuleCount; ++rule) {
      if (!directive.rules[rule]) continue;
      std::vector<SilencedRange>& ranges = comments.silenced[rule];
      if (directive.command == Command::kIgnoreNextLine) {
        ranges.push_back(nextLine(markdown, directive.end));
      } else if (directive.command == Command::kOff && offSince[rule] < 0) {
        offSince[rule] = directive.end;
      } else if (directive.command == Command::kOn && offSince[rule] >= 0) {
        ranges.push_back({offSince[rule], directive.begin});
        offSince[rule] = -1;
      }
    }
  }
  for (size_t rule = 0; rule < kLintRuleCount; ++rule) {
    if (offSince[rule] >= 0) {
      comments.silenced[rule].push_back({offSince[rule], static_cast<int>(markdown.size())});
    }
    mergeRanges(comments.silenced[rule]);
  }
  return comments;
}

void applyInlineComments(std::string_view markdown, std::string& written,
                         std::vector<LintFinding>& findings) {
  // Most files have no comment at all: nothing to read.
  if (markdown.find(kOpen) == std::string_view::npos) return;
  const InlineComments comments = readInlineComments(markdown);
  std::erase_if(findings, [&](const LintFinding& f) { return comments.isSilenced(f); });
  if (comments.problems.empty()) return;
  for (const LintFinding& problem : comments.problems) {
    const size_t at = static_cast<size_t>(problem.start);
    const size_t length = static_cast<size_t>(problem.end - problem.start);
    if (at + length <= written.size()) written.replace(at, length, markdown.substr(at, length));
    findings.push_back(problem);
  }
  std::stable_sort(findings.begin(), findings.end(),
                   [](const LintFinding& a, const LintFinding& b) { return a.start < b.start; });
}

}  // namespace verbolt
