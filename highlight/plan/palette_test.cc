#include "highlight/plan/palette.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "highlight/plan/colour_vision.h"
#include "highlight/plan/findings.h"
#include "highlight/plan/paint_plan.h"

namespace verbolt {
namespace {

constexpr PaletteName kAll[] = {PaletteName::kStandard, PaletteName::kColourBlindSafe,
                                PaletteName::kDark};
constexpr HighlightClass kRepetitionClasses[] = {HighlightClass::kPhrase, HighlightClass::kSearched,
                                                 HighlightClass::kDistant, HighlightClass::kClose};

// Every colour a word can show under `palette`.
std::vector<Rgb> stateColours(const Palette& palette) {
  std::vector<Rgb> colours(palette.classes.begin(), palette.classes.end());
  colours.insert(colours.end(), palette.hidden.begin(), palette.hidden.end());
  colours.insert(colours.end(), palette.marked.begin(), palette.marked.end());
  colours.push_back(palette.markedWithoutClass);
  return colours;
}

// Makes `name` the editor's palette for one test.
class WithPalette : public testing::TestWithParam<PaletteName> {
 protected:
  void SetUp() override { setActivePalette(GetParam()); }
  void TearDown() override { setActivePalette(PaletteName::kStandard); }
  const Palette& palette() const { return paletteNamed(GetParam()); }
};

TEST_P(WithPalette, EveryStateHasAColourOfItsOwn) {
  const std::vector<Rgb> colours = stateColours(palette());
  for (size_t i = 0; i < colours.size(); ++i) {
    EXPECT_NE(colours[i], kWhite) << i;
    for (size_t j = i + 1; j < colours.size(); ++j) EXPECT_NE(colours[i], colours[j]) << i << j;
  }
  // The greys, and the reds, are one colour told apart by its blue.
  for (int c = 1; c < kHighlightClassCount; ++c) {
    for (const auto* set : {&palette().hidden, &palette().marked}) {
      EXPECT_EQ((*set)[c].red, (*set)[0].red);
      EXPECT_EQ((*set)[c].green, (*set)[0].green);
      EXPECT_LE(std::abs((*set)[c].blue - (*set)[0].blue), 6);
    }
  }
  for (int c = 0; c < kHighlightClassCount; ++c) {
    const auto which = static_cast<HighlightClass>(c);
    EXPECT_EQ(palette().classOfUnmarked(palette().classColour(which)), which);
    EXPECT_EQ(palette().classOfUnmarked(palette().hiddenColour(which)), which);
    EXPECT_EQ(palette().classOfMarked(palette().markedColour(which)), which);
    EXPECT_FALSE(palette().classOfMarked(palette().classColour(which)));
  }
  EXPECT_FALSE(palette().classOfMarked(palette().markedWithoutClass));
  EXPECT_TRUE(palette().isMarked(palette().markedWithoutClass));
}

TEST_P(WithPalette, TheTextKeepsAaContrastOverEveryHighlight) {
  EXPECT_GE(contrastRatio(palette().text, palette().page), 4.5);
  for (Rgb colour : stateColours(palette())) {
    EXPECT_GE(contrastRatio(palette().text, colour), 4.5)
        << int(colour.red) << "," << int(colour.green) << "," << int(colour.blue);
  }
}

TEST_P(WithPalette, AnalysisPaintsAndTheHiddenPassGreysInThePalette) {
  const std::string text = "word word other said";
  AnalysisResult result;
  result.closeStarts = {0, 5};
  result.searchedStarts = {16};
  AnalysisSettings settings;
  settings.m_hiddenList = {"said"};
  const std::vector<ColourRun> runs = planHighlights(text, result, settings);
  const std::vector<ColourRun> expected = {
      {0, 4, palette().classColour(HighlightClass::kClose)},
      {5, 9, palette().classColour(HighlightClass::kClose)},
      {16, 20, palette().hiddenColour(HighlightClass::kSearched)},
  };
  EXPECT_EQ(runs, expected);
  settings.m_hiddenList.clear();
  EXPECT_EQ(hiddenPassColour(palette().hiddenColour(HighlightClass::kSearched), "said", settings),
            palette().classColour(HighlightClass::kSearched));
  // A colour of another palette is no state of this one.
  const Palette& other =
      paletteNamed(GetParam() == PaletteName::kDark ? PaletteName::kStandard : PaletteName::kDark);
  settings.m_hiddenList = {"said"};
  EXPECT_EQ(hiddenPassColour(other.classColour(HighlightClass::kClose), "said", settings),
            other.classColour(HighlightClass::kClose));
}

TEST_P(WithPalette, FindingsAreReadFromThePalettesColours) {
  const std::vector<ColourRun> runs = {
      {0, 4, palette().classColour(HighlightClass::kClose)},
      {10, 14, palette().hiddenColour(HighlightClass::kClose)},
      {20, 24, palette().markedColour(HighlightClass::kDistant)},
      {30, 34, palette().markedWithoutClass},
  };
  const std::vector<Finding> expected = {
      {0, 4, FindingKind::kClose}, {20, 24, FindingKind::kMarked}, {30, 34, FindingKind::kMarked}};
  EXPECT_EQ(findingsIn(runs, false), expected);
  EXPECT_EQ(findingsIn(runs, true).size(), 2u);
}

TEST_P(WithPalette, EveryStateCarriesOverToAnotherPaletteAndBack) {
  for (PaletteName to : kAll) {
    const Palette& target = paletteNamed(to);
    for (Rgb colour : stateColours(palette())) {
      const Rgb there = inPalette(colour, palette(), target);
      EXPECT_EQ(inPalette(there, target, palette()), colour);
    }
    EXPECT_EQ(inPalette(palette().markedColour(HighlightClass::kClose), palette(), target),
              target.markedColour(HighlightClass::kClose));
  }
  EXPECT_EQ(inPalette(kWhite, palette(), paletteNamed(PaletteName::kDark)), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Palettes, WithPalette, testing::ValuesIn(kAll),
                         [](const testing::TestParamInfo<PaletteName>& info) {
                           return std::string(info.param == PaletteName::kStandard ? "Standard"
                                              : info.param == PaletteName::kDark   ? "Dark"
                                                                                   : "ColourBlind");
                         });

// The least distance between two of the four classes and the mark, as a
// reader with `vision` sees them.
double leastDistance(const Palette& palette, ColourVision vision) {
  std::vector<Rgb> colours;
  for (HighlightClass c : kRepetitionClasses) colours.push_back(palette.classColour(c));
  colours.push_back(palette.markedWithoutClass);
  double least = 1e9;
  for (size_t i = 0; i < colours.size(); ++i) {
    for (size_t j = i + 1; j < colours.size(); ++j) {
      least = std::min(least, perceivedDistance(simulatedVision(colours[i], vision),
                                                simulatedVision(colours[j], vision)));
    }
  }
  return least;
}

TEST(ColourBlindSafePalette, KeepsTheClassesAndTheMarkApartUnderEachVision) {
  const Palette& safe = paletteNamed(PaletteName::kColourBlindSafe);
  for (ColourVision vision : {ColourVision::kTypical, ColourVision::kProtanopia,
                              ColourVision::kDeuteranopia, ColourVision::kTritanopia}) {
    EXPECT_GE(leastDistance(safe, vision), 25) << static_cast<int>(vision);
  }
  // The standard yellow and green are nearly one colour without M cones.
  EXPECT_LT(leastDistance(paletteNamed(PaletteName::kStandard), ColourVision::kDeuteranopia), 10);
}

TEST(PaletteKeys, NameEachPaletteAndNothingElse) {
  for (PaletteName name : kAll) EXPECT_EQ(paletteFromKey(paletteKey(name)), name);
  EXPECT_FALSE(paletteFromKey("Dark"));
  EXPECT_FALSE(paletteFromKey(""));
  EXPECT_EQ(activePaletteName(), PaletteName::kStandard);
}

}  // namespace
}  // namespace verbolt
