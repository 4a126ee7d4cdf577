#include "analysis/search.h"

#include <gtest/gtest.h>

namespace {

using Ranges = std::vector<int>;

// Every (start, length) of `phrases` over the whole text, as the pass finds them.
Ranges phraseRangesIn(const std::string& text, const WordList& phrases) {
  Ranges ranges;
  for (size_t f = 0; f < text.size(); ++f) matchPhrasesAt(text, f, phrases, ranges);
  return ranges;
}

WordList phrases(const std::string& text) {
  WordList list;
  AnalysisSettings::SetListFromText(list, text, "\n");
  return list;
}

TEST(PhraseSearch, IgnoresAnySeparatorsBetweenLetters) {
  WordList toutAFait = phrases("Tout \xE0 fait");
  EXPECT_EQ(phraseRangesIn("tout-\xE0-fait", toutAFait), (Ranges{0, 11}));
  EXPECT_EQ(phraseRangesIn("xx tout, \xE0... fait!", toutAFait), (Ranges{3, 15}));
  EXPECT_EQ(phraseRangesIn("tout\xE0"
                           "fait",
                           toutAFait),
            (Ranges{0, 9}));
  EXPECT_EQ(phraseRangesIn("tout\n\n\xE0\x97"
                           "fait",
                           toutAFait),
            (Ranges{0, 12}));
}

TEST(PhraseSearch, HasNoWordBoundaryTest) {
  WordList leChat = phrases("le chat");
  EXPECT_EQ(phraseRangesIn("le chateau", leChat), (Ranges{0, 7}));
  EXPECT_EQ(phraseRangesIn("ale chat", leChat), (Ranges{1, 7}));
  EXPECT_EQ(phraseRangesIn("papa", phrases("a")), (Ranges{1, 1, 3, 1}));
  EXPECT_EQ(phraseRangesIn("aaa", phrases("aa")), (Ranges{0, 2, 1, 2}));
}

TEST(PhraseSearch, FailsPastTheEndOfTheText) {
  EXPECT_TRUE(phraseRangesIn("le ch", phrases("le chat")).empty());
  EXPECT_TRUE(phraseRangesIn("le cha  ", phrases("le chat")).empty());
  EXPECT_TRUE(phraseRangesIn("", phrases("le chat")).empty());
}

TEST(PhraseSearch, TrimmedPhrasesAndEmptyEntries) {
  WordList list = phrases("fin.\n  \nfin");
  ASSERT_EQ(list, (WordList{"fin", "", "fin"}));
  // Each phrase matches in list order; the empty one never does.
  EXPECT_EQ(phraseRangesIn("la fin", list), (Ranges{3, 3, 3, 3}));
}

TEST(PhraseSearch, SeparatorsInsideAPhraseAreSkipped) {
  // A phrase read from the configuration file is not trimmed again.
  EXPECT_EQ(phraseRangesIn("ab", WordList{"a--b--"}), (Ranges{0, 2}));
  EXPECT_EQ(phraseRangesIn("a  b c", WordList{"a b"}), (Ranges{0, 4}));
}

AnalysisSettings wordSearch() {
  AnalysisSettings s;
  s.ResetToDefaults();
  s.m_wordsActive = 1;
  return s;
}

TEST(WordSearch, ByLengthRange) {
  AnalysisSettings s = wordSearch();
  s.m_wordsList.clear();
  s.m_wordsPartsList.clear();
  EXPECT_FALSE(isSearchedWord(std::string(98, 'x'), s));
  EXPECT_TRUE(isSearchedWord(std::string(99, 'x'), s));
  EXPECT_FALSE(isSearchedWord(std::string(100, 'x'), s));
  s.m_wordsLetterMin = 3;
  s.m_wordsLetterMax = 4;
  EXPECT_TRUE(isSearchedWord("abc", s));
  EXPECT_TRUE(isSearchedWord("abcd", s));
  EXPECT_FALSE(isSearchedWord("ab", s));
  s.m_wordsLetterMin = 5;  // above the maximum: no length hit at all
  EXPECT_FALSE(isSearchedWord("abcd", s));
  EXPECT_FALSE(isSearchedWord("abcdef", s));
}

TEST(WordSearch, ByListWithSimilarWords) {
  AnalysisSettings s = wordSearch();
  EXPECT_TRUE(isSearchedWord("said", s));
  EXPECT_TRUE(isSearchedWord("told", s));
  EXPECT_FALSE(isSearchedWord("tol", s));
  s.m_wordsList = {"avait"};
  s.m_wordsPartsList.clear();
  EXPECT_TRUE(isSearchedWord("avaient", s));  // similar to avait
  s.m_sameActive = 0;
  EXPECT_FALSE(isSearchedWord("avaient", s));
}

TEST(WordSearch, ByWordPartAnywhereInTheWord) {
  WordList parts = {"ement", "ation"};
  EXPECT_EQ(findWordPart("rapidement", parts), 0);
  EXPECT_EQ(findWordPart("nation", parts), 1);
  EXPECT_EQ(findWordPart("stationnement", parts), 0);
  EXPECT_EQ(findWordPart("maison", parts), -1);
  EXPECT_EQ(findWordPart("mentir", WordList{"ment"}), 0);
  // A punctuation-only entry becomes an empty part, found in every word.
  WordList withEmpty;
  AnalysisSettings::SetListFromText(withEmpty, "xyz --", " ");
  EXPECT_EQ(findWordPart("maison", withEmpty), 1);
}

}  // namespace
