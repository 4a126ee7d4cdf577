// What the window's benchmarks share: the time since a moment, and the ways
// of letting the toolkit work until a command's result is there.
#pragma once

#include <glib.h>
#include <wx/app.h>

#include <chrono>
#include <functional>

namespace verbolt {

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lets the toolkit lay out and repaint what the last command changed.
inline void settle(int milliseconds) {
  const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    wxTheApp->Yield(true);
  } while (Clock::now() < until);
}

// Handles pending events one at a time, as the program's own loop does,
// until `done` holds or `seconds` have passed. Unlike a yield, it does not
// wait for the toolkit's background work (laying out long texts) to end.
inline bool pumpUntil(const std::function<bool()>& done, int seconds = 60) {
  const gint64 limit = g_get_monotonic_time() + gint64{seconds} * G_USEC_PER_SEC;
  while (!done()) {
    if (g_get_monotonic_time() > limit) return false;
    if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(100);
  }
  return true;
}

}  // namespace verbolt
