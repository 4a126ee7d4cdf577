#include "export/legend.h"

#include "highlight/plan/colours.h"
#include "highlight/plan/palette.h"
#include "strings/localized_text.h"
#include "text/cp1252.h"

namespace verbolt {

namespace {

LegendEntry entry(Rgb colour, StringId labelId) {
  return LegendEntry{colour, cp1252ToUtf8(LocalizedText(labelId))};
}

}  // namespace

std::vector<LegendEntry> exportLegend(LegendExtent extent, const EchoSettings& echoes) {
  // The colours of the palette the editor shows.
  const Palette& palette = activePalette();
  std::vector<LegendEntry> legend = {
      entry(palette.classColour(HighlightClass::kClose), kStrCloseRepetitions),
      entry(palette.classColour(HighlightClass::kDistant), kStrDistantRepetitions),
      entry(palette.classColour(HighlightClass::kSearched), kStrSearchWords),
      entry(palette.classColour(HighlightClass::kPhrase), kStrSearchPhrases),
  };
  if (echoes.phrasesActive) {
    legend.push_back(entry(palette.classColour(HighlightClass::kEcho), kStrPhraseEchoes));
  }
  if (echoes.openingsActive) {
    legend.push_back(entry(palette.classColour(HighlightClass::kOpening), kStrRepeatedOpenings));
  }
  if (extent == LegendExtent::kWithMarks) {
    legend.push_back(entry(palette.markedWithoutClass, kStrMarkedWord));
    // Hidden words of every class look alike: one entry stands for all.
    legend.push_back(entry(palette.hiddenColour(HighlightClass::kClose), kStrHiddenRepetitions));
  }
  return legend;
}

}  // namespace verbolt
