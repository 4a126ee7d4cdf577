// What the echoes found without a list look for: phrases that come back
// and sentences that open alike. One of the program's preferences, kept in
// a file of its own and never in config.txt.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace verbolt {

struct EchoSettings {
  bool phrasesActive = false;
  bool openingsActive = false;
  size_t distance = 3000;  // letters between the starts of two occurrences
  int minWords = 2;
  int maxWords = 6;
  size_t openingSentences = 5;  // the stretch of consecutive sentences
  size_t openingRepeats = 3;    // openings alike within it that make a finding

  friend bool operator==(const EchoSettings&, const EchoSettings&) = default;
};

// The bounds a writer may set: a phrase is 2 to 6 words, the distance one
// letter to a million.
inline constexpr int kShortestEcho = 2;
inline constexpr int kLongestEcho = 6;
inline constexpr size_t kLongestEchoDistance = 1000000;

// Brings every value within its bounds, the longest length no shorter than
// the shortest.
void clampEchoSettings(EchoSettings& settings);

// The preference's lines, "phrases on", "openings off", "distance 3000",
// "words 2 6", and back; a line missing or unreadable keeps its default.
std::vector<std::string> echoSettingsLines(const EchoSettings& settings);
EchoSettings echoSettingsFromLines(const std::vector<std::string>& lines);

}  // namespace verbolt
