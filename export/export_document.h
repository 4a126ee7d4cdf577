// What an export shows: the editor's text with the colours it shows, the
// legend of those colours and the Top-100 report.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/plan/colours.h"
#include "highlight/plan/paint_plan.h"

namespace verbolt {

struct LegendEntry {
  Rgb colour;
  std::string label;  // UTF-8, in the window's language
};

// Where a word falls through the text: its count, and its occurrences in
// each equal stretch of the text, drawn as bars in `colour`.
struct SpreadPicture {
  std::string wordUtf8;
  int count = 0;
  std::vector<int> counts;
  Rgb colour;
};

struct ExportDocument {
  // Lines end in "\n".
  std::string_view textUtf8;
  // Positions in characters (code points), as the editor counts them; in
  // ascending order. White runs and the parts of runs past the text or
  // over an earlier run are left white.
  std::span<const ColourRun> runs;
  // The Top-100 pane's text, in UTF-8.
  std::string_view top100ReportUtf8;
  std::string_view title;
  std::span<const LegendEntry> legend;
  // The marked word's spread first, when one is marked, then the most used
  // words'.
  std::span<const SpreadPicture> spreads = {};
};

}  // namespace verbolt
