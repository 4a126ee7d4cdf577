#include "manuscript/text_changes.h"

#include <gtest/gtest.h>

#include <string>

namespace verbolt {

namespace {

std::string applied(std::string_view before, const std::vector<TextChange>& changes) {
  std::string out;
  size_t at = 0;
  for (const TextChange& change : changes) {
    out += before.substr(at, change.from - at);
    out += change.inserted;
    at = change.to;
  }
  return out + std::string(before.substr(at));
}

TEST(TextChanges, WordsChangedApartAreChangesApart) {
  const std::string before = "The river ran to the sea at night.";
  const std::string after = "The stream ran to the sea at dawn.";
  const auto changes = textChanges(before, after);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(before.substr(changes[0].from, changes[0].to - changes[0].from), "river");
  EXPECT_EQ(changes[0].inserted, "stream");
  EXPECT_EQ(changes[1].inserted, "dawn");
  EXPECT_EQ(applied(before, changes), after);
}

TEST(TextChanges, OtherAlphabetsAndPunctuationKeepTheirCharactersWhole) {
  const std::string before = "\u039A\u03B1\u03BB\u03B7\u03BC\u03AD\u03C1\u03B1, \u6771\u4EAC!";
  const std::string after = "\u039A\u03B1\u03BB\u03B7\u03BD\u03C5\u03C7\u03C4\u03B1; \u6771\u4EAC?";
  const auto changes = textChanges(before, after);
  EXPECT_EQ(applied(before, changes), after);
  EXPECT_TRUE(textChanges(before, before).empty());
  EXPECT_EQ(applied("", textChanges("", "new")), "new");
  EXPECT_EQ(applied("old", textChanges("old", "")), "");
}

}  // namespace

}  // namespace verbolt
