#include "highlight/plan/colour_runs.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace verbolt {

namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

// The colours character by character, the plain way.
std::vector<Rgb> characters(int length, const std::vector<ColourRun>& runs) {
  std::vector<Rgb> colours(static_cast<size_t>(length), kWhite);
  for (const ColourRun& run : runs) {
    for (int i = run.start; i < run.end; ++i) colours[static_cast<size_t>(i)] = run.colour;
  }
  return colours;
}

std::vector<ColourRun> maximalRuns(const std::vector<Rgb>& colours) {
  std::vector<ColourRun> runs;
  for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
    const Rgb colour = colours[static_cast<size_t>(i)];
    if (colour == kWhite) continue;
    if (!runs.empty() && runs.back().end == i && runs.back().colour == colour) {
      ++runs.back().end;
    } else {
      runs.push_back({i, i + 1, colour});
    }
  }
  return runs;
}

// Ascending, non-overlapping runs of random lengths and gaps, white ones
// (and empty ones) among them.
std::vector<ColourRun> randomRuns(std::mt19937& random, int length) {
  const Rgb palette[] = {kWhite, kRed, kBlue, Rgb{1, 2, 3}};
  std::vector<ColourRun> runs;
  int at = static_cast<int>(random() % 4);
  while (at < length) {
    const int end = std::min(length, at + static_cast<int>(random() % 6));
    runs.push_back({at, end, palette[random() % 4]});
    at = end + static_cast<int>(random() % 4);
  }
  return runs;
}

TEST(ColourRuns, PaintingOverGivesWhatPaintingEachCharacterGives) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 3000; ++round) {
    const int length = 1 + static_cast<int>(random() % 60);
    const std::vector<ColourRun> base = maximalRuns(characters(length, randomRuns(random, length)));
    const std::vector<ColourRun> painted = randomRuns(random, length);
    std::vector<Rgb> expected = characters(length, base);
    for (const ColourRun& run : painted) {
      for (int i = run.start; i < run.end; ++i) expected[static_cast<size_t>(i)] = run.colour;
    }
    ASSERT_EQ(paintedOver(base, painted), maximalRuns(expected)) << "round " << round;
    std::vector<ColourRun> inPlace = base;
    paintOver(inPlace, painted);
    ASSERT_EQ(inPlace, maximalRuns(expected)) << "round " << round;
  }
}

TEST(ColourRuns, RunsThatMeetInOneColourBecomeOne) {
  EXPECT_EQ(paintedOver({{0, 3, kRed}}, {{3, 5, kRed}}), (std::vector<ColourRun>{{0, 5, kRed}}));
  EXPECT_EQ(paintedOver({{0, 8, kRed}}, {{2, 4, kWhite}}),
            (std::vector<ColourRun>{{0, 2, kRed}, {4, 8, kRed}}));
  EXPECT_TRUE(paintedOver({}, {}).empty());
}

TEST(ColourRuns, TheRunsWithinARangeAreCutAtItsEnds) {
  const std::vector<ColourRun> runs{{2, 4, kRed}, {4, 6, kBlue}, {9, 12, kRed}};
  EXPECT_EQ(runsWithin(runs, 3, 10),
            (std::vector<ColourRun>{{3, 4, kRed}, {4, 6, kBlue}, {9, 10, kRed}}));
  EXPECT_EQ(runsWithin(runs, 4, 6), (std::vector<ColourRun>{{4, 6, kBlue}}));
  EXPECT_TRUE(runsWithin(runs, 6, 9).empty());
  EXPECT_TRUE(runsWithin(runs, 3, 3).empty());
  EXPECT_EQ(runsWithin(runs, 0, 100), runs);
}

TEST(ColourRuns, AnEditMovesTheRunsAfterItAndARunTypedInsideGrows) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 3000; ++round) {
    const int length = 1 + static_cast<int>(random() % 40);
    const std::vector<ColourRun> runs = maximalRuns(characters(length, randomRuns(random, length)));
    const int position = static_cast<int>(random() % static_cast<unsigned>(length + 1));
    const int removed = static_cast<int>(random() % static_cast<unsigned>(length - position + 1));
    const int inserted = static_cast<int>(random() % 4);
    std::vector<Rgb> expected = characters(length, runs);
    expected.erase(expected.begin() + position, expected.begin() + position + removed);
    // New characters between two of one colour take it.
    const bool inside =
        position > 0 && position < static_cast<int>(expected.size()) &&
        expected[static_cast<size_t>(position - 1)] == expected[static_cast<size_t>(position)];
    const Rgb typed = inside ? expected[static_cast<size_t>(position)] : kWhite;
    expected.insert(expected.begin() + position, static_cast<size_t>(inserted), typed);
    ASSERT_EQ(runsAfterEdit(runs, position, removed, inserted), maximalRuns(expected))
        << "round " << round;
  }
  EXPECT_EQ(runsAfterEdit({{2, 6, kRed}}, 4, 0, 3), (std::vector<ColourRun>{{2, 9, kRed}}));
  EXPECT_EQ(runsAfterEdit({{2, 6, kRed}}, 6, 0, 3), (std::vector<ColourRun>{{2, 6, kRed}}));
  EXPECT_EQ(runsAfterEdit({{2, 6, kRed}, {8, 9, kBlue}}, 0, 3, 0),
            (std::vector<ColourRun>{{0, 3, kRed}, {5, 6, kBlue}}));
}

