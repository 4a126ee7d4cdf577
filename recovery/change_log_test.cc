#include "recovery/change_log.h"

#include <gtest/gtest.h>

#include <random>

namespace verbolt {

namespace {

std::string replay(std::string text, const std::vector<EditorChange>& changes) {
  for (const EditorChange& change : changes) EXPECT_TRUE(applyChange(text, change));
  return text;
}

TEST(ChangeLog, RunsOfTypingAndDeletingBecomeOneEdit) {
  ChangeLog log;
  // Typing "héllo", two backspaces, then "p!".
  const char* letters[] = {"h", "é", "l", "l", "o"};
  for (int i = 0; i < 5; ++i) log.Record({10 + i, 0, letters[i]});
  log.Record({14, 1, ""});
  log.Record({13, 1, ""});
  log.Record({13, 0, "p"});
  log.Record({14, 0, "!"});
  EXPECT_EQ(log.Take(), (std::vector<EditorChange>{{10, 0, "hélp!"}}));
  EXPECT_TRUE(log.Empty());

  // Backspaces, then forward deletes, each in a row.
  for (int i = 0; i < 3; ++i) log.Record({20 - i, 1, ""});
  EXPECT_EQ(log.Take(), (std::vector<EditorChange>{{18, 3, ""}}));
  for (int i = 0; i < 3; ++i) log.Record({5, 1, ""});
  EXPECT_EQ(log.Take(), (std::vector<EditorChange>{{5, 3, ""}}));

  // Typing over a selection.
  log.Record({4, 6, ""});
  log.Record({4, 0, "a"});
  log.Record({5, 0, "b"});
  EXPECT_EQ(log.Take(), (std::vector<EditorChange>{{4, 6, "ab"}}));
}

TEST(ChangeLog, EditsElsewhereStaySeparate) {
  ChangeLog log;
  log.Record({10, 0, "a"});
  log.Record({3, 0, "b"});
  log.Record({3, 2, ""});
  log.Record({40, 0, "c"});
  EXPECT_EQ(log.Count(), 4u);
  EXPECT_EQ(log.Bytes(), 3u);
}

// Whatever the writer does, the log's edits give the text that the
// edits themselves gave.
TEST(ChangeLog, MergedEditsGiveTheSameText) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::string text = "Le chêne et le roseau.";
    const std::string start = text;
    ChangeLog log;
    int64_t caret = 3;
    for (int step = 0; step < 40; ++step) {
      const int64_t length = characterCount(text);
      EditorChange change;
      switch (random() % 4) {
        case 0:  // typing at the caret
          change = {caret, 0, random() % 3 == 0 ? "é" : "x"};
          break;
        case 1:  // backspace
          if (caret == 0) continue;
          change = {caret - 1, 1, ""};
          break;
        case 2:  // forward delete
          if (caret >= length) continue;
          change = {caret, 1, ""};
          break;
        default:  // a click elsewhere
          caret = static_cast<int64_t>(random() % (length + 1));
          continue;
      }
      ASSERT_TRUE(applyChange(text, change));
      caret = change.position + characterCount(change.inserted);
      log.Record(change);
    }
    EXPECT_EQ(replay(start, log.Take()), text) << round;
  }
}

}  // namespace

}  // namespace verbolt
