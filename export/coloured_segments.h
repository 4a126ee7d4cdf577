// The text cut where its colour changes, in bytes: what every export
// writes one piece at a time.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "highlight/plan/paint_plan.h"

namespace verbolt {

struct ColouredSegment {
  size_t begin;  // byte offsets into the UTF-8 text
  size_t end;
  std::optional<Rgb> colour;  // none for white
};

// Consecutive segments that cover the whole text. Runs are in characters;
// see ExportDocument for the runs that are left out.
std::vector<ColouredSegment> colouredSegments(std::string_view utf8,
                                              std::span<const ColourRun> runs);

// "ffff8c": a colour in CSS and OpenDocument hex, also used to name its style.
std::string hexColour(Rgb colour);

// Colours in a fixed order, so that the styles of an export come out the
// same every time.
struct RgbLess {
  bool operator()(const Rgb& a, const Rgb& b) const {
    return std::tie(a.red, a.green, a.blue) < std::tie(b.red, b.green, b.blue);
  }
};

}  // namespace verbolt
