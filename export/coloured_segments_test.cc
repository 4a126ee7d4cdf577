#include "export/coloured_segments.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

const Rgb kYellow = {255, 255, 140};
const Rgb kGreen = {180, 255, 180};

std::vector<std::string> pieces(std::string_view text, const std::vector<ColourRun>& runs) {
  std::vector<std::string> out;
  for (const ColouredSegment& segment : colouredSegments(text, runs)) {
    out.push_back((segment.colour ? hexColour(*segment.colour) + ":" : std::string("-:")) +
                  std::string(text.substr(segment.begin, segment.end - segment.begin)));
  }
  return out;
}

TEST(ColouredSegments, RunsCountCharactersNotBytes) {
  EXPECT_EQ(
      pieces("\u00E9t\u00E9 \U0001F600 \u00E9t\u00E9", {{0, 3, kYellow}, {6, 9, kGreen}}),
      (std::vector<std::string>{"ffff8c:\u00E9t\u00E9", "-: \U0001F600 ", "b4ffb4:\u00E9t\u00E9"}));
}

TEST(ColouredSegments, WhiteOverlapsAndRunsPastTheEndAreLeftOut) {
  EXPECT_EQ(pieces("abcdef", {{0, 2, kWhite}, {1, 3, kYellow}, {2, 4, kGreen}, {5, 99, kGreen}}),
            (std::vector<std::string>{"-:a", "ffff8c:bc", "b4ffb4:d", "-:e", "b4ffb4:f"}));
  EXPECT_TRUE(colouredSegments("", std::vector<ColourRun>{{0, 5, kGreen}}).empty());
}

}  // namespace

}  // namespace verbolt
