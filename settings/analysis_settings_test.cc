#include "settings/analysis_settings.h"

#include <gtest/gtest.h>

#include <climits>

namespace verbolt {

namespace {

WordList listFrom(const std::string& text, const std::string& separator) {
  WordList list{"stale"};
  AnalysisSettings::SetListFromText(list, text, separator);
  return list;
}

TEST(SettingsDefaults, MatchTheDocumentedValues) {
  AnalysisSettings s;
  s.m_hiddenList = {"left", "over"};
  s.ResetToDefaults();
  EXPECT_EQ(s.m_skipActive, 1);
  EXPECT_EQ(s.m_skipNbLettersMin, 4);
  EXPECT_EQ(s.m_skipNbLettersMax, 99);
  EXPECT_EQ(s.m_skipWords, (WordList{"i", "you", "he", "she", "it", "we", "they"}));
  EXPECT_EQ(s.m_sameActive, 1);
  EXPECT_EQ(s.m_sameNbLetters, 4);
  EXPECT_EQ(s.m_samePercent, 50);
  EXPECT_EQ(s.m_closeActive, 1);
  EXPECT_EQ(s.m_closeDistance, 100);
  EXPECT_EQ(s.m_distantActive, 1);
  EXPECT_EQ(s.m_distantNb, 6);
  EXPECT_EQ(s.m_distantDistance, 1500);
  EXPECT_EQ(s.m_wordsActive, 0);
  EXPECT_EQ(s.m_wordsLetterMin, 99);
  EXPECT_EQ(s.m_wordsLetterMax, 99);
  EXPECT_EQ(s.m_wordsList, (WordList{"said", "told"}));
  EXPECT_EQ(s.m_wordsPartsList, (WordList{"able", "ation"}));
  EXPECT_EQ(s.m_phrasesActive, 0);
  EXPECT_EQ(s.m_phrasesList, (WordList{"example of phrase to search", "another example"}));
  EXPECT_TRUE(s.m_hiddenList.empty());
}

TEST(SettingsClamp, ForcesEachFieldIntoItsOwnRange) {
  AnalysisSettings s = AnalysisSettings::Defaults();
  s.m_distantNb = 1;
  s.m_samePercent = 150;
  s.m_sameNbLetters = 0;
  s.m_skipNbLettersMin = 0;
  s.m_closeDistance = INT_MAX;
  s.m_skipActive = -7;
  s.m_phrasesActive = 2;
  s.ClampToRanges();
  EXPECT_EQ(s.m_distantNb, 2);
  EXPECT_EQ(s.m_samePercent, 100);
  EXPECT_EQ(s.m_sameNbLetters, 0);
  EXPECT_EQ(s.m_skipNbLettersMin, 1);
  EXPECT_EQ(s.m_closeDistance, 999999);
  EXPECT_EQ(s.m_skipActive, 0);
  EXPECT_EQ(s.m_phrasesActive, 1);

  s.m_distantNb = 100;
  s.ClampToRanges();
  EXPECT_EQ(s.m_distantNb, 99);
}

TEST(SettingsClamp, KeepsAMinimumAboveItsMaximumAndLeavesListsAlone) {
  AnalysisSettings s = AnalysisSettings::Defaults();
  s.m_skipNbLettersMin = 10;
  s.m_skipNbLettersMax = 5;
  s.m_wordsLetterMin = 20;
  s.m_wordsLetterMax = 3;
  s.m_skipWords = {"A", ""};
  s.ClampToRanges();
  EXPECT_EQ(s.m_skipNbLettersMin, 10);
  EXPECT_EQ(s.m_skipNbLettersMax, 5);
  EXPECT_EQ(s.m_wordsLetterMin, 20);
  EXPECT_EQ(s.m_wordsLetterMax, 3);
  EXPECT_EQ(s.m_skipWords, (WordList{"A", ""}));
}

TEST(SetListFromText, LowersSplitsAndTrimsWordItems) {
  EXPECT_EQ(listFrom("  Hello,  WORLD! ", " "), (WordList{"hello", "world"}));
  EXPECT_EQ(listFrom("\xC9t\xE9", " "), WordList{"\xC9t\xE9"});
  EXPECT_EQ(listFrom("", " "), WordList{});
  EXPECT_EQ(listFrom("   ", " "), WordList{});
  EXPECT_EQ(listFrom("(l'homme) \xABoui\xBB", " "), (WordList{"l'homme", "oui"}));
}

TEST(SetListFromText, KeepsPunctuationOnlyItemsAsEmptyStrings) {
  WordList list = listFrom("a -- b", " ");
  EXPECT_EQ(list, (WordList{"a", "", "b"}));
  EXPECT_EQ(AnalysisSettings::JoinList(list, " "), "a  b");
}

TEST(SetListFromText, SplitsPhrasesAtLineFeeds) {
  EXPECT_EQ(listFrom("Tout \xE0 fait\n\nFin.", "\n"), (WordList{"tout \xE0 fait", "fin"}));
  // A line of one blank is dropped; a line of two blanks survives as empty.
  EXPECT_EQ(listFrom("one\n \ntwo\n  \n", "\n"), (WordList{"one", "two", ""}));
}

TEST(SetListFromText, ReplacesAMultiByteSeparatorLeftToRight) {
  EXPECT_EQ(listFrom("a--b----c", "--"), (WordList{"a", "b", "c"}));
  EXPECT_EQ(listFrom("a---b", "--"), (WordList{"a", "b"}));
}

TEST(JoinList, PutsTheSeparatorOnlyBetweenItems) {
  EXPECT_EQ(AnalysisSettings::JoinList({}, " "), "");
  EXPECT_EQ(AnalysisSettings::JoinList({"one"}, " "), "one");
  EXPECT_EQ(AnalysisSettings::JoinList({"a b", "c"}, "\\n"), "a b\\nc");
  EXPECT_EQ(AnalysisSettings::JoinList({"", ""}, " "), " ");
}

TEST(ParseCount, ReadsLikeAtoi) {
  EXPECT_EQ(parseCount("12ab"), 12);
  EXPECT_EQ(parseCount("  \t-42"), -42);
  EXPECT_EQ(parseCount("+7"), 7);
  EXPECT_EQ(parseCount("abc"), 0);
  EXPECT_EQ(parseCount(""), 0);
  EXPECT_EQ(parseCount("- 5"), 0);
  EXPECT_EQ(parseCount("\n\v\f\r9"), 9);
  EXPECT_EQ(parseCount("007"), 7);
}

TEST(ParseCount, SaturatesBeyondTheIntRange) {
  EXPECT_EQ(parseCount("2147483647"), INT_MAX);
  EXPECT_EQ(parseCount("2147483648"), INT_MAX);
  EXPECT_EQ(parseCount("99999999999"), INT_MAX);
  EXPECT_EQ(parseCount("-2147483648"), INT_MIN);
  EXPECT_EQ(parseCount("-99999999999999999999999999"), INT_MIN);
  EXPECT_EQ(parseCount(std::string(100000, '9')), INT_MAX);
}

}  // namespace

}  // namespace verbolt
