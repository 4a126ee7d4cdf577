// Progress of long passes. One counter is shared by the analysis pass and
// every restyling pass, so the gauge is touched once per `interval` items
// whichever pass is running.
#pragma once

#include <cstdint>
#include <functional>

extern std::uint64_t progressCounter;

// Counts one item; true when the gauge is due an update.
inline bool progressTick(unsigned interval) { return progressCounter++ % interval == 0; }

// Receives the gauge value, 0 to 100.
using ProgressSink = std::function<void(int gaugeValue)>;

inline int gaugeValue(double fraction) { return static_cast<int>(100 * fraction); }
