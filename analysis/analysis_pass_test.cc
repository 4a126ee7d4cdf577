#include "analysis/analysis_pass.h"

#include <gtest/gtest.h>

#include "analysis/words.h"

namespace {

using Starts = std::vector<int>;

AnalysisSettings defaults() {
  AnalysisSettings s;
  s.ResetToDefaults();
  s.ClampToRanges();
  return s;
}

AnalysisResult analyze(const std::string& text, const AnalysisSettings& s = defaults()) {
  return analyzeText(lowercaseText(text), s);
}

TEST(AnalysisPass, EmptyTextFindsNothing) {
  AnalysisResult r = analyze("");
  EXPECT_TRUE(r.phraseRanges.empty());
  EXPECT_TRUE(r.searchedStarts.empty());
  EXPECT_TRUE(r.distantStarts.empty());
  EXPECT_TRUE(r.closeStarts.empty());
  EXPECT_EQ(r.report, "");
}

TEST(AnalysisPass, AWordThatEndsTheTextIsCounted) {
  AnalysisResult r = analyze("Chat chat");
  EXPECT_EQ(r.closeStarts, (Starts{0, 5}));
  EXPECT_EQ(r.report, "  2 : chat\n");
}

TEST(AnalysisPass, SkippedWordsKeepTheirCharactersInDistances) {
  // "the" is skipped (too short) but its letters still count.
  std::string text = "word " + std::string(90, ' ') + "the word";
  AnalysisResult r = analyze(text);
  EXPECT_EQ(r.closeStarts, (Starts{0, 99}));
  EXPECT_EQ(r.report, "  2 : word\n");
}

TEST(AnalysisPass, SearchComesBeforeTheSkipFilter) {
  AnalysisSettings s = defaults();
  s.m_wordsActive = 1;
  s.m_skipWords = {"said"};
  AnalysisResult r = analyze("He said it. She SAID so.", s);
  EXPECT_EQ(r.searchedStarts, (Starts{3, 16}));
  EXPECT_TRUE(r.closeStarts.empty());
  EXPECT_EQ(r.report.find("said"), std::string::npos);
}

TEST(AnalysisPass, PhrasesAreTriedAtEveryPositionInsideWords) {
  AnalysisSettings s = defaults();
  s.m_phrasesActive = 1;
  AnalysisSettings::SetListFromText(s.m_phrasesList, "le chat\nat", "\n");
  AnalysisResult r = analyze("Ale, Chat!", s);
  EXPECT_EQ(r.phraseRanges, (Starts{1, 8, 7, 2}));  // "le, ch" then "at"
}

TEST(AnalysisPass, AllFeaturesOffStillRanksTheWords) {
  AnalysisSettings s = defaults();
  s.m_skipActive = 0;
  s.m_closeActive = 0;
  s.m_distantActive = 0;
  s.m_sameActive = 0;
  AnalysisResult r = analyze("b a b", s);
  EXPECT_TRUE(r.closeStarts.empty());
  EXPECT_TRUE(r.distantStarts.empty());
  EXPECT_EQ(r.report, "  2 : b\n  1 : a\n");
}

TEST(AnalysisPass, RunningTwiceGivesTheSameResult) {
  std::string text = "Maison, maisons et la maison. Une tablette sur la table, la table!";
  AnalysisSettings s = defaults();
  s.m_wordsActive = 1;
  s.m_phrasesActive = 1;
  s.m_phrasesList = {"la table"};
  AnalysisResult first = analyze(text, s);
  AnalysisResult second = analyze(text, s);
  EXPECT_EQ(first.closeStarts, second.closeStarts);
  EXPECT_EQ(first.phraseRanges, second.phraseRanges);
  EXPECT_EQ(first.report, second.report);
  // maison 0, maisons 8, maison 22, tablette 34, table 50 and 60: the later
  // occurrences count in both entries of their family.
  EXPECT_EQ(first.closeStarts, (Starts{0, 8, 8, 22, 8, 22, 34, 50, 50, 60, 50, 60}));
  EXPECT_EQ(first.phraseRanges, (Starts{47, 8, 57, 8}));
}

TEST(AnalysisPass, AnyBytesAnalyseWithoutFault) {
  std::string every;
  for (int round = 0; round < 4; ++round) {
    for (int c = 0; c < 256; ++c) every += static_cast<char>(c);
  }
  AnalysisSettings s = defaults();
  s.m_wordsActive = 1;
  s.m_phrasesActive = 1;
  AnalysisResult r = analyze(every, s);
  EXPECT_FALSE(r.report.empty());

  std::string oneLongWord(10'000'000, 'x');
  AnalysisResult longWord = analyze(oneLongWord, s);
  EXPECT_TRUE(longWord.closeStarts.empty());  // longer than 99 letters: skipped
  EXPECT_EQ(longWord.report, "");
}

TEST(AnalysisPass, ProgressCoversTheFirstHalfOfTheGauge) {
  std::vector<int> values;
  std::string text(100'000, 'a');
  for (size_t i = 5; i < text.size(); i += 6) text[i] = ' ';
  analyzeText(text, defaults(), [&](int value) { values.push_back(value); });
  ASSERT_GE(values.size(), 49u);  // one update per 2000 characters
  EXPECT_LE(values.front(), 1);
  EXPECT_GE(values.back(), 48);
  EXPECT_LE(values.back(), 50);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
}

}  // namespace
