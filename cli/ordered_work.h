// Work on many items at once, results in their order: files are analysed
// side by side on the machine's cores, and reported one after the other as
// if they had been analysed in turn.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace verbolt {

// Calls work(i) for every i in [0, count) on `threads` threads, and
// deliver(i, result) on the calling thread in ascending order of i, each
// result as soon as it and those before it are there. At most twice
// `threads` results exist at a time, so the memory holds a few items, never
// all. An exception thrown by work or deliver stops the run and is thrown
// again here once every thread has ended. With one thread, or one item,
// everything runs on the calling thread.
template <typename Result, typename Work, typename Deliver>
void runInOrder(size_t count, unsigned threads, Work work, Deliver deliver) {
  if (threads <= 1 || count <= 1) {
    for (size_t i = 0; i < count; ++i) deliver(i, work(i));
    return;
  }
  const size_t window = 2 * static_cast<size_t>(threads);
  std::vector<std::optional<Result>> slots(window);
  std::mutex lock;
  std::condition_variable changed;
  size_t next = 0;
  size_t delivered = 0;
  bool stopped = false;
  std::exception_ptr failure;
  auto stop = [&](std::exception_ptr cause) {
    std::lock_guard<std::mutex> hold(lock);
    if (!failure) failure = cause;
    stopped = true;
  };
  auto worker = [&] {
    while (true) {
      size_t i = 0;
      {
        std::unique_lock<std::mutex> hold(lock);
        changed.wait(hold, [&] { return stopped || next >= count || next < delivered + window; });
        if (stopped || next >= count) return;
        i = next++;
      }
      try {
        Result result = work(i);
        std::lock_guard<std::mutex> hold(lock);
        slots[i % window].emplace(std::move(result));
      } catch (...) {
        stop(std::current_exception());
      }
      changed.notify_all();
    }
  };
  std::vector<std::thread> pool;
  for (unsigned t = 0; t < threads; ++t) pool.emplace_back(worker);
  try {
    while (delivered < count) {
      std::optional<Result> ready;
      {
        std::unique_lock<std::mutex> hold(lock);
        changed.wait(hold, [&] { return stopped || slots[delivered % window].has_value(); });
        if (stopped) break;
        ready.swap(slots[delivered % window]);
      }
      deliver(delivered, std::move(*ready));
      {
        std::lock_guard<std::mutex> hold(lock);
        ++delivered;
      }
      changed.notify_all();
    }
  } catch (...) {
    stop(std::current_exception());
  }
  stop(nullptr);
  changed.notify_all();
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace verbolt
