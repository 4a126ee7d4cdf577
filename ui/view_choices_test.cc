#include "ui/view_choices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace verbolt {
namespace {

TEST(ViewChoices, ReadBackWhatTheyWriteAndKeepDefaultsForTheRest) {
  for (bool strip : {true, false}) {
    for (PaletteName palette :
         {PaletteName::kStandard, PaletteName::kColourBlindSafe, PaletteName::kDark}) {
      const ViewChoices choices{strip, palette};
      EXPECT_EQ(viewChoicesFromLines(viewChoicesLines(choices)), choices);
    }
  }
  EXPECT_EQ(viewChoicesLines({false, PaletteName::kColourBlindSafe}),
            (std::vector<std::string>{"strip off", "palette colour-blind-safe"}));
  // Missing, unknown or mangled lines leave their default; a later line wins.
  EXPECT_EQ(viewChoicesFromLines({}), ViewChoices());
  EXPECT_EQ(viewChoicesFromLines({"strip maybe", "palette purple", "palette", "# a note"}),
            ViewChoices());
  EXPECT_EQ(viewChoicesFromLines({"palette dark", "strip off", "palette standard"}),
            (ViewChoices{false, PaletteName::kStandard}));
}

}  // namespace
}  // namespace verbolt
