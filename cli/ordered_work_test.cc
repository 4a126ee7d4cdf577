#include "cli/ordered_work.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <stdexcept>
#include <string>

namespace verbolt {

namespace {

TEST(RunInOrder, ResultsArriveInOrderWhateverThreadMadeThem) {
  std::vector<size_t> delivered;
  std::set<std::thread::id> workers;
  std::mutex lock;
  runInOrder<std::string>(
      40, 3,
      [&](size_t i) {
        {
          std::lock_guard<std::mutex> hold(lock);
          workers.insert(std::this_thread::get_id());
        }
        // Early items take longest, so later ones finish first.
        std::this_thread::sleep_for(std::chrono::microseconds(40 - i) * 20);
        return std::to_string(i * i);
      },
      [&](size_t i, std::string&& result) {
        EXPECT_EQ(result, std::to_string(i * i));
        delivered.push_back(i);
      });
  ASSERT_EQ(delivered.size(), 40u);
  for (size_t k = 0; k < delivered.size(); ++k) EXPECT_EQ(delivered[k], k);
  EXPECT_LE(workers.size(), 3u);
  EXPECT_EQ(workers.count(std::this_thread::get_id()), 0u);
}

TEST(RunInOrder, NeverMoreResultsWaitingThanTwiceTheThreads) {
  std::mutex lock;
  size_t made = 0;
  size_t handed = 0;
  size_t mostWaiting = 0;
  runInOrder<int>(
      200, 2,
      [&](size_t) {
        std::lock_guard<std::mutex> hold(lock);
        mostWaiting = std::max(mostWaiting, ++made - handed);
        return 0;
      },
      [&](size_t, int&&) {
        // A slow reader: the workers must wait for it.
        std::this_thread::sleep_for(std::chrono::microseconds(50));
        std::lock_guard<std::mutex> hold(lock);
        ++handed;
      });
  EXPECT_EQ(handed, 200u);
  EXPECT_LE(mostWaiting, 4u);
}

TEST(RunInOrder, OneThreadIsTheCallingThread) {
  const std::thread::id caller = std::this_thread::get_id();
  int delivered = 0;
  runInOrder<int>(
      5, 1,
      [&](size_t i) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        return static_cast<int>(i);
      },
      [&](size_t, int&&) { ++delivered; });
  EXPECT_EQ(delivered, 5);
}

TEST(RunInOrder, AFailureStopsTheRunAndIsThrownOnTheCaller) {
  std::vector<size_t> delivered;
  EXPECT_THROW(runInOrder<int>(
                   1000, 2,
                   [](size_t i) -> int {
                     if (i == 7) throw std::runtime_error("out of memory");
                     return 0;
                   },
                   [&](size_t i, int&&) { delivered.push_back(i); }),
               std::runtime_error);
  // What came before the failure came in order; nothing after it.
  EXPECT_LE(delivered.size(), 7u);
  for (size_t k = 0; k < delivered.size(); ++k) EXPECT_EQ(delivered[k], k);

  EXPECT_THROW(runInOrder<int>(
                   100, 2, [](size_t) { return 0; },
                   [](size_t i, int&&) {
                     if (i == 3) throw std::runtime_error("cannot write");
                   }),
               std::runtime_error);
}

}  // namespace

}  // namespace verbolt
