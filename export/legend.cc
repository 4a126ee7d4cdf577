#include "export/legend.h"

#include "highlight/plan/colours.h"
#include "strings/localized_text.h"
#include "text/cp1252.h"

namespace verbolt {

namespace {

LegendEntry entry(Rgb colour, StringId labelId) {
  return LegendEntry{colour, cp1252ToUtf8(LocalizedText(labelId))};
}

}  // namespace

std::vector<LegendEntry> exportLegend(LegendExtent extent, const EchoSettings& echoes) {
  std::vector<LegendEntry> legend = {
      entry(classColour(HighlightClass::kClose), kStrCloseRepetitions),
      entry(classColour(HighlightClass::kDistant), kStrDistantRepetitions),
      entry(classColour(HighlightClass::kSearched), kStrSearchWords),
      entry(classColour(HighlightClass::kPhrase), kStrSearchPhrases),
  };
  if (echoes.phrasesActive) {
    legend.push_back(entry(classColour(HighlightClass::kEcho), kStrPhraseEchoes));
  }
  if (echoes.openingsActive) {
    legend.push_back(entry(classColour(HighlightClass::kOpening), kStrRepeatedOpenings));
  }
  if (extent == LegendExtent::kWithMarks) {
    legend.push_back(entry(kMarkedWithoutClass, kStrMarkedWord));
    // Hidden words of every class look alike: one entry stands for all.
    legend.push_back(entry(hiddenColour(HighlightClass::kClose), kStrHiddenRepetitions));
  }
  return legend;
}

}  // namespace verbolt
