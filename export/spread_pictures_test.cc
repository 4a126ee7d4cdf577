#include "export/spread_pictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "highlight/plan/palette.h"
#include "strings/localized_text.h"

namespace verbolt {
namespace {

// The marked word's spread first, from the red runs; then each of the
// report's first families, every word of the family found in the text.
TEST(SpreadPictures, TheMarkedWordThenTheMostUsedFamilies) {
  const std::string text = "rain rains said. \xE9t\xE9 rain said said";
  const std::string report = "  3 : rain\n       rains\n  3 : said\n  1 : \xE9t\xE9\n";
  const std::vector<ColourRun> runs = {{17, 20, kMarkedWithoutClass}};
  const std::vector<SpreadPicture> pictures = spreadPictures(text, runs, report, "\xE9t\xE9", 2, 4);
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_EQ(pictures[0].wordUtf8, "\u00E9t\u00E9");
  EXPECT_EQ(pictures[0].count, 1);
  EXPECT_EQ(pictures[0].counts, (std::vector<int>{0, 1, 0, 0}));
  EXPECT_EQ(pictures[0].colour, activePalette().markedWithoutClass);
  EXPECT_EQ(pictures[1].wordUtf8, "rain");
  EXPECT_EQ(pictures[1].count, 3);
  EXPECT_EQ(pictures[1].counts, (std::vector<int>{2, 0, 1, 0}));
  EXPECT_EQ(pictures[2].wordUtf8, "said");
  EXPECT_EQ(pictures[2].counts, (std::vector<int>{0, 1, 1, 1}));
  EXPECT_NE(pictures[2].colour, pictures[0].colour);

  // Nothing marked: the families alone.
  EXPECT_EQ(spreadPictures(text, {}, report, "", 10, 4).size(), 3u);
  EXPECT_EQ(spreadPictures(text, runs, report, "", 10, 4).front().wordUtf8, "rain");
}

TEST(SpreadPictures, TheCaptionSpeaksTheWindowsLanguage) {
  const SpreadPicture picture{"\u00E9t\u00E9", 12, {}, kWhite};
  EXPECT_EQ(spreadCaption(picture), "\"\u00E9t\u00E9\": 12 times");
  setLanguage(Language::kFrench);
  EXPECT_EQ(spreadCaption(picture), "\u00AB \u00E9t\u00E9 \u00BB : 12 fois");
  setLanguage(Language::kEnglish);
}

}  // namespace
}  // namespace verbolt
