#include "cli/line_columns.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

TEST(LineColumns, CountFromOneOnEveryLine) {
  const LineColumns lines("ab\ncd\n\nef");
  EXPECT_EQ(lines.at(0), (LineColumn{1, 1}));
  EXPECT_EQ(lines.at(1), (LineColumn{1, 2}));
  EXPECT_EQ(lines.at(2), (LineColumn{1, 3}));  // the line end itself
  EXPECT_EQ(lines.at(3), (LineColumn{2, 1}));
  EXPECT_EQ(lines.at(6), (LineColumn{3, 1}));
  EXPECT_EQ(lines.at(8), (LineColumn{4, 2}));
  EXPECT_EQ(lines.at(9), (LineColumn{4, 3}));  // just behind the text
}

TEST(LineColumns, CrLfIsOneLineEndAndALoneCrIsOneToo) {
  const LineColumns lines("ab\r\ncd\ref\n\r\ngh");
  EXPECT_EQ(lines.at(4), (LineColumn{2, 1}));
  EXPECT_EQ(lines.at(5), (LineColumn{2, 2}));
  EXPECT_EQ(lines.at(7), (LineColumn{3, 1}));
  EXPECT_EQ(lines.at(10), (LineColumn{4, 1}));  // "\n" then "\r\n": two line ends
  EXPECT_EQ(lines.at(12), (LineColumn{5, 1}));
}

TEST(LineColumns, AnEmptyTextHasOneLine) { EXPECT_EQ(LineColumns("").at(0), (LineColumn{1, 1})); }

}  // namespace

}  // namespace verbolt
