#include "analysis/equivalence.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

AnalysisSettings similarWords(int letters = 4, int percent = 50) {
  AnalysisSettings s = AnalysisSettings::Defaults();
  s.m_sameActive = 1;
  s.m_sameNbLetters = letters;
  s.m_samePercent = percent;
  return s;
}

AnalysisSettings exactWords() {
  AnalysisSettings s = similarWords();
  s.m_sameActive = 0;
  return s;
}

TEST(AreSimilar, ExactComparisonWhenSimilarWordsAreOff) {
  AnalysisSettings s = exactWords();
  EXPECT_TRUE(areSimilar("maison", "maison", s));
  EXPECT_FALSE(areSimilar("maison", "maisons", s));
  EXPECT_FALSE(areSimilar("maison", "", s));
}

TEST(AreSimilar, CommonBeginningMustReachBothThresholds) {
  AnalysisSettings s = similarWords();
  EXPECT_TRUE(areSimilar("utilisez", "utilisation", s));    // 6 of 11
  EXPECT_TRUE(areSimilar("table", "tablette", s));          // 5 of 8
  EXPECT_FALSE(areSimilar("sous", "soupe", s));             // 3 < 4
  EXPECT_FALSE(areSimilar("abcdefghij", "abcdexxxxx", s));  // 5 is not more than 5
  EXPECT_FALSE(areSimilar("word", "", s));
  EXPECT_FALSE(areSimilar("", "", s));  // 0 common letters is never more than 0
}

TEST(AreSimilar, IsSymmetricButNotTransitive) {
  AnalysisSettings s = similarWords();
  EXPECT_TRUE(areSimilar("abcdef", "abcdefgh", s));
  EXPECT_TRUE(areSimilar("abcdefgh", "abcdef", s));
  EXPECT_TRUE(areSimilar("abcdefgh", "abcdefghijkl", s));
  EXPECT_FALSE(areSimilar("abcdef", "abcdefghijkl", s));
}

TEST(AreSimilar, IdenticalWordsUnlessThePercentageIsHundred) {
  for (int percent : {0, 50, 99}) {
    EXPECT_TRUE(areSimilar("ab", "ab", similarWords(999999, percent))) << percent;
    EXPECT_TRUE(areSimilar("x", "x", similarWords(999999, percent))) << percent;
  }
  EXPECT_FALSE(areSimilar("maison", "maison", similarWords(4, 100)));
}

TEST(AreSimilar, ZeroLettersLeavesOnlyThePercentage) {
  AnalysisSettings s = similarWords(0, 50);
  EXPECT_TRUE(areSimilar("ab", "ac", similarWords(0, 0)));
  EXPECT_FALSE(areSimilar("ab", "ac", s));   // 1 is not more than 1
  EXPECT_TRUE(areSimilar("abc", "abd", s));  // 2 > 1
}

TEST(AreSimilar, HugeWordsDoNotOverflowThePercentage) {
  std::string a(30'000'000, 'a');
  std::string b = a + "b";
  EXPECT_TRUE(areSimilar(a, b, similarWords(4, 99)));
  EXPECT_FALSE(areSimilar(a, b, similarWords(4, 100)));
}

TEST(FindWordInList, FirstEquivalentEntryWins) {
  WordList list = {"", "tablette", "table", "chat"};
  EXPECT_EQ(findWordInList("table", list, similarWords()), 1);
  EXPECT_EQ(findWordInList("table", list, exactWords()), 2);
  EXPECT_EQ(findWordInList("chien", list, similarWords()), -1);
  EXPECT_EQ(findWordInList("chien", {}, similarWords()), -1);
}

TEST(IsSkipped, ByLengthAndByListWhenOn) {
  AnalysisSettings s = similarWords();
  s.m_skipWords = {"faire"};
  for (const char* word : {"le", "des", "mot", "faire", "fairent"}) {
    EXPECT_TRUE(isSkipped(word, s)) << word;
  }
  EXPECT_FALSE(isSkipped("mots", s));
  EXPECT_FALSE(isSkipped("fais", s));  // 3 common letters with faire
  s.m_skipNbLettersMax = 6;
  EXPECT_TRUE(isSkipped("anticonstitution", s));
  s.m_skipActive = 0;
  EXPECT_FALSE(isSkipped("le", s));
  EXPECT_FALSE(isSkipped("faire", s));
}

TEST(IsSkipped, ExactListMatchWithoutSimilarWords) {
  AnalysisSettings s = exactWords();
  s.m_skipNbLettersMin = 1;
  s.m_skipWords = {"le"};
  EXPECT_TRUE(isSkipped("le", s));
  EXPECT_FALSE(isSkipped("les", s));
}

TEST(IsSkipped, AMinimumAboveTheMaximumSkipsEverything) {
  AnalysisSettings s = exactWords();
  s.m_skipNbLettersMin = 10;
  s.m_skipNbLettersMax = 5;
  for (const char* word : {"a", "seven", "abcdefgh", "abcdefghijklmnop"}) {
    EXPECT_TRUE(isSkipped(word, s)) << word;
  }
}

}  // namespace

}  // namespace verbolt
