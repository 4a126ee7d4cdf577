#include "highlight/plan/colour_vision.h"

#include <gtest/gtest.h>

namespace verbolt {
namespace {

constexpr Rgb kBlack = {0, 0, 0};
constexpr Rgb kRed = {220, 40, 40};
constexpr Rgb kGreen = {40, 160, 40};

TEST(Contrast, RunsFromOneToTwentyOneAsWcagMeasuresIt) {
  EXPECT_DOUBLE_EQ(contrastRatio(kWhite, kBlack), 21.0);
  EXPECT_DOUBLE_EQ(contrastRatio(kBlack, kWhite), 21.0);
  EXPECT_DOUBLE_EQ(contrastRatio(kRed, kRed), 1.0);
  EXPECT_NEAR(relativeLuminance({128, 128, 128}), 0.2158, 0.0005);
  // WCAG's own example: #777777 on white just misses 4.5:1.
  EXPECT_LT(contrastRatio({0x77, 0x77, 0x77}, kWhite), 4.5);
  EXPECT_GT(contrastRatio({0x76, 0x76, 0x76}, kWhite), 4.5);
}

TEST(SimulatedVision, KeepsGreysAndConfusesWhatEachVisionConfuses) {
  for (ColourVision vision :
       {ColourVision::kProtanopia, ColourVision::kDeuteranopia, ColourVision::kTritanopia}) {
    for (Rgb grey : {kWhite, kBlack, Rgb{120, 120, 120}}) {
      const Rgb seen = simulatedVision(grey, vision);
      EXPECT_LE(perceivedDistance(seen, grey), 1.5) << static_cast<int>(vision);
    }
  }
  EXPECT_EQ(simulatedVision(kRed, ColourVision::kTypical), kRed);
  // Red and green, far apart to a typical eye, come close without L or M
  // cones; without S cones they stay apart.
  EXPECT_GT(perceivedDistance(kRed, kGreen), 80);
  EXPECT_LT(perceivedDistance(simulatedVision(kRed, ColourVision::kDeuteranopia),
                              simulatedVision(kGreen, ColourVision::kDeuteranopia)),
            25);
  EXPECT_LT(perceivedDistance(simulatedVision(kRed, ColourVision::kProtanopia),
                              simulatedVision(kGreen, ColourVision::kProtanopia)),
            0.5 * perceivedDistance(kRed, kGreen));
  EXPECT_GT(perceivedDistance(simulatedVision(kRed, ColourVision::kTritanopia),
                              simulatedVision(kGreen, ColourVision::kTritanopia)),
            60);
  // Tritanopia confuses blue with green instead.
  const Rgb blue = {40, 90, 200};
  const Rgb teal = {40, 150, 130};
  EXPECT_LT(perceivedDistance(simulatedVision(blue, ColourVision::kTritanopia),
                              simulatedVision(teal, ColourVision::kTritanopia)),
            0.6 * perceivedDistance(blue, teal));
}

TEST(PerceivedDistance, IsAboutAHundredFromBlackToWhite) {
  EXPECT_NEAR(perceivedDistance(kBlack, kWhite), 100.0, 0.1);
  EXPECT_DOUBLE_EQ(perceivedDistance(kRed, kRed), 0.0);
}

}  // namespace
}  // namespace verbolt
