// Work on many items at once, results in their order: files are analysed
// side by side on the machine's cores, and reported one after the other as
// if they had been analysed in turn.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Calls work(i) for every i in [begin, end), on `threads` threads at most
// (the calling thread among them), then deliver(i, result) on the calling
// thread in ascending order of i. An exception thrown by a work call is
// thrown again here, once all of them have ended.
template <typename Result, typename Work, typename Deliver>
void runInOrder(size_t begin, size_t end, unsigned threads, Work work, Deliver deliver) {
  if (begin >= end) return;
  std::vector<std::optional<Result>> results(end - begin);
  std::atomic<size_t> next{begin};
  std::exception_ptr failure;
  std::mutex failureLock;
  auto worker = [&] {
    for (size_t i = next++; i < end; i = next++) {
      try {
        results[i - begin].emplace(work(i));
      } catch (...) {
        std::lock_guard<std::mutex> hold(failureLock);
        if (!failure) failure = std::current_exception();
        next = end;
      }
    }
  };
  const size_t helpers = std::min<size_t>(threads > 1 ? threads - 1 : 0, end - begin - 1);
  std::vector<std::thread> pool;
  for (size_t t = 0; t < helpers; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
  for (size_t i = begin; i < end; ++i) deliver(i, std::move(*results[i - begin]));
}
