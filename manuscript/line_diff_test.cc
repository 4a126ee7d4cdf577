#include "manuscript/line_diff.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace verbolt {

namespace {

// Applies the hunks to the old lines: the new lines must come out, and the
// lines between hunks must be equal.
std::vector<std::string_view> applied(const std::vector<std::string_view>& oldLines,
                                      const std::vector<std::string_view>& newLines,
                                      const std::vector<LineHunk>& hunks) {
  std::vector<std::string_view> out;
  size_t oldAt = 0, newAt = 0;
  for (const LineHunk& hunk : hunks) {
    EXPECT_EQ(hunk.oldBegin - oldAt, hunk.newBegin - newAt);
    for (; oldAt < hunk.oldBegin; ++oldAt, ++newAt) {
      EXPECT_EQ(oldLines[oldAt], newLines[newAt]);
      out.push_back(oldLines[oldAt]);
    }
    for (size_t i = hunk.newBegin; i < hunk.newEnd; ++i) out.push_back(newLines[i]);
    oldAt = hunk.oldEnd;
    newAt = hunk.newEnd;
  }
  for (; oldAt < oldLines.size(); ++oldAt) out.push_back(oldLines[oldAt]);
  return out;
}

TEST(LineDiff, SplitsTextIntoLinesAtEveryLineFeed) {
  EXPECT_EQ(splitLines(""), (std::vector<std::string_view>{""}));
  EXPECT_EQ(splitLines("a\n\nb\n"), (std::vector<std::string_view>{"a", "", "b", ""}));
}

TEST(LineDiff, FindsEditedInsertedAndDeletedLines) {
  const auto oldLines = splitLines("a\nb\nc\nd\ne");
  const auto newLines = splitLines("a\nB\nc\ne\nf");
  const auto hunks = diffLines(oldLines, newLines);
  ASSERT_EQ(hunks.size(), 3u);
  EXPECT_EQ(hunks[0].oldBegin, 1u);
  EXPECT_EQ(hunks[0].oldEnd, 2u);
  EXPECT_EQ(hunks[0].newEnd, 2u);
  EXPECT_EQ(hunks[1].oldBegin, 3u);  // d deleted
  EXPECT_EQ(hunks[1].oldEnd, 4u);
  EXPECT_EQ(hunks[1].newBegin, hunks[1].newEnd);
  EXPECT_EQ(hunks[2].oldBegin, 5u);  // f inserted at the end
  EXPECT_EQ(hunks[2].newBegin, 4u);
  EXPECT_EQ(applied(oldLines, newLines, hunks), newLines);
  EXPECT_TRUE(diffLines(oldLines, oldLines).empty());
}

TEST(LineDiff, RandomEditsAreFoundWithTheLinesBetweenThemEqualAndPastTheLimitOneHunk) {
  std::mt19937 random(7);
  std::vector<std::string> words = {"a", "b", "c", "d", "e", "f"};
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> a, b;
    for (int i = 0; i < 30; ++i) a.push_back(words[random() % words.size()]);
    b = a;
    for (int edits = 0; edits < 5; ++edits) {
      const size_t at = random() % (b.size() + 1);
      if (random() % 2 && at < b.size()) {
        b.erase(b.begin() + at);
      } else {
        b.insert(b.begin() + at, words[random() % words.size()]);
      }
    }
    const std::vector<std::string_view> oldLines(a.begin(), a.end());
    const std::vector<std::string_view> newLines(b.begin(), b.end());
    EXPECT_EQ(applied(oldLines, newLines, diffLines(oldLines, newLines)), newLines);
    const auto limited = diffLines(oldLines, newLines, 1);
    EXPECT_EQ(applied(oldLines, newLines, limited), newLines);
    std::vector<std::string> rewritten = a;
    for (std::string& line : rewritten) line = random() % 2 ? line + "!" : line;
    const std::vector<std::string_view> rewrittenLines(rewritten.begin(), rewritten.end());
    for (const LineHunk& hunk : diffLines(oldLines, rewrittenLines, 1)) {
      EXPECT_EQ(hunk.oldEnd - hunk.oldBegin, 1u);
      EXPECT_EQ(hunk.newBegin, hunk.oldBegin);
    }
  }
}

}  // namespace

}  // namespace verbolt
