#include "analysis/search.h"

#include <gtest/gtest.h>

#include <random>

namespace verbolt {

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

// The finder tries only the phrases whose first byte is at hand; it must
// find what trying every phrase at every position finds, in the same order.
TEST(PhraseFinder, FindsWhatEveryPhraseAtEveryPositionFinds) {
  std::mt19937 random(9);
  const std::string alphabet = "abc \n,.-\xE9";
  auto randomText = [&](size_t size) {
    std::string text;
    for (size_t i = 0; i < size; ++i) text += alphabet[random() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < 300; ++round) {
    WordList list;
    size_t phraseCount = random() % 6;
    for (size_t i = 0; i < phraseCount; ++i) list.push_back(randomText(random() % 5));
    if (round % 10 == 0) {
      // More first bytes than are compared at once.
      for (int c = 'd'; c <= 'z'; ++c) list.push_back(std::string(1, static_cast<char>(c)) + "a");
    }
    std::string text = randomText(random() % 300);
    size_t from = text.empty() ? 0 : random() % text.size();
    size_t to = from + (text.size() == from ? 0 : random() % (text.size() - from + 1));

    Ranges expected;
    for (size_t f = from; f < to; ++f) matchPhrasesAt(text, f, list, expected);
    Ranges found;
    PhraseFinder(list).findIn(text, from, to, found);
    ASSERT_EQ(found, expected) << "round " << round;
  }
}

AnalysisSettings wordSearch() {
  AnalysisSettings s = AnalysisSettings::Defaults();
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

}  // namespace verbolt
