// The best of several timings of the same work: the run least disturbed by
// the rest of the machine.
#pragma once

#include <algorithm>
#include <chrono>

namespace verbolt {

template <typename Work>
double bestMilliseconds(int repetitions, Work work) {
  double best = 1e100;
  for (int i = 0; i < repetitions; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

}  // namespace verbolt
