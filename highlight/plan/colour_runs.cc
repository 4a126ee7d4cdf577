#include "highlight/plan/colour_runs.h"

#include <algorithm>
#include <climits>

namespace verbolt {

namespace {

// Appends [start, end) in `colour`, joining it to the last run when they
// touch and agree.
void append(std::vector<ColourRun>& runs, int start, int end, Rgb colour) {
  if (start >= end || colour == kWhite) return;
  if (!runs.empty() && runs.back().end == start && runs.back().colour == colour) {
    runs.back().end = end;
  } else {
    runs.push_back({start, end, colour});
  }
}

}  // namespace

std::vector<ColourRun> paintedOver(const std::vector<ColourRun>& base,
                                   const std::vector<ColourRun>& painted) {
  std::vector<ColourRun> runs;
  runs.reserve(base.size() + painted.size());
  size_t next = 0;          // the first base run not wholly given out yet
  int givenUpTo = INT_MIN;  // every character before it is given out
  auto giveBaseUpTo = [&](int limit) {
    for (; next < base.size() && base[next].start < limit; ++next) {
      const ColourRun& run = base[next];
      append(runs, std::max(run.start, givenUpTo), std::min(run.end, limit), run.colour);
      if (run.end > limit) break;
    }
  };
  for (const ColourRun& run : painted) {
    if (run.start >= run.end) continue;
    giveBaseUpTo(run.start);
    append(runs, run.start, run.end, run.colour);
    givenUpTo = run.end;
    while (next < base.size() && base[next].end <= run.end) ++next;
  }
  giveBaseUpTo(INT_MAX);
  return runs;
}

std::vector<ColourRun> runsWithin(const std::vector<ColourRun>& runs, long from, long to) {
  auto run = std::upper_bound(runs.begin(), runs.end(), from,
                              [](long p, const ColourRun& r) { return p < r.end; });
  std::vector<ColourRun> within;
  if (from >= to) return within;
  for (; run != runs.end() && run->start < to; ++run) {
    within.push_back({static_cast<int>(std::max<long>(run->start, from)),
                      static_cast<int>(std::min<long>(run->end, to)), run->colour});
  }
  return within;
}

void shiftRuns(std::vector<ColourRun>& runs, long by) {
  for (ColourRun& run : runs) {
    run.start += static_cast<int>(by);
    run.end += static_cast<int>(by);
  }
}

std::vector<ColourRun> runsAfterEdit(const std::vector<ColourRun>& runs, long position,
                                     long removed, long inserted) {
  const long cut = position + removed;
  // Where a character of the text before the deletion lands after it.
  auto afterDeletion = [&](long p) {
    return p <= position ? p : p <= cut ? position : p - removed;
  };
  std::vector<ColourRun> shortened;
  shortened.reserve(runs.size());
  for (const ColourRun& run : runs) {
    append(shortened, static_cast<int>(afterDeletion(run.start)),
           static_cast<int>(afterDeletion(run.end)), run.colour);
  }
  const int at = static_cast<int>(position);
  const int by = static_cast<int>(inserted);
  for (ColourRun& run : shortened) {
    if (run.start >= at) {
      run.start += by;
      run.end += by;
    } else if (run.end > at) {
      run.end += by;
    }
  }
  return shortened;
}

Rgb colourAt(const std::vector<ColourRun>& runs, long position) {
  auto after = std::upper_bound(runs.begin(), runs.end(), position,
                                [](long p, const ColourRun& run) { return p < run.start; });
  if (after == runs.begin()) return kWhite;
  const ColourRun& run = *(after - 1);
  return position < run.end ? run.colour : kWhite;
}

}  // namespace verbolt
