#include "analysis/word_index.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace verbolt {

namespace {

TEST(WordIndex, GivesDenseIdsInOrderOfFirstInsertion) {
  WordIndex index;
  EXPECT_EQ(index.find("chat"), WordIndex::kAbsent);
  EXPECT_EQ(index.insert("chat"), 0);
  EXPECT_EQ(index.insert("chien"), 1);
  EXPECT_EQ(index.insert("chat"), 0);
  EXPECT_EQ(index.find("chien"), 1);
  EXPECT_EQ(index.find("chats"), WordIndex::kAbsent);
  EXPECT_EQ(index.size(), 2);
  EXPECT_EQ(index.word(1), "chien");
}

TEST(WordIndex, TellsApartWordsThatDifferOnlyInLengthOrInOneByte) {
  // Words that share their first 8 or 16 bytes, and words padded with zero
  // bytes, look alike in a slot: only the whole comparison separates them.
  std::string zeros("a\0\0", 3);
  WordIndex index;
  EXPECT_EQ(index.insert("a"), 0);
  EXPECT_EQ(index.insert(zeros), 1);
  EXPECT_EQ(index.insert(zeros.substr(0, 2)), 2);
  EXPECT_EQ(index.insert("abcdefgh1"), 3);
  EXPECT_EQ(index.insert("abcdefgh2"), 4);
  EXPECT_EQ(index.insert(""), 5);
  EXPECT_EQ(index.insert("abcdefghijklmnop1"), 6);
  EXPECT_EQ(index.insert("abcdefghijklmnop2"), 7);
  EXPECT_EQ(index.find(zeros), 1);
  EXPECT_EQ(index.find("abcdefgh2"), 4);
  EXPECT_EQ(index.find(""), 5);
  EXPECT_EQ(index.find("abcdefghijklmnop2"), 7);
  EXPECT_EQ(index.find("abcdefghijklmnop"), WordIndex::kAbsent);
}

TEST(WordIndex, AgreesWithAnOrderedMapThroughManyGrowths) {
  std::mt19937 random(7);
  std::vector<std::string> words;
  for (int i = 0; i < 50000; ++i) {
    std::string word(1 + random() % 20, 'a');
    for (char& c : word) c = static_cast<char>('a' + random() % 4);
    words.push_back(word);
  }
  WordIndex index;
  std::map<std::string, int> expected;
  for (const std::string& word : words) {
    auto [it, added] = expected.try_emplace(word, static_cast<int>(expected.size()));
    ASSERT_EQ(index.insert(word), it->second) << word;
  }
  ASSERT_EQ(index.size(), static_cast<int>(expected.size()));
  for (const auto& [word, id] : expected) {
    ASSERT_EQ(index.find(word), id);
    ASSERT_EQ(index.word(id), word);
  }
}

}  // namespace

}  // namespace verbolt
