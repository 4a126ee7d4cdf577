// The background colours of a whole rich text control, read in one sweep
// over its style boundaries instead of one query per character: the
// control stays the only record of what is highlighted, but reading all of
// it costs as much as it holds runs, not as much as it holds characters.
// While the backgrounds the program painted are known, they are taken as
// they are, without reading.
#pragma once

#include <vector>

#include "highlight/plan/colours.h"
#include "highlight/plan/paint_plan.h"

class wxTextCtrl;

namespace verbolt {

class BackgroundMap {
 public:
  explicit BackgroundMap(wxTextCtrl& control);

  // The background at `position`, as GetStyle reports it; white where the
  // control has none or past its end.
  Rgb at(long position) const;

  // The colour of the word occurrence [start, end), probed as everywhere.
  Rgb wordColour(long start, long end) const { return at(wordProbePosition(start, end)); }

  // Maximal runs of one background, white ones left out, ascending.
  const std::vector<ColourRun>& runs() const { return m_runs; }

 private:
  std::vector<ColourRun> m_runs;
};

// The same runs for the characters [from, to) only.
std::vector<ColourRun> backgroundRuns(wxTextCtrl& control, long from, long to);
// The same, read from the control even when the backgrounds are known.
std::vector<ColourRun> readBackgroundRuns(wxTextCtrl& control, long from, long to);

}  // namespace verbolt
