#include "manuscript/paragraph_alignment.h"

#include <gtest/gtest.h>

#include "manuscript/line_diff.h"

namespace verbolt {

namespace {

std::string stepsOf(const std::vector<AlignedParagraph>& paragraphs, std::string_view text) {
  std::string out;
  for (const AlignedStep& step : alignParagraphs(paragraphs, splitLines(text))) {
    out += std::to_string(step.paragraphBegin) + "-" + std::to_string(step.paragraphEnd) + ":" +
           std::to_string(step.lineBegin) + "-" + std::to_string(step.lineEnd) + " ";
  }
  return out;
}

TEST(ParagraphAlignment, EachParagraphGoesToTheLinesItBecame) {
  const std::vector<AlignedParagraph> two = {{"a letter on the table", 1, false},
                                             {"morning", 1, true}};
  EXPECT_EQ(stepsOf(two, "a letter\non the table\nnoon"), "0-1:0-2 1-2:2-3 ");
  EXPECT_EQ(stepsOf(two, "a letter on the table\nnew line\nmorning!"), "0-1:0-1 1-1:1-2 1-2:2-3 ");
  const std::vector<AlignedParagraph> joinable = {{"first half", 1, true},
                                                  {"second half", 1, true}};
  EXPECT_EQ(stepsOf(joinable, "first half and second half"), "0-2:0-1 ");
}

TEST(ParagraphAlignment, ADeletedParagraphGoesWithTheEditedOneItMayJoin) {
  const std::vector<AlignedParagraph> three = {
      {"kept and edited", 1, true}, {"gone entirely", 1, true}, {"unrelated", 1, true}};
  EXPECT_EQ(stepsOf(three, "kept and changed\nunrelated"), "0-2:0-1 2-3:1-2 ");
  const std::vector<AlignedParagraph> cells = {{"kept and edited", 1, false},
                                               {"gone entirely", 1, true}};
  EXPECT_EQ(stepsOf(cells, "kept and changed"), "0-1:0-1 1-2:1-1 ");
}

TEST(ParagraphAlignment, ChangedBytesLeaveOutTheCommonBeginningAndEnd) {
  EXPECT_EQ(changedBytes("the river", "the stream"), 5u + 6u);
  EXPECT_EQ(changedBytes("same", "same"), 0u);
  EXPECT_EQ(changedBytes("aaa", "aa"), 1u);
}

}  // namespace

}  // namespace verbolt
