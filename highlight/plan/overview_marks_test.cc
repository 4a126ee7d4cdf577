#include "highlight/plan/overview_marks.h"

#include <gtest/gtest.h>

#include <vector>

namespace verbolt {
namespace {

const Palette& kStandardPalette = paletteNamed(PaletteName::kStandard);
constexpr Rgb kClose = classColour(HighlightClass::kClose);
constexpr Rgb kDistant = classColour(HighlightClass::kDistant);
constexpr Rgb kEcho = classColour(HighlightClass::kEcho);

std::vector<StripMark> marksOf(const std::vector<ColourRun>& runs, long length, int rows) {
  return overviewMarks(runs, length, rows, kStandardPalette);
}

TEST(OverviewMarks, EachRunMarksItsPlaceInTheWholeText) {
  // A word half-way down, another at the very end, one over four rows.
  const std::vector<ColourRun> runs = {
      {5000, 5004, kClose}, {6000, 6400, kDistant}, {9996, 10000, kClose}};
  const std::vector<StripMark> expected = {{50, 50, kClose}, {60, 63, kDistant}, {99, 99, kClose}};
  EXPECT_EQ(marksOf(runs, 10000, 100), expected);
}

TEST(OverviewMarks, ARowShowsWhatMattersMostAndJoinsItsNeighbours) {
  const Rgb marked = markedColour(HighlightClass::kDistant);
  // Ten characters a row.
  const std::vector<ColourRun> runs = {
      {0, 3, kEcho},    {3, 6, kDistant}, {6, 9, kClose},  // row 0: close
      {12, 16, kClose},                                    // row 1: close, joined
      {20, 24, kClose}, {25, 29, marked},                  // row 2: the mark
      {40, 44, kEcho},                                     // row 4
  };

  const std::vector<StripMark> expected = {{0, 1, kClose}, {2, 2, marked}, {4, 4, kEcho}};
  EXPECT_EQ(marksOf(runs, 50, 5), expected);
}

TEST(OverviewMarks, HiddenWordsAndOtherPalettesColoursLeaveNoMark) {
  const std::vector<ColourRun> runs = {
      {0, 4, hiddenColour(HighlightClass::kClose)}, {10, 14, {1, 2, 3}}, {20, 24, kClose}};
  EXPECT_EQ(marksOf(runs, 100, 10), (std::vector<StripMark>{{2, 2, kClose}}));
  EXPECT_TRUE(overviewMarks(runs, 100, 10, paletteNamed(PaletteName::kDark)).empty());
  const Rgb darkClose = paletteNamed(PaletteName::kDark).classColour(HighlightClass::kClose);
  EXPECT_EQ(overviewMarks({{20, 24, darkClose}}, 100, 10, paletteNamed(PaletteName::kDark)),
            (std::vector<StripMark>{{2, 2, darkClose}}));
}

TEST(OverviewMarks, ShortTextsEmptyStripsAndRunsPastTheEnd) {
  // More rows than characters: each character its own stretch of rows.
  EXPECT_EQ(marksOf({{1, 2, kClose}}, 4, 100), (std::vector<StripMark>{{25, 25, kClose}}));
  EXPECT_TRUE(marksOf({{1, 2, kClose}}, 0, 100).empty());
  EXPECT_TRUE(marksOf({{1, 2, kClose}}, 10, 0).empty());
  // A text shortened under kept runs: what lies past its end is dropped.
  EXPECT_EQ(marksOf({{8, 30, kClose}, {40, 50, kDistant}}, 10, 10),
            (std::vector<StripMark>{{8, 9, kClose}}));
}

TEST(OverviewRows, ARowPointsAtItsFirstCharacter) {
  for (long length : {1L, 7L, 640L, 5'000'000L}) {
    for (int rows : {1, 13, 700}) {
      for (int row = 0; row < rows; ++row) {
        const long position = positionAtRow(row, length, rows);
        if (length < rows && rowOf(position, length, rows) != row) continue;  // a row with no text
        EXPECT_EQ(rowOf(position, length, rows), row) << length << " " << rows;
        if (position > 0) {
          EXPECT_LT(rowOf(position - 1, length, rows), row);
        }
      }
      EXPECT_EQ(rowOf(length + 10, length, rows), rowOf(length - 1, length, rows));
      EXPECT_EQ(positionAtRow(rows + 5, length, rows), positionAtRow(rows - 1, length, rows));
    }
  }
}

}  // namespace
}  // namespace verbolt
