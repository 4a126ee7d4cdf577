#include "highlight/plan/colour_runs.h"

#include <algorithm>
#include <climits>

namespace verbolt {

namespace {

// Appends [start, end) in `colour`, white included, joining it to the
// last run when they touch and agree: what must be painted white is a
// change too.
void appendJoined(std::vector<ColourRun>& runs, int start, int end, Rgb colour) {
  if (start >= end) return;
  if (!runs.empty() && runs.back().end == start && runs.back().colour == colour) {
    runs.back().end = end;
  } else {
    runs.push_back({start, end, colour});
  }
}

// The same for runs that leave white out.
void append(std::vector<ColourRun>& runs, int start, int end, Rgb colour) {
  if (colour != kWhite) appendJoined(runs, start, end, colour);
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

void paintOver(std::vector<ColourRun>& runs, const std::vector<ColourRun>& painted) {
  // Each run put in place may move the runs after it once; beyond a few,
  // one pass over them all costs less.
  constexpr size_t kFewRuns = 16;
  if (painted.size() > kFewRuns) {
    runs = paintedOver(runs, painted);
    return;
  }
  for (const ColourRun& run : painted) {
    if (run.start >= run.end) continue;
    const int length = run.end - run.start;
    replaceInRuns(runs, run.start, run.end, length, {{0, length, run.colour}});
  }
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

void replaceInRuns(std::vector<ColourRun>& runs, long from, long to, long length,
                   const std::vector<ColourRun>& replacement) {
  const int start = static_cast<int>(from);
  const int oldEnd = static_cast<int>(to);
  const int newEnd = static_cast<int>(from + length);
  const int shift = newEnd - oldEnd;
  // From the first run that meets or touches `from` to the last that meets
  // or touches `to`: the ones that may be cut or joined.
  auto lo = std::lower_bound(runs.begin(), runs.end(), start,
                             [](const ColourRun& run, int at) { return run.end < at; });
  auto hi = std::lower_bound(lo, runs.end(), oldEnd,
                             [](const ColourRun& run, int at) { return run.start <= at; });
  std::vector<ColourRun> middle;
  for (auto run = lo; run != hi; ++run)
    append(middle, run->start, std::min(run->end, start), run->colour);
  for (const ColourRun& run : replacement) {
    append(middle, std::max(run.start + start, start), std::min(run.end + start, newEnd),
           run.colour);
  }
  for (auto run = lo; run != hi; ++run) {
    append(middle, std::max(run->start, oldEnd) + shift, run->end + shift, run->colour);
  }
  if (shift != 0) {
    for (auto run = hi; run != runs.end(); ++run) {
      run->start += shift;
      run->end += shift;
    }
  }
  const auto at = lo - runs.begin();
  const auto removed = hi - lo;
  const auto added = static_cast<std::ptrdiff_t>(middle.size());
  if (added > removed) {
    runs.insert(runs.begin() + at + removed, static_cast<size_t>(added - removed), ColourRun{});
  } else {
    runs.erase(runs.begin() + at + added, runs.begin() + at + removed);
  }
  std::copy(middle.begin(), middle.end(), runs.begin() + at);
}

void insertIntoRuns(std::vector<ColourRun>& runs, long position, long length,
                    const std::vector<ColourRun>& inserted) {
  if (length > 0) replaceInRuns(runs, position, position, length, inserted);
}

void removeFromRuns(std::vector<ColourRun>& runs, long from, long to) {
  if (to > from) replaceInRuns(runs, from, to, 0, {});
}

std::vector<ColourRun> runChanges(const std::vector<ColourRun>& shown,
                                  const std::vector<ColourRun>& wanted) {
  // Walk the boundaries of both lists together; between two boundaries
  // each list has one colour.
  std::vector<ColourRun> changes;
  size_t s = 0;
  size_t w = 0;
  int at = INT_MIN;
  auto colourOf = [&at](const std::vector<ColourRun>& runs, size_t i) {
    return i < runs.size() && runs[i].start <= at ? runs[i].colour : kWhite;
  };
  auto nextBoundary = [&at](const std::vector<ColourRun>& runs, size_t i) {
    if (i >= runs.size()) return INT_MAX;
    return runs[i].start > at ? runs[i].start : runs[i].end;
  };
  while (s < shown.size() || w < wanted.size()) {
    // After a key nearly every run is the same in both: those are passed
    // over whole, with the white before them.
    if (s < shown.size() && w < wanted.size() && shown[s] == wanted[w] && shown[s].start >= at) {
      at = shown[s].end;
      ++s;
      ++w;
      continue;
    }
    const int next = std::min(nextBoundary(shown, s), nextBoundary(wanted, w));
    if (at != INT_MIN) {
      const Rgb want = colourOf(wanted, w);
      if (colourOf(shown, s) != want) appendJoined(changes, at, next, want);
    }
    at = next;
    while (s < shown.size() && shown[s].end <= at) ++s;
    while (w < wanted.size() && wanted[w].end <= at) ++w;
  }
  return changes;
}

}  // namespace verbolt
