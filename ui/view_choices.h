// What the View menu chooses: whether the overview strip shows, and the
// palette of the highlights. One of the program's preferences, kept in its
// own file and never in config.txt.
#pragma once

#include <string>
#include <vector>

#include "highlight/plan/palette.h"

namespace verbolt {

struct ViewChoices {
  bool overviewStrip = true;
  PaletteName palette = PaletteName::kStandard;
  friend bool operator==(const ViewChoices&, const ViewChoices&) = default;
};

// The preference's lines, "strip on", "palette dark", and back; a line
// missing or unreadable keeps its default.
std::vector<std::string> viewChoicesLines(const ViewChoices& choices);
ViewChoices viewChoicesFromLines(const std::vector<std::string>& lines);

// As stored, and storing them.
ViewChoices storedViewChoices();
void storeViewChoices(const ViewChoices& choices);

}  // namespace verbolt
