// The overview strip beside the editor, worked out without the toolkit:
// where each coloured run of the whole text falls among the strip's pixel
// rows, which colour each row shows, and where a row points in the text.
#pragma once

#include <vector>

#include "highlight/plan/paint_plan.h"
#include "highlight/plan/palette.h"

namespace verbolt {

// Rows [first, last] of the strip that show one colour.
struct StripMark {
  int first;
  int last;
  Rgb colour;
  friend bool operator==(const StripMark&, const StripMark&) = default;
};

// The marks of `runs` (ascending, as the editor keeps them) over a text of
// `length` characters drawn on `rows` rows, top to bottom, touching rows
// of one colour joined. Where runs share a row the one a writer most needs
// to see shows: the mark, then close, distant, searched, phrase and the
// echoes. Hidden words, and colours not of `palette`, leave no mark.
std::vector<StripMark> overviewMarks(const std::vector<ColourRun>& runs, long length, int rows,
                                     const Palette& palette);

// The row of character `position`, and the first character of `row`.
int rowOf(long position, long length, int rows);
long positionAtRow(int row, long length, int rows);

}  // namespace verbolt
