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

void appendJoined(std::vector<ColourRun>& runs, int start, int end, Rgb colour) {
  if (start >= end) return;
  if (!runs.empty() && runs.back().end == start && runs.back().colour == colour) {
    runs.back().end = end;
  } else {
    runs.push_back({start, end, colour});
  }
}

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

void insertIntoRuns(std::vector<ColourRun>& runs, long position, long length,
                    const std::vector<ColourRun>& inserted) {
  if (length <= 0) return;
  const int at = static_cast<int>(position);
  const int by = static_cast<int>(length);
  std::vector<ColourRun> result;
  result.reserve(runs.size() + inserted.size() + 1);
  size_t i = 0;
  for (; i < runs.size() && runs[i].start < at; ++i)
    append(result, runs[i].start, std::min(runs[i].end, at), runs[i].colour);
  // A run across the insertion goes on after it.
  if (i > 0 && runs[i - 1].end > at) {
    --i;
  }
  for (const ColourRun& run : inserted) append(result, run.start + at, run.end + at, run.colour);
  for (; i < runs.size(); ++i) {
    const int start = std::max(runs[i].start, at);
    append(result, start + by, runs[i].end + by, runs[i].colour);
  }
  runs = std::move(result);
}

void removeFromRuns(std::vector<ColourRun>& runs, long from, long to) {
  if (to <= from) return;
  const int start = static_cast<int>(from);
  const int stop = static_cast<int>(to);
  const int by = stop - start;
  std::vector<ColourRun> result;
  result.reserve(runs.size());
  for (const ColourRun& run : runs) {
    if (run.end <= start) {
      append(result, run.start, run.end, run.colour);
    } else if (run.start >= stop) {
      append(result, run.start - by, run.end - by, run.colour);
    } else {
      // What lies outside the removed characters stays, the gap closed.
      const int before = std::min(run.end, start) - run.start;
      const int after = run.end - std::max(run.start, stop);
      const int left = std::min(run.start, start);
      append(result, left, left + std::max(before, 0) + std::max(after, 0), run.colour);
    }
  }
  runs = std::move(result);
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
