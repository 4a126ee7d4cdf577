#include "highlight/plan/mark_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace verbolt {

namespace {

TEST(MarkPlan, ARedKeepsTheClassItCameFromAndGivesItBack) {
  for (int c = 0; c < kHighlightClassCount; ++c) {
    const Rgb red = markedColourFor(kClassColours[c]);
    EXPECT_EQ(red, kMarkedColours[c]);
    EXPECT_EQ(markedColourFor(kHiddenColours[c]), red);
    EXPECT_EQ(unmarkedColourFor(red, false), kClassColours[c]);
    EXPECT_EQ(unmarkedColourFor(red, true), kHiddenColours[c]);
  }
  EXPECT_EQ(markedColourFor(kWhite), kMarkedWithoutClass);
  EXPECT_EQ(unmarkedColourFor(kMarkedWithoutClass, false), kWhite);
  EXPECT_EQ(unmarkedColourFor(classColour(HighlightClass::kClose), false), kWhite);
}

TEST(MarkPlan, AMarkedWordTurnsRedOverWhateverEachOccurrenceShows) {
  AnalysisSettings settings;
  settings.m_sameActive = false;
  //                      0123456789012345678901234567
  const std::string text = "house, a house; the houses.";
  const Rgb close = classColour(HighlightClass::kClose);
  const std::vector<ColourRun> plan{{0, 5, close}, {20, 26, close}};
  EXPECT_EQ(withMarks(text, plan, "house", {}, settings),
            (std::vector<ColourRun>{{0, 5, markedColour(HighlightClass::kClose)},
                                    {9, 14, kMarkedWithoutClass},
                                    {20, 26, close}}));
  settings.m_sameActive = true;
  EXPECT_EQ(withMarks(text, plan, "house", {}, settings).back(),
            (ColourRun{20, 26, markedColour(HighlightClass::kClose)}));
  EXPECT_EQ(withMarks(text, plan, "", {}, settings), plan);
}

TEST(MarkPlan, AMarkedPhraseTurnsItsWordsRedNotTheSpacesBetween) {
  AnalysisSettings settings;
  const std::string text = "for a moment she for a moment";
  const Rgb echo = classColour(HighlightClass::kEcho);
  const std::vector<ColourRun> plan{{17, 29, echo}};
  const Rgb red = markedColour(HighlightClass::kEcho);
  EXPECT_EQ(withMarks(text, plan, "", {{0, 12}, {17, 29}}, settings),
            (std::vector<ColourRun>{{0, 3, kMarkedWithoutClass},
                                    {4, 5, kMarkedWithoutClass},
                                    {6, 12, kMarkedWithoutClass},
                                    {17, 20, red},
                                    {20, 21, echo},
                                    {21, 22, red},
                                    {22, 23, echo},
                                    {23, 29, red}}));
}

TEST(MarkPlan, OnlyTheLastFiftyLettersOfALongerWordAreMarked) {
  AnalysisSettings settings;
  const std::string word(60, 'a');
  const std::string text = word + " " + word;
  const std::vector<ColourRun> marked = withMarks(text, {}, word, {}, settings);
  ASSERT_EQ(marked.size(), 2u);
  EXPECT_EQ(marked[0].start, 10);
  EXPECT_EQ(marked[0].end, 60);
  EXPECT_EQ(marked[1].start, 71);
}

}  // namespace

}  // namespace verbolt
