// The echoes' preference: what a writer set comes back at the next start,
// and a damaged file gives defaults, never values out of bounds.
#include "settings/echo_settings.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

TEST(EchoSettings, ThePreferenceLinesComeBack) {
  EchoSettings set;
  set.phrasesActive = true;
  set.distance = 1200;
  set.minWords = 3;
  set.maxWords = 5;
  EXPECT_EQ(echoSettingsLines(set),
            (std::vector<std::string>{"phrases on", "openings off", "distance 1200", "words 3 5"}));
  EXPECT_EQ(echoSettingsFromLines(echoSettingsLines(set)), set);
  EXPECT_EQ(echoSettingsFromLines({}), EchoSettings());
}

TEST(EchoSettings, ADamagedLineKeepsItsDefault) {
  const EchoSettings read = echoSettingsFromLines({"phrases maybe", "openings on", "distance -5",
                                                   "words 4 2", "distance 99999999999", "words 1 6",
                                                   "words 2 7", "distance 12x", "nonsense", ""});
  EchoSettings expected;
  expected.openingsActive = true;
  expected.distance = kLongestEchoDistance;
  EXPECT_EQ(read, expected);
}

TEST(EchoSettings, ClampingKeepsTheLengthsInOrder) {
  EchoSettings wild;
  wild.distance = 0;
  wild.minWords = 9;
  wild.maxWords = 1;
  clampEchoSettings(wild);
  EXPECT_EQ(wild.distance, 1u);
  EXPECT_EQ(wild.minWords, kLongestEcho);
  EXPECT_EQ(wild.maxWords, kLongestEcho);
}

}  // namespace

}  // namespace verbolt
