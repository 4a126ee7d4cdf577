#include "export/legend.h"

#include <gtest/gtest.h>

#include "highlight/plan/colours.h"
#include "strings/localized_text.h"

namespace verbolt {

namespace {

std::vector<std::string> labelsOf(const std::vector<LegendEntry>& legend) {
  std::vector<std::string> labels;
  for (const LegendEntry& entry : legend) labels.push_back(entry.label);
  return labels;
}

std::vector<Rgb> coloursOf(const std::vector<LegendEntry>& legend) {
  std::vector<Rgb> colours;
  for (const LegendEntry& entry : legend) colours.push_back(entry.colour);
  return colours;
}

TEST(ExportLegend, TheFourClassesInTheOrderOfTheSettingsPane) {
  const std::vector<LegendEntry> legend = exportLegend(LegendExtent::kClasses);
  EXPECT_EQ(coloursOf(legend),
            (std::vector<Rgb>{
                classColour(HighlightClass::kClose), classColour(HighlightClass::kDistant),
                classColour(HighlightClass::kSearched), classColour(HighlightClass::kPhrase)}));
  EXPECT_EQ(labelsOf(legend), (std::vector<std::string>{"Close repetitions", "Distant repetitions",
                                                        "Search for words", "Search for phrases"}));
}

TEST(ExportLegend, TheWindowAddsTheMarkedWordAndTheHiddenRepetitions) {
  const std::vector<LegendEntry> classes = exportLegend(LegendExtent::kClasses);
  const std::vector<LegendEntry> legend = exportLegend(LegendExtent::kWithMarks);
  ASSERT_EQ(legend.size(), 6u);
  EXPECT_EQ(labelsOf({legend.begin(), legend.begin() + 4}), labelsOf(classes));
  EXPECT_EQ(legend[4].colour, kMarkedWithoutClass);
  EXPECT_EQ(legend[4].label, "Marked word");
  EXPECT_EQ(legend[5].colour, hiddenColour(HighlightClass::kClose));
  EXPECT_EQ(legend[5].label, "Temporary hidden repetitions");
}

TEST(ExportLegend, LabelsAreUtf8InTheCurrentLanguage) {
  setLanguage(Language::kFrench);
  const std::vector<LegendEntry> legend = exportLegend(LegendExtent::kWithMarks);
  setLanguage(Language::kEnglish);
  EXPECT_EQ(legend[0].label, "R\xC3\xA9p\xC3\xA9titions proches");
  EXPECT_EQ(legend[4].label, "Mot marqu\xC3\xA9");
}

}  // namespace

}  // namespace verbolt
