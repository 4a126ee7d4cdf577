#include "cli/inline_comments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manuscript/markdown_prose.h"
#include "settings/analysis_settings.h"
#include "text/words.h"

namespace verbolt {

namespace {

// Where `what` first stands in `text`, as a position.
int at(std::string_view text, std::string_view what, size_t from = 0) {
  return static_cast<int>(text.find(what, from));
}

struct Linted {
  std::string written;
  std::vector<LintFinding> findings;
};

// The findings of an ASCII Markdown text with the defaults, as the linter
// makes them.
Linted lint(const std::string& markdown) {
  Linted linted;
  linted.written = markdownProse(markdown);
  const std::string folded = lowercaseText(linted.written);
  const AnalysisSettings& settings = AnalysisSettings::Defaults();
  linted.findings = lintFindings(folded, analyzeText(folded, settings), settings.m_distantNb);
  applyInlineComments(markdown, linted.written, linted.findings);
  return linted;
}

std::vector<int> startsOf(const std::vector<LintFinding>& findings, LintRule rule) {
  std::vector<int> starts;
  for (const LintFinding& f : findings) {
    if (f.rule == rule) starts.push_back(f.start);
  }
  return starts;
}

TEST(InlineComments, OffAndOnBoundAPassageForEveryRuleOrTheNamedOnes) {
  const std::string text =
      "a <!-- verbolt off --> b <!-- verbolt on --> c\n"
      "<!-- verbolt off close, distant -->\nd\n<!-- verbolt on close -->\ne";
  const InlineComments comments = readInlineComments(text);
  EXPECT_TRUE(comments.problems.empty());
  const int firstOff = at(text, " b ");
  const int firstOn = at(text, "<!-- verbolt on");
  const int secondOff = at(text, "\nd");
  const int secondOn = at(text, "<!-- verbolt on close");
  EXPECT_EQ(comments.silenced[0],
            (std::vector<SilencedRange>{{firstOff, firstOn}, {secondOff, secondOn}}));
  // Distant is never switched back on: it stays off to the end.
  EXPECT_EQ(comments.silenced[1],
            (std::vector<SilencedRange>{{firstOff, firstOn},
                                        {secondOff, static_cast<int>(text.size())}}));
  EXPECT_EQ(comments.silenced[2], (std::vector<SilencedRange>{{firstOff, firstOn}}));
  EXPECT_TRUE(comments.silenced[static_cast<size_t>(LintRule::kComment)].empty());
}

TEST(InlineComments, IgnoreNextLineSilencesTheLineAfterTheComment) {
  const std::string text = "one\n<!-- verbolt ignore-next-line phrase -->\ntwo two\nthree";
  const InlineComments comments = readInlineComments(text);
  const SilencedRange two = {at(text, "two"), at(text, "\nthree")};
  EXPECT_EQ(comments.silenced[static_cast<size_t>(LintRule::kSearchedPhrase)],
            std::vector<SilencedRange>{two});
  EXPECT_TRUE(comments.silenced[0].empty());
}

TEST(InlineComments, UnknownNamesAreFindingsAndSilenceNothing) {
  const std::string text =
      "<!-- verbolt off clse -->\n<!-- verbolt of -->\n<!-- verbolt -->\n<!-- a note -->";
  const InlineComments comments = readInlineComments(text);
  ASSERT_EQ(comments.problems.size(), 3u);
  EXPECT_EQ(comments.problems[0],
            (LintFinding{LintRule::kComment, at(text, "clse"), at(text, "clse") + 4, -1,
                         static_cast<int>(CommentProblem::kUnknownRule)}));
  EXPECT_EQ(comments.problems[1].start, at(text, "of "));
  EXPECT_EQ(comments.problems[1].count, static_cast<int>(CommentProblem::kUnknownCommand));
  EXPECT_EQ(comments.problems[2].count, static_cast<int>(CommentProblem::kNoCommand));
  for (const std::vector<SilencedRange>& ranges : comments.silenced) EXPECT_TRUE(ranges.empty());
}

TEST(InlineComments, CommentsInCodeAreCode) {
  const std::string text =
      "```\n<!-- verbolt off -->\n```\n\n    <!-- verbolt off -->\n\n"
      "Write `<!-- verbolt off -->` to silence.\n<!-- verbolt off\n  distant -->\nend";
  const InlineComments comments = readInlineComments(text);
  // Only the last comment, over two lines, is one.
  const SilencedRange last = {at(text, "\nend"), static_cast<int>(text.size())};
  EXPECT_EQ(comments.silenced[1], std::vector<SilencedRange>{last});
  EXPECT_TRUE(comments.silenced[0].empty());
}

TEST(InlineComments, SilencedTextStillCountsInTheDistances) {
  // "house" three times: the silenced middle one is no finding, but the
  // third is still 'again after' the second, not after the first.
  const std::string plain = "The house.\nThe house.\nThe house.\n";
  const std::string silenced =
      "The house.\n<!-- verbolt ignore-next-line -->\nThe house.\nThe house.\n";
  const Linted before = lint(plain);
  const Linted after = lint(silenced);
  ASSERT_EQ(before.findings.size(), 2u);
  ASSERT_EQ(after.findings.size(), 1u);
  EXPECT_EQ(after.findings[0].start, static_cast<int>(silenced.rfind("house")));
  EXPECT_EQ(after.findings[0].earlier, at(silenced, "house", at(silenced, "-->")));
}

TEST(InlineComments, AProblemIsReportedInTextOrderAndQuotesItsWord) {
  const std::string text = "chat chat <!-- verbolt off closed --> chat";
  const Linted linted = lint(text);
  ASSERT_EQ(startsOf(linted.findings, LintRule::kComment), std::vector<int>{at(text, "closed")});
  EXPECT_EQ(startsOf(linted.findings, LintRule::kCloseRepetition),
            (std::vector<int>{at(text, "chat", 1), static_cast<int>(text.rfind("chat"))}));
  EXPECT_EQ(linted.findings[1].rule, LintRule::kComment);
  const LineColumns lines(linted.written);
  EXPECT_EQ(findingMessage(linted.findings[1], linted.written, lines),
            "\"closed\" is no rule: a verbolt comment names close, distant, searched, phrase, "
            "echo, opening or all");
}

}  // namespace

}  // namespace verbolt
