#include "highlight/plan/spread.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace verbolt {
namespace {

TEST(Spread, CountsEachOccurrenceInItsStretch) {
  EXPECT_EQ(spreadCounts({0, 9, 10, 55, 99}, 100, 10),
            (std::vector<int>{2, 1, 0, 0, 0, 1, 0, 0, 0, 1}));
  // Bunched in one chapter, or spread evenly.
  std::vector<long> bunched, even;
  for (long i = 0; i < 12; ++i) {
    bunched.push_back(3000 + i * 20);
    even.push_back(i * 1000 + 10);
  }
  const std::vector<int> b = spreadCounts(bunched, 12000, 12);
  EXPECT_EQ(b[3], 12);
  EXPECT_EQ(std::count(b.begin(), b.end(), 0), 11);
  EXPECT_EQ(spreadCounts(even, 12000, 12), std::vector<int>(12, 1));
  // Positions out of the text, an empty text, no stretch.
  EXPECT_EQ(spreadCounts({-1, 100, 5}, 10, 2), (std::vector<int>{0, 1}));
  EXPECT_EQ(spreadCounts({1}, 0, 3), (std::vector<int>{0, 0, 0}));
  EXPECT_TRUE(spreadCounts({1}, 10, 0).empty());
}

TEST(Spread, TheMarkedStartsAreTheRedRuns) {
  const std::vector<ColourRun> runs = {
      {0, 4, classColour(HighlightClass::kClose)},
      {10, 14, markedColour(HighlightClass::kClose)},
      {20, 24, kMarkedWithoutClass},
      {24, 30, kMarkedWithoutClass},  // one phrase painted in two runs
      {40, 44, markedColour(HighlightClass::kDistant)},
  };
  EXPECT_EQ(markedStarts(runs), (std::vector<long>{10, 20, 40}));
}

TEST(Spread, TheReportsFamiliesAndTheirWordsInTheText) {
  const std::string report =
      "  5 : text\n  5 : word\n       words\n  4 : repetitions\n  3 : click\n";
  const std::vector<std::vector<std::string>> families = reportFamilies(report, 2);
  EXPECT_EQ(families, (std::vector<std::vector<std::string>>{{"text"}, {"word", "words"}}));
  EXPECT_EQ(reportFamilies(report, 10).size(), 4u);
  EXPECT_TRUE(reportFamilies("", 10).empty());

  const std::string text = "a word, two words; wordy password word";
  EXPECT_EQ(wordStarts(text, families[1]), (std::vector<long>{2, 12, 34}));
}

}  // namespace
}  // namespace verbolt
