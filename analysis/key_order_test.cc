#include "analysis/key_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace verbolt {

namespace {

constexpr size_t kStateInts = 3;

std::vector<std::string> keysInOrder(const KeyOrder& keys) {
  std::vector<std::string> texts;
  keys.forEach(
      [&](const KeyOrder::Key& key, const int*) { texts.emplace_back(keys.text(key.id)); });
  return texts;
}

// Keys over few letters and many lengths, longer than the inline part too,
// so that block splits, prefixes and long tails all occur.
std::vector<std::string> randomKeys(std::mt19937& random, size_t count) {
  std::vector<std::string> words;
  for (size_t i = 0; i < count; ++i) {
    std::string word(random() % 22, 'a');
    for (char& c : word) c = "ab\xE9"[random() % 3];
    words.push_back(word);
  }
  return words;
}

std::string textAt(const KeyOrder& keys, KeyOrder::Cursor c) {
  return std::string(keys.text(keys.key(c).id));
}

TEST(KeyOrder, KeepsKeysInUnsignedByteOrderWhateverTheirArrival) {
  std::mt19937 random(5);
  KeyOrder keys(kStateInts, -1);
  std::map<std::string, int> expected;
  std::vector<std::string> words = randomKeys(random, 5000);
  for (const std::string& word : words) {
    if (expected.count(word)) continue;
    int id = keys.add(word);
    ASSERT_EQ(id, static_cast<int>(expected.size()));
    expected[word] = id;
  }
  std::vector<std::string> sorted;
  for (const auto& [word, id] : expected) sorted.push_back(word);
  EXPECT_EQ(keysInOrder(keys), sorted);
  for (const auto& [word, id] : expected) {
    ASSERT_EQ(keys.text(id), word);
    ASSERT_EQ(textAt(keys, keys.cursorAt(id)), word);
  }
}

TEST(KeyOrder, StatesTravelWithTheirKeys) {
  std::mt19937 random(6);
  KeyOrder keys(kStateInts, -1);
  std::vector<int> ids;
  std::vector<std::string> words = randomKeys(random, 3000);
  std::set<std::string> added;
  for (const std::string& word : words) {
    if (!added.insert(word).second) continue;
    int id = keys.add(word);
    const int* fresh = keys.stateOf(id);
    ASSERT_TRUE(std::all_of(fresh, fresh + kStateInts, [](int v) { return v == -1; }));
    keys.stateOf(id)[0] = id;
    keys.stateOf(id)[2] = 7 * id;
    ids.push_back(id);
  }
  for (int id : ids) {
    ASSERT_EQ(keys.stateOf(id)[0], id);
    ASSERT_EQ(keys.stateOf(id)[2], 7 * id);
  }
}

TEST(KeyOrder, WalksRunsAcrossBlocks) {
  KeyOrder keys(kStateInts, -1);
  std::vector<std::string> words;
  for (int i = 0; i < 300; ++i) words.push_back("k" + std::to_string(1000 + i));
  std::shuffle(words.begin(), words.end(), std::mt19937(7));
  std::map<std::string, int> ids;
  for (const std::string& word : words) ids[word] = keys.add(word);

  // The run of keys beginning with "k11" starts at k1100 and holds 100 keys.
  auto inRun = [&](const KeyOrder::Key& key) { return keys.text(key.id).starts_with("k11"); };
  KeyOrder::Cursor first = keys.firstOfRun(keys.cursorAt(ids["k1157"]), inRun);
  EXPECT_EQ(textAt(keys, first), "k1100");
  std::vector<std::string> walked;
  keys.walk(first, [&](const KeyOrder::Key& key, int*) {
    if (!inRun(key)) return false;
    walked.emplace_back(keys.text(key.id));
    return true;
  });
  ASSERT_EQ(walked.size(), 100u);
  EXPECT_EQ(walked.front(), "k1100");
  EXPECT_EQ(walked.back(), "k1199");
}

}  // namespace

}  // namespace verbolt
