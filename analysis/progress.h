// Progress of long passes. One counter runs on through the analysis pass
// and every restyling pass, so the gauge is touched once per `interval`
// items whichever pass is running.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace verbolt {

// Each thread has a counter of its own: the window runs its analysis and
// its restyling on one thread, which keeps one count for its gauge, while
// verbolt-analyze checks several files at once, one per thread, and their
// passes must not write to one shared count.
extern constinit thread_local std::uint64_t progressCounter;

// Counts one item; true when the gauge is due an update.
inline bool progressTick(unsigned interval) { return progressCounter++ % interval == 0; }

// Counts the items [from, to) of a pass at once: `due(i)` is called for
// every item i whose tick would have given the gauge an update, as if each
// had been counted alone.
template <typename Due>
void progressTicks(size_t from, size_t to, unsigned interval, Due&& due) {
  if (to <= from) return;
  const size_t first = (interval - progressCounter % interval) % interval;
  for (size_t i = from + first; i < to; i += interval) due(i);
  progressCounter += to - from;
}

// Receives the gauge value, 0 to 100. A sink may throw RunStopped to end
// the pass at once: it unwinds and leaves nothing of its work.
using ProgressSink = std::function<void(int gaugeValue)>;

struct RunStopped {};

inline int gaugeValue(double fraction) { return static_cast<int>(100 * fraction); }

}  // namespace verbolt
