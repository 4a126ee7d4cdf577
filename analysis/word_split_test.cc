#include "analysis/word_split.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "analysis/equivalence.h"

namespace verbolt {

namespace {

std::string randomWord(std::mt19937& random) {
  std::string word(1 + random() % 12, 'a');
  for (char& c : word) c = "abc"[random() % 3];
  return word;
}

// Whether an occurrence of `word` is recorded under the key `key`: the key
// begins with the word's first two bytes (its only byte for a one-letter
// word) and the two are similar.
bool recordedUnder(const std::string& word, const std::string& key,
                   const AnalysisSettings& settings) {
  return key.starts_with(word.substr(0, 2)) && areSimilar(word, key, settings);
}

size_t bucketAlone(const WordSplit& split, const std::string& word) {
  return split.bucketOf(word, 0, word.size());
}

// Followed by more text, the word is read with one load.
size_t bucketInText(const WordSplit& split, const std::string& word) {
  std::string text = word + " and more text after it";
  return split.bucketOf(text, 0, word.size());
}

// The two threads of a pass may only split words that never meet in an
// entry of the word table.
TEST(WordSplit, AWordAndEveryKeyItIsRecordedUnderShareABucket) {
  std::mt19937 random(31);
  for (int round = 0; round < 300; ++round) {
    AnalysisSettings s = AnalysisSettings::Defaults();
    s.m_sameActive = round % 5 != 0;
    s.m_sameNbLetters = static_cast<int>(random() % 7);
    s.m_samePercent = static_cast<int>(random() % 101);
    WordSplit split(s);
    for (int pair = 0; pair < 200; ++pair) {
      std::string word = randomWord(random);
      std::string key = randomWord(random);
      if (random() % 4 == 0) key = word + key;
      if (!recordedUnder(word, key, s)) continue;
      ASSERT_EQ(bucketAlone(split, word), bucketAlone(split, key)) << word << " " << key;
      ASSERT_EQ(bucketInText(split, word), bucketInText(split, key)) << word << " " << key;
      ASSERT_EQ(bucketAlone(split, word), bucketInText(split, word)) << word;
    }
  }
}

TEST(WordSplit, BalancedBucketsGiveEachShareAboutHalfOfTheWords) {
  std::mt19937 random(32);
  std::string text;
  while (text.size() < 200000) {
    std::string word(2 + random() % 9, 'a');
    for (char& c : word) c = static_cast<char>('a' + random() % 26);
    text += word + " ";
  }
  AnalysisSettings s = AnalysisSettings::Defaults();
  WordSplit split(s);
  Buckets first = balancedBuckets(text, split);
  Buckets other = complementOf(first);
  size_t firstWords = 0;
  size_t words = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == ' ' || (at > 0 && text[at - 1] != ' ')) continue;
    size_t end = text.find(' ', at);
    size_t bucket = split.bucketOf(text, at, end);
    ASSERT_NE(first[bucket], other[bucket]);
    firstWords += first[bucket];
    ++words;
  }
  EXPECT_GT(firstWords, words * 2 / 5);
  EXPECT_LT(firstWords, words * 3 / 5);
}

}  // namespace

}  // namespace verbolt
