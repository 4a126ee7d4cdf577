#include "highlight/plan/findings.h"

#include <gtest/gtest.h>

#include <vector>

namespace verbolt {

namespace {

constexpr Rgb kClose = classColour(HighlightClass::kClose);
constexpr Rgb kDistant = classColour(HighlightClass::kDistant);
constexpr Rgb kPhrase = classColour(HighlightClass::kPhrase);

const std::vector<ColourRun> kRuns = {
    {0, 4, kClose},
    {10, 14, hiddenColour(HighlightClass::kClose)},
    {20, 31, kPhrase},
    {40, 44, markedColour(HighlightClass::kDistant)},
    {50, 54, kClose},
    {60, 64, kDistant},
    {70, 74, kMarkedWithoutClass},
};

TEST(FindingsTest, ClassRunsAreFindingsAndGreyedWordsAreNot) {
  const std::vector<Finding> all = findingsIn(kRuns, false);
  const std::vector<Finding> expected = {
      {0, 4, FindingKind::kClose},     {20, 31, FindingKind::kPhrase},
      {40, 44, FindingKind::kMarked},  {50, 54, FindingKind::kClose},
      {60, 64, FindingKind::kDistant}, {70, 74, FindingKind::kMarked},
  };
  EXPECT_EQ(all, expected);

  const std::vector<Finding> marked = findingsIn(kRuns, true);
  const std::vector<Finding> expectedMarked = {{40, 44, FindingKind::kMarked},
                                               {70, 74, FindingKind::kMarked}};
  EXPECT_EQ(marked, expectedMarked);

  // Touching runs of one colour are one finding, as they show.
  const std::vector<ColourRun> touching = {{0, 4, kPhrase}, {4, 9, kPhrase}, {9, 12, kClose}};
  const std::vector<Finding> joined = {{0, 9, FindingKind::kPhrase}, {9, 12, FindingKind::kClose}};
  EXPECT_EQ(findingsIn(touching, false), joined);
}

TEST(FindingsTest, WalksForwardAndBackFromTheSelectionAndWraps) {
  const std::vector<Finding> findings = findingsIn(kRuns, false);
  // From the caret: a finding starting at the caret is the next one.
  EXPECT_EQ(findingFrom(findings, 0, 0, true), 0u);
  EXPECT_EQ(findingFrom(findings, 5, 5, true), 1u);
  // From a selected finding: the one after it, then back to it.
  EXPECT_EQ(findingFrom(findings, 20, 31, true), 2u);
  EXPECT_EQ(findingFrom(findings, 40, 44, false), 1u);
  // Walking forward through every finding comes back to the first.
  long from = 0, to = 0;
  std::vector<size_t> visited;
  for (int step = 0; step < 7; ++step) {
    const size_t index = findingFrom(findings, from, to, true);
    visited.push_back(index);
    from = findings[index].start;
    to = findings[index].end;
  }
  EXPECT_EQ(visited, (std::vector<size_t>{0, 1, 2, 3, 4, 5, 0}));
  // Backward from the first wraps to the last; from inside a finding, it
  // is the one the caret is in.
  EXPECT_EQ(findingFrom(findings, 0, 4, false), 5u);
  EXPECT_EQ(findingFrom(findings, 52, 52, false), 3u);
  EXPECT_EQ(findingFrom(findings, 1000, 1000, true), 0u);
  EXPECT_EQ(findingFrom({}, 0, 0, true), kNoFinding);
  EXPECT_EQ(findingFrom({}, 0, 0, false), kNoFinding);
}

TEST(FindingsTest, RankCountsWithinTheKind) {
  const std::vector<Finding> findings = findingsIn(kRuns, false);
  EXPECT_EQ(rankOf(findings, 0).number, 1);
  EXPECT_EQ(rankOf(findings, 0).count, 2);
  EXPECT_EQ(rankOf(findings, 3).number, 2);
  EXPECT_EQ(rankOf(findings, 5).number, 2);
  EXPECT_EQ(rankOf(findings, 5).count, 2);
  EXPECT_EQ(rankOf(findings, 4).count, 1);
}

}  // namespace

}  // namespace verbolt
