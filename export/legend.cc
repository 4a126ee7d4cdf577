#include "export/legend.h"

#include "highlight/plan/colours.h"
#include "strings/localized_text.h"
#include "text/cp1252.h"

namespace {

// The labels' string ids: the titles of the settings pane's four switches,
// then the marked word and the hidden repetitions (ui/ids.h names them
// kSwitchClose, kSwitchDistant, kSwitchWords, kSwitchPhrases,
// kStrMarkedWord and kTitleHidden). The numbers stand here alone until the
// strings layer names its ids.
constexpr int kCloseLabel = 27;
constexpr int kDistantLabel = 32;
constexpr int kSearchedLabel = 38;
constexpr int kPhraseLabel = 49;
constexpr int kMarkedLabel = 87;
constexpr int kHiddenLabel = 57;

LegendEntry entry(Rgb colour, int labelId) {
  return LegendEntry{colour, cp1252ToUtf8(LocalizedText(labelId))};
}

}  // namespace

std::vector<LegendEntry> exportLegend(LegendExtent extent) {
  std::vector<LegendEntry> legend = {
      entry(classColour(HighlightClass::kClose), kCloseLabel),
      entry(classColour(HighlightClass::kDistant), kDistantLabel),
      entry(classColour(HighlightClass::kSearched), kSearchedLabel),
      entry(classColour(HighlightClass::kPhrase), kPhraseLabel),
  };
  if (extent == LegendExtent::kWithMarks) {
    legend.push_back(entry(kMarkedWithoutClass, kMarkedLabel));
    // Hidden words of every class look alike: one entry stands for all.
    legend.push_back(entry(hiddenColour(HighlightClass::kClose), kHiddenLabel));
  }
  return legend;
}