TEST(ColourRuns, TheColourAtAPosition) {
  const std::vector<ColourRun> runs{{2, 4, kRed}, {4, 6, kBlue}, {9, 10, kRed}};
  EXPECT_EQ(colourAt(runs, 0), kWhite);
  EXPECT_EQ(colourAt(runs, 2), kRed);
  EXPECT_EQ(colourAt(runs, 4), kBlue);
  EXPECT_EQ(colourAt(runs, 6), kWhite);
  EXPECT_EQ(colourAt(runs, 9), kRed);
  EXPECT_EQ(colourAt(runs, 10), kWhite);
  EXPECT_EQ(colourAt({}, 3), kWhite);
}

// Edits of the text move the runs as the characters move: checked against
// the colours character by character, edited the plain way.
TEST(ColourRuns, RunsFollowInsertionsRemovalsAndReplacements) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 3000; ++round) {
    const int length = 1 + static_cast<int>(random() % 50);
    std::vector<ColourRun> runs = maximalRuns(characters(length, randomRuns(random, length)));
    std::vector<Rgb> expected = characters(length, runs);
    const int from = static_cast<int>(random() % static_cast<unsigned>(length + 1));
    const unsigned kind = random() % 3;
    if (kind == 2) {
      // Characters replaced by others, whose colours come from runs that
      // reach past them on both sides, as a stretch analysed again does.
      const int to = from + static_cast<int>(random() % static_cast<unsigned>(length - from + 1));
      const int added = static_cast<int>(random() % 8);
      std::vector<ColourRun> replacement = randomRuns(random, added + 6);
      const std::vector<Rgb> around = characters(added + 6, replacement);
      const std::vector<Rgb> middle(around.begin() + 3, around.begin() + 3 + added);
      shiftRuns(replacement, -3);
      expected.erase(expected.begin() + from, expected.begin() + to);
      expected.insert(expected.begin() + from, middle.begin(), middle.end());
      replaceInRuns(runs, from, to, added, replacement);
    } else if (kind == 1) {
      const int added = 1 + static_cast<int>(random() % 8);
      const std::vector<ColourRun> inserted =
          maximalRuns(characters(added, randomRuns(random, added)));
      const std::vector<Rgb> middle = characters(added, inserted);
      expected.insert(expected.begin() + from, middle.begin(), middle.end());
      insertIntoRuns(runs, from, added, inserted);
    } else {
      const int to = from + static_cast<int>(random() % static_cast<unsigned>(length - from + 1));
      expected.erase(expected.begin() + from, expected.begin() + to);
      removeFromRuns(runs, from, to);
    }
    ASSERT_EQ(runs, maximalRuns(expected)) << "round " << round;
  }
}

// Painting the changes over what is shown gives what is wanted, and
// nothing is painted where the two agree.
TEST(ColourRuns, TheChangesAreWhereShownAndWantedDiffer) {
  std::mt19937 random(1209);
  for (int round = 0; round < 3000; ++round) {
    const int length = 1 + static_cast<int>(random() % 60);
    const std::vector<ColourRun> shown =
        maximalRuns(characters(length, randomRuns(random, length)));
    const std::vector<ColourRun> wanted =
        maximalRuns(characters(length, randomRuns(random, length)));
    const std::vector<ColourRun> changes = runChanges(shown, wanted);
    ASSERT_EQ(paintedOver(shown, changes), wanted) << "round " << round;
    const std::vector<Rgb> before = characters(length, shown);
    const std::vector<Rgb> after = characters(length, wanted);
    for (const ColourRun& change : changes) {
      ASSERT_LT(change.start, change.end);
      for (int i = change.start; i < change.end; ++i) {
        ASSERT_NE(before[static_cast<size_t>(i)], after[static_cast<size_t>(i)]) << round;
      }
    }
  }
  // As after a key: the same runs but for a few, which the walk passes
  // over whole.
  for (int round = 0; round < 3000; ++round) {
    const int length = 1 + static_cast<int>(random() % 200);
    const std::vector<ColourRun> shown =
        maximalRuns(characters(length, randomRuns(random, length)));
    const int from = static_cast<int>(random() % length);
    const int to = from + static_cast<int>(random() % (length - from + 1));
    std::vector<Rgb> colours = characters(length, shown);
    for (const ColourRun& run : randomRuns(random, length)) {
      for (int i = std::max(run.start, from); i < std::min(run.end, to); ++i)
        colours[i] = run.colour;
    }
    const std::vector<ColourRun> wanted = maximalRuns(colours);
    ASSERT_EQ(paintedOver(shown, runChanges(shown, wanted)), wanted) << "round " << round;
  }
  EXPECT_TRUE(runChanges({{0, 4, kRed}}, {{0, 4, kRed}}).empty());
  EXPECT_EQ(runChanges({{0, 4, kRed}}, {}), (std::vector<ColourRun>{{0, 4, kWhite}}));
}

}  // namespace

}  // namespace verbolt
